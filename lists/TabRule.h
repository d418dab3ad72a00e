#pragma once
// A find or replace text never holds a TAB once entered: each TAB becomes the two
// characters backslash and t, which the escape decoding of a run turns back into a TAB.
// Done byte by byte, so that no TAB survives even after a stray lead byte.
#include <string>
#include <string_view>

std::string EscapeTabs(std::string_view text);
