#pragma once
// The one place that knows the double-byte rule of code page 932: a byte 0x81-0x9F or
// 0xE0-0xFC at a character start begins a two-byte character.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline constexpr bool IsLeadByte(char byte)
{
    return IsLeadByte(static_cast<unsigned char>(byte));
}

// Length of the character that starts at `position` (1 or 2), never reaching past the end:
// a lead byte as the last byte of the text is a character of its own.
inline std::size_t CharacterLength(std::string_view text, std::size_t position)
{
    return IsLeadByte(text[position]) && position + 1 < text.size() ? 2 : 1;
}

// Whether `position` is a character start when characters are counted from `origin`.
// Only the run of lead-range bytes right before `position` decides: the byte before such
// a run always ends a character.
inline bool IsCharacterStart(const char* origin, const char* position)
{
    const char* p = position;
    while (p > origin && IsLeadByte(p[-1]))
        --p;
    return ((position - p) & 1) == 0;
}

// Whether `candidate` is a character start, given `known`, one at or before it; `known`
// moves to a start at or before any later candidate: the candidate, or the byte after it,
// which ends the pair it is the first byte of otherwise.
inline bool AcceptCharacterStart(const char* text, std::size_t& known, std::size_t candidate)
{
    const bool start = IsCharacterStart(text + known, text + candidate);
    known = start ? candidate : candidate + 1;
    return start;
}

// Advances a known character start `frontier` until it reaches or passes `position`;
// `position` is a character start exactly when the frontier lands on it. Used where
// candidates come in increasing order, so the whole text is walked at most once.
inline bool AdvanceToCharacterStart(const char*& frontier, const char* position)
{
    while (frontier < position)
        frontier += IsLeadByte(*frontier) ? 2 : 1;
    return frontier == position;
}

// The longest start of `text` of at most `limit` bytes that does not end inside a
// double-byte character: a text cut to `limit` bytes.
inline std::string_view LeadingCharacters(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    return text.substr(0, IsCharacterStart(text.data(), text.data() + limit) ? limit : limit - 1);
}

// Position of the first `byte` at a character start at or after `from`, or npos.
std::size_t FindCharacter(std::string_view text, char byte, std::size_t from = 0);
// Position of the last `byte` at a character start, or npos.
std::size_t FindLastCharacter(std::string_view text, char byte);

// Replaces every occurrence of `from` that begins at a character start by `to`, left to
// right, never rescanning inserted text.
std::string ReplaceAtCharacterStarts(std::string_view text, std::string_view from, std::string_view to);

// The text with the ASCII capitals of its single-byte characters lowered; double-byte
// characters stay as they are, second bytes included.
std::string LowerAsciiLetters(std::string_view text);

// Whether two texts are equal when ASCII letters are compared without regard to case,
// character by character (a second byte is compared exactly).
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);
