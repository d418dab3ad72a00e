#include "engine/EncodingDetection.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/CharacterRule.h"

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

unsigned char Byte(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

bool IsSevenBit(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// How much a character of each reading looks like Japanese text: kana and punctuation
// most, kanji of the first level next, rare rows nothing. Each reading is scored on the
// same bytes, so the sums compare directly.
int ShiftJisWeight(std::string_view character)
{
    const unsigned char first = Byte(character, 0);
    if (character.size() == 1)
        return first >= 0xA1 && first <= 0xDF ? 2 : 0;  // half-width katakana
    const unsigned char second = Byte(character, 1);
    if (first == 0x82 && second >= 0x9F)
        return 6;  // hiragana
    if (first == 0x83 && second <= 0x96)
        return 6;  // katakana
    if (first == 0x81)
        return 4;  // punctuation
    if (first >= 0x88 && first <= 0x98)
        return 4;  // first-level kanji
    if (first >= 0x99 && first <= 0xEA)
        return 2;  // second-level kanji
    return 0;
}

int EucJpWeight(std::string_view character)
{
    const unsigned char first = Byte(character, 0);
    if (character.size() == 1)
        return 0;
    if (first == 0x8E)
        return 5;  // half-width katakana
    if (first == 0xA4 || first == 0xA5)
        return 6;  // hiragana, katakana
    if (first == 0xA1)
        return 4;  // punctuation
    if (first >= 0xB0 && first <= 0xCF)
        return 4;  // first-level kanji
    if (first >= 0xD0 && first <= 0xF4)
        return 2;  // second-level kanji
    if (first == 0x8F)
        return 7;  // JIS X 0212, three bytes
    return 0;
}

// A UTF-8 text with no character beyond two bytes holds no Japanese; its letters count a
// little, so that a European text that happens to be well-formed Shift-JIS stays UTF-8.
int Utf8Weight(std::string_view character)
{
    return character.size() == 2 ? 5 : 0;
}

// The start of a text tells its kind as well as the whole would: scoring stops here.
constexpr std::size_t ScoredBytes = 256 * 1024;

long Score(std::string_view text, const CharacterRule& rule, int (*weight)(std::string_view))
{
    long score = 0;
    for (std::size_t i = 0; i < text.size() && i < ScoredBytes;) {
        const std::size_t length = rule.CharacterLength(text, i);
        if (Byte(text, i) >= 0x80)
            score += weight(text.substr(i, length));
        i += length;
    }
    return score;
}

bool HoldsLongUtf8Character(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

// A file cut off inside its last character is still in its encoding: read otherwise, its
// characters would be searched as pairs of another encoding and a match could split them.
std::string_view WithoutCutShortEnd(std::string_view text, const CharacterRule& rule)
{
    return text.substr(0, rule.CompleteEnd(text));
}

}  // namespace

bool HoldsIso2022JpEscape(std::string_view text)
{
    // ESC $ @, ESC $ B, ESC $ ( D and the like switch to a JIS kanji set; ESC ( I to
    // half-width katakana.
    for (std::size_t i = text.find('\x1B'); i != std::string_view::npos; i = text.find('\x1B', i + 1)) {
        const std::string_view rest = text.substr(i + 1, 3);
        if (rest.size() >= 2 && rest[0] == '$' && (rest[1] == '@' || rest[1] == 'B'))
            return true;
        if (rest.size() == 3 && rest[0] == '$' && rest[1] == '(' && rest[2] != '\0' && std::strchr("DOPQ", rest[2]))
            return true;
        if (rest.size() >= 2 && rest[0] == '(' && rest[1] == 'I')
            return true;
    }
    return false;
}

TextEncoding DetectEncoding(std::string_view text)
{
    if (text.substr(0, 3) == ByteOrderMark)
        return TextEncoding::Utf8;
    if (IsSevenBit(text))
        return HoldsIso2022JpEscape(text) ? TextEncoding::Iso2022Jp : TextEncoding::Ascii;
    const std::string_view utf8Text = WithoutCutShortEnd(text, Utf8Rule());
    const bool utf8 = Utf8Rule().IsWellFormed(utf8Text);
    if (utf8 && HoldsLongUtf8Character(utf8Text))
        return TextEncoding::Utf8;

    struct Reading {
        TextEncoding Encoding;
        const CharacterRule& Rule;
        int (*Weight)(std::string_view);
    };
    // In this order ties go to the first.
    const Reading readings[] = {
        {TextEncoding::ShiftJis, ShiftJisRule(), ShiftJisWeight},
        {TextEncoding::EucJp, EucJpRule(), EucJpWeight},
        {TextEncoding::Utf8, Utf8Rule(), Utf8Weight},
    };
    std::vector<const Reading*> wellFormed;
    for (const Reading& reading : readings)
        if (reading.Encoding == TextEncoding::Utf8 ? utf8
                                                   : reading.Rule.IsWellFormed(WithoutCutShortEnd(text, reading.Rule)))
            wellFormed.push_back(&reading);
    if (wellFormed.empty())
        return TextEncoding::ShiftJis;
    const Reading* best = wellFormed.front();
    long bestScore = -1;
    for (const Reading* reading : wellFormed) {
        if (wellFormed.size() == 1)
            break;
        const long score = Score(text, reading->Rule, reading->Weight);
        if (score > bestScore) {
            best = reading;
            bestScore = score;
        }
    }
    return best->Encoding;
}

TextEncoding EncodingOfFile(EncodingChoice choice, std::string_view text)
{
    if (IsSevenBit(text) && HoldsIso2022JpEscape(text))
        return TextEncoding::Iso2022Jp;
    switch (choice) {
    case EncodingChoice::Automatic:
        break;
    case EncodingChoice::ShiftJis:
        return TextEncoding::ShiftJis;
    case EncodingChoice::Utf8:
        return TextEncoding::Utf8;
    case EncodingChoice::EucJp:
        return TextEncoding::EucJp;
    }
    return DetectEncoding(text);
}
