#pragma once
// The program's code page 932 text to and from the system's own characters (UTF-16),
// exactly: no best fit, no default character.
#include <optional>
#include <string>
#include <string_view>

#include "platform/SystemName.h"

namespace platform {

// Nothing when `text` is not well-formed code page 932.
std::optional<std::wstring> WidenExactly(std::string_view text);
// Nothing when `wide` holds a character code page 932 lacks.
std::optional<std::string> NarrowExactly(std::wstring_view wide);
// `wide` in code page 932 when it passes exactly; otherwise with each character code page
// 932 lacks escaped as <U+XXXX>; Named where WidePath gives `wide` back from it.
SystemName NameFromSystem(std::wstring_view wide);
// For handing a text to a wide call; a text that is not well-formed gives an empty one.
std::wstring Wide(std::string_view text);
// For showing a text in a window: as Wide, but a byte that begins no character of code page
// 932 is shown as the system shows such a byte, never dropped with the rest of the text.
std::wstring WideShown(std::string_view text);
// A text read from a window, in code page 932; a character it lacks in the readable
// <U+XXXX> form of NameFromSystem.
std::string NarrowShown(std::wstring_view wide);
// For handing a path to a wide call: as Wide, each <U+XXXX> (four to six hexadecimal
// digits, a character beyond ASCII and outside the surrogates) read as that character.
std::wstring WidePath(std::string_view path);

}  // namespace platform
