#pragma once
#include <string>

namespace platform {

// A name as the system gave it. On Windows a name passes from the system's characters
// into code page 932, and one that holds a character code page 932 lacks cannot pass
// as it is: a look-alike (é as e) would name another file. Such a name is not Exact; its
// Text writes each missing character as <U+00E9>, which no file name can hold, so that
// the text still names the file exactly where the program hands a path to the system
// (Named: the path calls read the escape back into that very name). As a text (a find
// text, a switch), it is not carried.
struct SystemName {
    std::string Text;
    bool Exact = true;
    bool Named = true;
    bool NamesTheFile() const { return Named; }
    bool operator==(const SystemName&) const = default;
};

}  // namespace platform
