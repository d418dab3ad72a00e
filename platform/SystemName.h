#pragma once
#include <string>

namespace platform {

// A name as the system gave it. On Windows a name passes from the system's characters
// into code page 932, and one that holds a character code page 932 lacks cannot pass:
// a look-alike (é as e) would name another file. Such a name is not Exact, and its Text
// is only for the user to read, each missing character written as <U+00E9>, which no
// file name can hold.
struct SystemName {
    std::string Text;
    bool Exact = true;
    bool operator==(const SystemName&) const = default;
};

}  // namespace platform
