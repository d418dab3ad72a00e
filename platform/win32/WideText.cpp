#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstdio>

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
    if (std::optional<std::string> exact = NarrowExactly(wide))
        return {std::move(*exact), true};
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
    return {std::move(readable), false};
}

std::wstring Wide(std::string_view text)
{
    return WidenExactly(text).value_or(std::wstring());
}

}  // namespace platform
