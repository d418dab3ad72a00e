#pragma once
#include <windows.h>

#include <string>

namespace platform {

// The text of a system call that fills a caller's buffer and returns the length written,
// or, when the buffer was too small, the size needed with the terminator; 0 on failure.
template <typename Character = char, typename Call>
std::basic_string<Character> SystemText(Call call)
{
    std::basic_string<Character> text(MAX_PATH, Character());
    for (;;) {
        const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0)
            return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length);
    }
}

}  // namespace platform
