#pragma once
#include <string>
#include <string_view>

namespace bregexp {

// Without k Oniguruma reads the expression byte by byte, so the second byte of a
// double-byte character could act as syntax: ー (0x81 0x5B) would open a character class,
// 表 (0x95 0x5C) would escape what follows. This escapes such second bytes so that every
// double-byte character of the expression stands for its own two bytes.
std::string EscapeSecondBytesForByteSearch(std::string_view expression);

}  // namespace bregexp
