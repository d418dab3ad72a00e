#pragma once
#include <string>
#include <string_view>

#include "engine/text/TextEncoding.h"

class CharacterRule;

// Tells the encoding of a file's text from its bytes as they come, a block at a time, so
// that a text read in blocks never needs to be held whole; the blocks may be cut anywhere
// and give the result of the whole text. A UTF-8 byte order mark, or well-formed UTF-8 with
// a character of three bytes or more, is UTF-8; seven-bit text is ISO-2022-JP when it holds
// a JIS escape sequence and ASCII otherwise; otherwise the readings as Shift-JIS, EUC-JP and
// UTF-8 that are well-formed compete, and the one whose characters look most like Japanese
// text wins. Text well-formed in none is Shift-JIS. A last character cut short by the end
// of the text counts as well-formed. With a chosen encoding every file is read that way,
// except that ISO-2022-JP is recognised under every choice, because searching its escaped
// bytes as any other encoding would destroy the text.
class EncodingDetector {
public:
    explicit EncodingDetector(EncodingChoice choice = EncodingChoice::Automatic);

    // The next bytes of the text.
    void Add(std::string_view bytes);
    // The encoding of the text added so far, taken as the whole text.
    TextEncoding Result() const;
    // Whether the bytes still to come can make the text ISO-2022-JP: not after a byte
    // from 0x80 on.
    bool MayBeIso2022Jp() const { return !highBytes_; }

private:
    // Whether the text read one way is well-formed, character by character; a character is
    // only judged once the bytes after it are at hand, as the whole text would have them.
    class Reading {
    public:
        Reading(const CharacterRule& rule, bool watchesLongCharacters)
            : rule_(rule), watchesLongCharacters_(watchesLongCharacters)
        {
        }
        void Add(std::string_view bytes);
        bool WellFormed() const;
        // Whether the well-formed text holds a byte from 0xE0 on (a UTF-8 character of
        // three or four bytes), when the reading watches for them.
        bool HoldsLongCharacter() const;

    private:
        std::size_t Parse(std::string_view text, std::size_t until);
        std::string_view CutTail() const;

        const CharacterRule& rule_;
        bool watchesLongCharacters_;
        bool wellFormed_ = true;
        bool longCharacter_ = false;
        std::string tail_;  // the bytes not judged yet, from a character start
    };

    TextEncoding Detect() const;

    EncodingChoice choice_;
    std::string head_;           // the first bytes, as many as scoring reads
    std::string escapeTail_;     // the last bytes, for an escape sequence across blocks
    bool highBytes_ = false;     // a byte from 0x80 on was seen
    bool escape_ = false;        // a JIS escape sequence was seen
    Reading shiftJis_, eucJp_, utf8_;
};

// The encoding of a whole text, detected.
TextEncoding DetectEncoding(std::string_view text);

// The encoding a run reads a whole text in: detected with the automatic choice, the chosen
// one otherwise, ISO-2022-JP under every choice.
TextEncoding EncodingOfFile(EncodingChoice choice, std::string_view text);

// Whether seven-bit `text` switches to a JIS character set with an escape sequence.
bool HoldsIso2022JpEscape(std::string_view text);
