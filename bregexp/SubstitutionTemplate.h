#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/TextEncoding.h"

namespace bregexp {

// The replacement of a substitute command: literal bytes and the places where the text of
// a group goes.
struct SubstitutionTemplate {
    struct Piece {
        std::string Text;  // literal bytes, when Group is negative
        int Group = -1;    // 0 = the whole match
        bool operator==(const Piece&) const = default;
    };
    std::vector<Piece> Pieces;
};

// Reads $1-$9 and \1-\9 as groups, $& and $0 as the whole match, the escapes \n \r \t \\ \$
// and \/, and takes everything else literally, the characters of `encoding` whole.
SubstitutionTemplate ParseSubstitutionTemplate(std::string_view replacement,
                                               TextEncoding encoding = TextEncoding::ShiftJis);

}  // namespace bregexp
