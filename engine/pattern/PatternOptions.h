#pragma once
#include <cstdint>

// Option flags of one pattern; the values are those stored by callers and files.
using PatternOptions = std::uint32_t;

enum PatternOption : PatternOptions {
    NotEscape = 0x001,
    NotCase = 0x002,
    RegularExpression = 0x100,
    Kanji = 0x200,
    Multiline = 0x400,
    Ignorecase = 0x800,
};

inline constexpr bool HasOption(PatternOptions options, PatternOption option)
{
    return (options & option) != 0;
}
