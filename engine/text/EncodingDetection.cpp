#include "engine/text/EncodingDetection.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/text/CharacterRule.h"

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

unsigned char Byte(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

bool HoldsByteFromE0(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
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

// The most bytes a rule reads from a character's first byte on: a character is judged once
// these are at hand.
constexpr std::size_t CharacterReach = 4;
// Scoring reads the characters that begin in the first ScoredBytes, and their bytes.
constexpr std::size_t HeadBytes = ScoredBytes + CharacterReach;
// An escape sequence is ESC and at most three bytes.
constexpr std::size_t EscapeReach = 3;

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

std::size_t EncodingDetector::Reading::Parse(std::string_view text, std::size_t until)
{
    const std::size_t reached = rule_.WellFormedUntil(text, 0, until);
    if (reached < until)
        wellFormed_ = false;
    else if (watchesLongCharacters_ && !longCharacter_)
        longCharacter_ = HoldsByteFromE0(text.substr(0, reached));
    return reached;
}

void EncodingDetector::Reading::Add(std::string_view bytes)
{
    if (!wellFormed_)
        return;
    if (!tail_.empty()) {
        // The bytes left over from the block before, with enough of this one to judge them.
        std::string joined = tail_;
        joined.append(bytes.substr(0, 2 * CharacterReach));
        const std::size_t until =
            std::min(tail_.size(), joined.size() >= CharacterReach ? joined.size() - CharacterReach + 1 : 0);
        const std::size_t reached = Parse(joined, until);
        if (!wellFormed_)
            return;
        if (reached < tail_.size()) {
            // A block too short to judge them: all of it waits with them.
            tail_ = joined.substr(reached);
            return;
        }
        bytes.remove_prefix(reached - tail_.size());
        tail_.clear();
    }
    const std::size_t reached = Parse(bytes, bytes.size() >= CharacterReach ? bytes.size() - CharacterReach + 1 : 0);
    if (wellFormed_)
        tail_.assign(bytes.substr(reached));
}

std::string_view EncodingDetector::Reading::CutTail() const
{
    return std::string_view(tail_).substr(0, rule_.CompleteEnd(tail_));
}

bool EncodingDetector::Reading::WellFormed() const
{
    return wellFormed_ && rule_.IsWellFormed(CutTail());
}

bool EncodingDetector::Reading::HoldsLongCharacter() const
{
    return longCharacter_ || HoldsByteFromE0(CutTail());
}

EncodingDetector::EncodingDetector(EncodingChoice choice)
    : choice_(choice), shiftJis_(ShiftJisRule(), false), eucJp_(EucJpRule(), false), utf8_(Utf8Rule(), true)
{
}

void EncodingDetector::Add(std::string_view bytes)
{
    if (head_.size() < HeadBytes)
        head_.append(bytes.substr(0, HeadBytes - head_.size()));
    if (!highBytes_) {
        const auto high =
            std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        if (!escape_) {
            std::string around = escapeTail_;
            around.append(bytes.substr(0, EscapeReach));
            escape_ = HoldsIso2022JpEscape(around) || HoldsIso2022JpEscape(bytes);
            escapeTail_.append(bytes.substr(bytes.size() - std::min(bytes.size(), EscapeReach)));
            escapeTail_.erase(0, escapeTail_.size() - std::min(escapeTail_.size(), EscapeReach));
        }
        if (high == bytes.end())
            return;
        highBytes_ = true;
        // Every seven-bit byte is a character of its own in each reading: the readings
        // begin at the first byte that is not.
        bytes.remove_prefix(static_cast<std::size_t>(high - bytes.begin()));
    }
    if (choice_ != EncodingChoice::Automatic)
        return;
    shiftJis_.Add(bytes);
    eucJp_.Add(bytes);
    utf8_.Add(bytes);
}

TextEncoding EncodingDetector::Result() const
{
    if (!highBytes_ && escape_)
        return TextEncoding::Iso2022Jp;
    switch (choice_) {
    case EncodingChoice::Automatic:
        break;
    case EncodingChoice::ShiftJis:
        return TextEncoding::ShiftJis;
    case EncodingChoice::Utf8:
        return TextEncoding::Utf8;
    case EncodingChoice::EucJp:
        return TextEncoding::EucJp;
    }
    return Detect();
}

TextEncoding EncodingDetector::Detect() const
{
    if (std::string_view(head_).substr(0, 3) == ByteOrderMark)
        return TextEncoding::Utf8;
    if (!highBytes_)
        return TextEncoding::Ascii;
    const bool utf8 = utf8_.WellFormed();
    if (utf8 && utf8_.HoldsLongCharacter())
        return TextEncoding::Utf8;

    struct Candidate {
        TextEncoding Encoding;
        const Reading& Read;
        const CharacterRule& Rule;
        int (*Weight)(std::string_view);
    };
    // In this order ties go to the first.
    const Candidate candidates[] = {
        {TextEncoding::ShiftJis, shiftJis_, ShiftJisRule(), ShiftJisWeight},
        {TextEncoding::EucJp, eucJp_, EucJpRule(), EucJpWeight},
        {TextEncoding::Utf8, utf8_, Utf8Rule(), Utf8Weight},
    };
    std::vector<const Candidate*> wellFormed;
    for (const Candidate& candidate : candidates)
        if (candidate.Encoding == TextEncoding::Utf8 ? utf8 : candidate.Read.WellFormed())
            wellFormed.push_back(&candidate);
    if (wellFormed.empty())
        return TextEncoding::ShiftJis;
    const Candidate* best = wellFormed.front();
    long bestScore = -1;
    for (const Candidate* candidate : wellFormed) {
        if (wellFormed.size() == 1)
            break;
        const long score = Score(head_, candidate->Rule, candidate->Weight);
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best->Encoding;
}

TextEncoding DetectEncoding(std::string_view text)
{
    return EncodingOfFile(EncodingChoice::Automatic, text);
}

TextEncoding EncodingOfFile(EncodingChoice choice, std::string_view text)
{
    EncodingDetector detector(choice);
    detector.Add(text);
    return detector.Result();
}
