#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/text/TextEncoding.h"

// Where the characters of a text in one encoding begin and end. Every scan that must not
// split a character asks the rule of the text's encoding; each encoding's rule lives in a
// module of its own.
class CharacterRule {
public:
    virtual ~CharacterRule() = default;

    // Length of the character at `position` (1 or more), never reaching past the end.
    // Malformed bytes are characters of one byte, and no byte below 0x80 is ever taken
    // into a longer character, except the second byte of a Shift-JIS pair.
    virtual std::size_t CharacterLength(std::string_view text, std::size_t position) const = 0;

    // Whether `candidate` begins a character, given `known`, a character start at or before
    // it. `known` moves up to a character start that is at or before any later candidate,
    // so that increasing candidates classify each byte about once.
    virtual bool AcceptCharacterStart(std::string_view text, std::size_t& known, std::size_t candidate) const = 0;

    // A place at or before `position`, and at or after `known`, a character start, from
    // which counting characters afresh finds the same starts after it as counting from
    // `known`: a text cut there can be searched on from the cut.
    virtual std::size_t RestartPoint(std::string_view text, std::size_t known, std::size_t position) const = 0;

    // Whether a match that begins at a character start ends where a character begins.
    // Shift-JIS leaves the end unchecked, as searching has always done.
    virtual bool EndsOnCharacterStart(std::string_view text, std::size_t start, std::size_t end) const = 0;

    // The end of `text` without a last character that lacks bytes it announces, so that a
    // reader that trusts a first byte never reads past the end.
    virtual std::size_t CompleteEnd(std::string_view text) const = 0;

    // Reads well-formed characters of the encoding from `from`, a character start, while
    // they begin before `until`: the position reached, at or past `until`, or where bytes
    // that form no character begin. Each character is told by its own bytes, 0 past the end.
    virtual std::size_t WellFormedUntil(std::string_view text, std::size_t from, std::size_t until) const = 0;

    // Whether every byte of `text` belongs to a well-formed character of the encoding.
    bool IsWellFormed(std::string_view text) const { return WellFormedUntil(text, 0, text.size()) >= text.size(); }
};

// The rule of an encoding. Seven-bit text is read as Shift-JIS, which for it is every
// byte a character; ISO-2022-JP is never searched and gets the same.
const CharacterRule& CharacterRuleOf(TextEncoding encoding);

const CharacterRule& ShiftJisRule();
const CharacterRule& EucJpRule();
const CharacterRule& Utf8Rule();

// For the rules: the byte at `i`, or 0 past the end, so that a check of the bytes a first
// byte announces fails at the end of the text.
inline unsigned char ByteOrZero(std::string_view text, std::size_t i)
{
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
}

// For the rules: WellFormedUntil with `wellFormedLength` giving each character's length, 0
// standing for malformed bytes. Inline, so that no call is made per character: detection
// runs this over every byte of a file. Every seven-bit byte is a character of its own in
// each of the encodings, so a run of them is passed over eight bytes at a time.
template <typename Length>
std::size_t WellFormedRun(std::string_view text, std::size_t from, std::size_t until, Length wellFormedLength)
{
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    const std::size_t wordsEnd = until < text.size() ? until : text.size();
    const auto sevenBit = [&](std::size_t at) { return static_cast<unsigned char>(text[at]) < 0x80; };
    std::size_t i = from;
    while (i < until) {
        if (i < wordsEnd && sevenBit(i)) {
            for (std::uint64_t eight; wordsEnd - i >= sizeof eight; i += sizeof eight) {
                std::memcpy(&eight, text.data() + i, sizeof eight);
                if ((eight & HighBits) != 0)
                    break;
            }
            while (i < wordsEnd && sevenBit(i))
                ++i;
            continue;
        }
        const std::size_t length = wellFormedLength(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return i;
}
