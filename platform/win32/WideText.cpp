#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstdio>
#include <utility>

#include "platform/DigitValue.h"

namespace platform {

namespace {

constexpr UINT ShiftJisCodePage = 932;

// One character, a surrogate pair taken whole, from `wide` at `at`.
std::wstring_view CharacterAt(std::wstring_view wide, std::size_t at)
{
    const bool pair = at + 1 < wide.size() && IS_HIGH_SURROGATE(wide[at]) && IS_LOW_SURROGATE(wide[at + 1]);
    return wide.substr(at, pair ? 2 : 1);
}

unsigned CodePointOf(std::wstring_view character)
{
    if (character.size() == 2)
        return 0x10000 + ((character[0] - 0xD800u) << 10) + (character[1] - 0xDC00u);
    return character[0];
}

// The character of an escape <U+XXXX> at the start of `text`, with the escape's length.
std::optional<std::pair<unsigned, std::size_t>> EscapeAt(std::string_view text)
{
    if (!text.starts_with("<U+"))
        return std::nullopt;
    unsigned code = 0;
    std::size_t at = 3;
    for (; at < text.size() && at < 3 + 6 && DigitValue(text[at]) >= 0; ++at)
        code = code * 16 + static_cast<unsigned>(DigitValue(text[at]));
    const std::size_t digits = at - 3;
    // Only a character beyond ASCII is ever escaped: <U+005C> or <U+0000> would change
    // what the path says (a folder, its end), not name a character of it.
    if (digits < 4 || at >= text.size() || text[at] != '>' || code < 0x80 || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    return std::make_pair(code, at + 1);
}

void AppendCodePoint(std::wstring& wide, unsigned code)
{
    if (code < 0x10000) {
        wide += static_cast<wchar_t>(code);
        return;
    }
    code -= 0x10000;
    wide += static_cast<wchar_t>(0xD800 + (code >> 10));
    wide += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
}

}  // namespace

std::optional<std::wstring> WidenExactly(std::string_view text)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(ShiftJisCodePage, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(ShiftJisCodePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                          wide.data(), length);
    return wide;
}

std::optional<std::string> NarrowExactly(std::wstring_view wide)
{
    if (wide.empty())
        return std::string();
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(ShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                             static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(ShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          text.data(), length, nullptr, nullptr);
    // What comes back must be what went: a conversion that changed a character is no pass.
    if (WidenExactly(text) != std::wstring(wide))
        return std::nullopt;
    return text;
}

SystemName NameFromSystem(std::wstring_view wide)
{
    // Either form must give the name back where a path call reads it: a name that writes
    // an escape's own form by itself (only possible where the system allows '<') names
    // another file there.
    if (std::optional<std::string> exact = NarrowExactly(wide)) {
        const bool named = WidePath(*exact) == wide;
        return {std::move(*exact), true, named};
    }
    std::string readable;
    for (std::size_t at = 0; at < wide.size();) {
        const std::wstring_view character = CharacterAt(wide, at);
        at += character.size();
        if (std::optional<std::string> passed = NarrowExactly(character)) {
            readable += *passed;
            continue;
        }
        char code[16];
        std::snprintf(code, sizeof code, "<U+%04X>", CodePointOf(character));
        readable += code;
    }
    const bool named = WidePath(readable) == wide;
    return {std::move(readable), false, named};
}

std::wstring Wide(std::string_view text)
{
    return WidenExactly(text).value_or(std::wstring());
}

std::wstring WideShown(std::string_view text)
{
    if (std::optional<std::wstring> exact = WidenExactly(text))
        return std::move(*exact);
    const int length =
        ::MultiByteToWideChar(ShiftJisCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(ShiftJisCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string NarrowShown(std::wstring_view wide)
{
    return NameFromSystem(wide).Text;
}

}  // namespace platform

namespace platform {

std::wstring WidePath(std::string_view path)
{
    // '<' is never the second byte of a double-byte character: a search for it finds
    // only characters.
    std::wstring wide;
    std::size_t start = 0;
    for (std::size_t at = path.find('<'); at != std::string_view::npos; at = path.find('<', at + 1)) {
        const auto escape = EscapeAt(path.substr(at));
        if (!escape)
            continue;
        const std::optional<std::wstring> before = WidenExactly(path.substr(start, at - start));
        if (!before)
            return {};
        wide += *before;
        AppendCodePoint(wide, escape->first);
        start = at + escape->second;
        at = start - 1;
    }
    const std::optional<std::wstring> rest = WidenExactly(path.substr(start));
    if (!rest)
        return {};
    return wide + *rest;
}

}  // namespace platform
