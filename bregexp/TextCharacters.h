#pragma once
#include <oniguruma.h>

#include <cstddef>
#include <cstdint>
#include <string>

class CharacterRule;

namespace bregexp {

// The characters of a text as Oniguruma reads them for an expression's encoding: each
// one's length by its first byte, its code, whether it is a word character. Our own
// matcher reads only well-formed characters, where Oniguruma's reading forwards and its
// step back to where a character begins agree; at any other bytes it leaves the search
// to Oniguruma.
class TextCharacters {
public:
    // `rule`: the encoding's rule of well-formed characters; null when the text is read
    // byte by byte (Shift-JIS without k), where every byte is a character.
    TextCharacters(OnigEncoding encoding, const CharacterRule* rule);

    OnigEncoding Encoding() const { return encoding_; }
    bool ReadsBytes() const { return rule_ == nullptr; }

    // Oniguruma's length of a character that begins with `first`.
    std::size_t LengthOf(unsigned char first) const { return length_[first]; }

    // Whether every character of more than one byte that begins with `first` has a code of
    // 0x80 or more, however its other bytes read: true but for UTF-8's overlong forms.
    bool IsWideFrom(unsigned char first) const
    {
        return length_[first] > 1 && (encoding_ != ONIG_ENCODING_UTF8 || (first != 0xC0 && first != 0xC1 &&
                                                                          first != 0xE0 && first != 0xF0));
    }

    // A byte that is a well-formed character of its own.
    bool IsSingle(unsigned char byte) const { return single_[byte]; }

    // Length of the well-formed character at `p` (which is before `end`), or 0 when the
    // bytes there form none, or one that Oniguruma would read at another length.
    std::size_t WellFormedLength(const char* p, const char* end) const;

    // Reads well-formed characters from the character start `from` while they begin
    // before `until`: the place reached (at or past `until`), or null at bytes that form none.
    const char* WellFormedUntil(const char* from, const char* until, const char* end) const;

    bool IsShiftJis() const { return shiftJis_; }

    // The end of [start, end) without a last character that Oniguruma, reading from the
    // character start `start` by first bytes, would take to reach past `end`. In text
    // that is not well-formed in UTF-8 or EUC-JP, a first byte takes the bytes after it
    // whatever they are, and Oniguruma then reads a few bytes beyond the last.
    const char* CompleteEnd(const char* start, const char* end) const;

    // Shift-JIS: whether no character that begins in [from, until), counted from the
    // character start `from`, is a first byte followed by a byte that cannot be a second
    // one. Then Oniguruma's reading of the characters there, forwards or back, is every
    // reader's, and a byte begins a character exactly when the run of first-byte-range
    // bytes right before it is even.
    bool HasNoBrokenPair(const char* from, const char* until, const char* end) const;

    // The code Oniguruma gives the character at `p`.
    std::uint32_t CodeAt(const char* p, const char* end) const;

    // Appends the bytes of the character with `code`; false when there is none.
    bool AppendCharacter(std::uint32_t code, std::string& bytes) const;

    bool IsWordCode(std::uint32_t code) const
    {
        return code < 0x100 ? word_[code] : ONIGENC_IS_CODE_WORD(encoding_, code) != 0;
    }

private:
    OnigEncoding encoding_;
    const CharacterRule* rule_;
    std::uint8_t length_[256];
    bool single_[256];
    bool word_[256];
    bool shiftJis_ = false;
    bool second_[256] = {};  // Shift-JIS: a well-formed second byte
};

// The characters of one of the encodings the library compiles for (ONIG_ENCODING_ASCII:
// bytes), made once.
const TextCharacters& TextCharactersOf(OnigEncoding encoding);

}  // namespace bregexp
