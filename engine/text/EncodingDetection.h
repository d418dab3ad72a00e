#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/TextEncoding.h"

class CharacterRule;

// What detection tells of a text: the encoding it is read in, and whether that stayed a
// guess between readings that are all well-formed and none of them far likelier.
struct DetectedEncoding {
    TextEncoding Encoding = TextEncoding::Ascii;
    bool Guessed = false;
    // When it was a guess: the readings it was between (a bit 1 << encoding for each).
    unsigned Readings = 0;
    // The whole text was read and is well-formed in Encoding; false when that is not known.
    bool WellFormed = false;

    bool CanBeRead(TextEncoding encoding) const { return (Readings >> static_cast<unsigned>(encoding)) & 1u; }
};

// Texts the user looks for, each as it is in each encoding: a reading in which one occurs
// is taken before one in which none does. Seven-bit texts read alike in every encoding and
// tell nothing.
class EncodingClues {
public:
    void Add(TextEncoding encoding, std::string_view text);
    bool Empty() const;
    // Whether one of the texts in `encoding` begins at a character of `text` read that way.
    bool OccurIn(TextEncoding encoding, std::string_view text) const;

private:
    std::vector<std::string> texts_[3];  // Shift-JIS, EUC-JP, UTF-8
};

// Tells the encoding of a file's text from its bytes as they come, a block at a time, so
// that a text read in blocks never needs to be held whole; the blocks may be cut anywhere
// and give the result of the whole text. A UTF-8 byte order mark, or well-formed UTF-8 with
// a character of three bytes or more, is UTF-8; seven-bit text is ISO-2022-JP when it holds
// a JIS escape sequence and ASCII otherwise; otherwise the readings as Shift-JIS, EUC-JP and
// UTF-8 that are well-formed compete: the one whose characters are likeliest in real text
// wins (character costs from scripts/derive-character-costs), Shift-JIS when it stays
// close, and a reading in which a find text occurs before one in which none does. The
// result is a guess unless one reading is far likelier than every other. Text well-formed
// in none is Shift-JIS, guessed. A last character cut short by the end
// of the text counts as well-formed. With a chosen encoding every file is read that way,
// except that ISO-2022-JP is recognised under every choice, because searching its escaped
// bytes as any other encoding would destroy the text.
class EncodingDetector {
public:
    explicit EncodingDetector(EncodingChoice choice = EncodingChoice::Automatic);

    // The next bytes of the text.
    void Add(std::string_view bytes);
    // The encoding of the text added so far, taken as the whole text.
    TextEncoding Result() const { return Detected().Encoding; }
    // The same, telling whether it is a guess; `clues`, when given, decide between readings.
    DetectedEncoding Detected(const EncodingClues* clues = nullptr) const;
    // Whether the bytes still to come can make the text ISO-2022-JP: not after a byte
    // from 0x80 on.
    bool MayBeIso2022Jp() const { return !highBytes_; }
    // Whether no bytes to come can make the text's encoding anything but Shift-JIS, the
    // one detection falls back on: every other reading has failed for good. Whether that
    // stays a guess may still change.
    bool CanOnlyBeShiftJis() const;
    // Whether the text added so far is well-formed in `encoding`, as detection read it;
    // false when it did not read it in that encoding.
    bool IsWellFormedIn(TextEncoding encoding) const;

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
        // Goes on with `next`, the reading of the bytes after those added so far from a
        // fresh start, which begin with a boundary byte (IsBoundaryByte).
        void Follow(const Reading& next);
        bool WellFormed() const;
        // Ill-formed whatever bytes come after.
        bool FailedForGood() const { return !wellFormed_; }
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

    DetectedEncoding Detect(const EncodingClues* clues) const;
    bool StartsWithByteOrderMark() const;
    // The readings of `bytes`, large, in two parts at once; false when no boundary byte
    // near their middle, or no thread, lets them be cut.
    bool ReadInTwoParts(std::string_view bytes);

    EncodingChoice choice_;
    // The bytes scoring reads: from the first high byte on, with a few seven-bit ones before.
    std::string head_;
    bool textBegun_ = false;     // a seven-bit byte came before the first high one
    std::string escapeTail_;     // the last bytes, for an escape sequence across blocks
    bool highBytes_ = false;     // a byte from 0x80 on was seen
    bool escape_ = false;        // a JIS escape sequence was seen
    Reading shiftJis_, eucJp_, utf8_;
};

// The encoding of a whole text, detected.
TextEncoding DetectEncoding(std::string_view text);
DetectedEncoding DetectEncoding(EncodingChoice choice, std::string_view text, const EncodingClues* clues);

// The encoding a run reads a whole text in: detected with the automatic choice, the chosen
// one otherwise, ISO-2022-JP under every choice.
TextEncoding EncodingOfFile(EncodingChoice choice, std::string_view text);

// Whether seven-bit `text` switches to a JIS character set with an escape sequence.
bool HoldsIso2022JpEscape(std::string_view text);
