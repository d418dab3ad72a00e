#include "tests/support/window-texts/MisreadText.h"

std::string_view MisreadSign(std::u16string_view text)
{
    if (text.find(u"??") != std::u16string_view::npos)
        return "a run of question marks";
    for (const char16_t c : text) {
        if (c == 0xFFFD)
            return "U+FFFD, a byte sequence that was not valid where it was read";
        if (c >= 0x80 && c <= 0x9F)
            return "a C1 control character, bytes widened as Latin-1";
        if (c == 0x0192 || c == 0x201A)
            return "Shift-JIS kana read as code page 1252";
        if (c == 0x7E3A || c == 0x7E67 || c == 0x7E5D)
            return "UTF-8 kana read as code page 932";
    }
    return {};
}
