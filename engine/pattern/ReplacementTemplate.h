#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "engine/text/TextEncoding.h"

// The replacement of the program's own regular-expression substitution: literal bytes
// with the texts of match groups inserted at given places.
struct ReplacementTemplate {
    struct Marker {
        std::size_t Position;  // insert before this byte of Text
        int Group;             // 0 = the whole match
        bool operator==(const Marker&) const = default;
    };
    std::string Text;
    std::vector<Marker> Markers;  // in increasing Position
};

// Reads $0-$9 as group markers and the backslash escapes \n \r \t \f \e \a \xHH \ooo;
// a lone "$" or backslash as the last character ends the template there.
// `typed` is the encoding the text was entered in, whose characters are copied whole.
ReplacementTemplate BuildReplacementTemplate(const std::string& replace, TextEncoding typed = TextEncoding::ShiftJis);
