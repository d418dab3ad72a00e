#pragma once
// The character set of the user's locale, natively, where a terminal shows text.
#include <string>

namespace platform {

// As the C library names it for LC_CTYPE ("UTF-8", "EUC-JP", "ANSI_X3.4-1968" ...), after
// the program took its locale from the environment with setlocale(LC_CTYPE, "").
std::string LocaleCharset();

}  // namespace platform
