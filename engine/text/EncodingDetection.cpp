#include "engine/text/EncodingDetection.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/text/CharacterBoundary.h"
#include "engine/text/CharacterCosts.h"
#include "engine/text/CharacterRule.h"

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::uint16_t RareEntry = costs::Rare << 8 | 255;
// Bytes added at once that are read in two parts at once, each on a thread of its own: a
// large file's detection otherwise takes a tenth of its rewrite while every other thread
// waits for it.
constexpr std::size_t InTwoPartsFrom = std::size_t{8} << 20;

unsigned char Byte(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

bool HoldsByteFromE0(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

// What each character of a reading costs, in quarter bits: -log2 of how likely it is in
// real text after the class of the one before. Seven-bit characters cost nothing, since
// every reading has them alike; they only end a run of a class.
std::uint16_t HalfWidthEntry(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xDF ? costs::HalfWidthKatakana[byte - 0xA1] : RareEntry;
}

std::uint16_t ShiftJisEntry(std::string_view character)
{
    const unsigned char first = Byte(character, 0);
    if (character.size() == 1)
        return HalfWidthEntry(first);
    const unsigned char second = Byte(character, 1);
    const unsigned lead = first <= 0x9F ? first - 0x81u : first - 0xE0u + 31;
    if (character.size() != 2 || lead >= 60 || second < 0x40 || second > 0xFC)
        return RareEntry;
    return costs::ShiftJis[lead * 189 + (second - 0x40)];
}

std::uint16_t EucJpEntry(std::string_view character)
{
    const auto cell = [&](std::size_t i) { return static_cast<unsigned>(Byte(character, i)) - 0xA1u; };
    if (character.size() == 2 && Byte(character, 0) == 0x8E)
        return HalfWidthEntry(Byte(character, 1));
    if (character.size() == 2 && cell(0) < 94 && cell(1) < 94)
        return costs::EucJp[cell(0) * 94 + cell(1)];
    if (character.size() == 3 && Byte(character, 0) == 0x8F && cell(1) < 94 && cell(2) < 94)
        return costs::EucJpSupplement[cell(1) * 94 + cell(2)];
    return RareEntry;
}

// Only a UTF-8 text without a character beyond two bytes is scored: Latin, Greek, Cyrillic
// letters and the like, weighed by European text.
std::uint16_t Utf8Entry(std::string_view character)
{
    if (character.size() != 2)
        return RareEntry;
    const unsigned code = (Byte(character, 0) & 0x1Fu) << 6 | (Byte(character, 1) & 0x3Fu);
    return code >= 0x80 ? costs::TwoByteUtf8[code - 0x80] : RareEntry;
}

// The start of a text tells its kind as well as the whole would: scoring stops here.
constexpr std::size_t ScoredBytes = 256 * 1024;

using Transitions = const std::uint8_t (&)[costs::ClassCount][costs::ClassCount];

// A file seldom ends inside a character: a reading that needs it to pays as much as a
// character one in 1,024 would.
constexpr long CutCost = 10 * 4;

// The cost of the text read one way, in quarter bits; a last character cut short by the
// end costs CutCost.
long Cost(std::string_view text, const CharacterRule& rule, Transitions transitions,
          std::uint16_t (*entryOf)(std::string_view))
{
    long cost = text.size() <= ScoredBytes && rule.CompleteEnd(text) < text.size() ? CutCost : 0;
    unsigned before = costs::Ascii;
    unsigned halfWidth = 0;  // the last half-width katakana, from 0xA1 on, its last byte in each reading
    const std::size_t end = std::min(rule.CompleteEnd(text), ScoredBytes);
    for (std::size_t i = 0; i < end;) {
        if (Byte(text, i) < 0x80) {
            before = costs::Ascii;
            ++i;
            continue;
        }
        const std::size_t length = rule.CharacterLength(text, i);
        const std::uint16_t entry = entryOf(text.substr(i, length));
        const unsigned kind = costs::ClassOf(entry);
        cost += transitions[before][kind];
        if (kind == costs::HalfWidth) {
            const unsigned next = Byte(text, i + length - 1) - 0xA1u;
            cost += before == costs::HalfWidth ? costs::HalfWidthPairs[halfWidth * 63 + next] : costs::CostOf(entry);
            halfWidth = next;
        } else {
            cost += costs::CostOf(entry);
        }
        before = kind;
        i += length;
    }
    return cost;
}

// Shift-JIS is the program's own encoding and its users' default: it stays the reading
// while another is less than 16 times likelier.
constexpr long CloseCost = 4 * 4;
// A reading is no guess once every other is at least 65,536 times less likely.
constexpr long CertainCost = 16 * 4;

// The most bytes a rule reads from a character's first byte on: a character is judged once
// these are at hand.
constexpr std::size_t CharacterReach = 4;
// Scoring reads the characters that begin in the first ScoredBytes, and their bytes.
constexpr std::size_t HeadBytes = ScoredBytes + CharacterReach;
// The seven-bit bytes kept before the first high byte, for a find text that begins with them.
constexpr std::size_t SevenBitBefore = 256;
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

void EncodingDetector::Reading::Follow(const Reading& next)
{
    if (!wellFormed_)
        return;
    // The boundary byte ends every character before it: the bytes not judged yet are
    // judged as they are.
    if (!rule_.IsWellFormed(tail_)) {
        wellFormed_ = false;
        return;
    }
    if (watchesLongCharacters_ && !longCharacter_)
        longCharacter_ = HoldsByteFromE0(tail_);
    wellFormed_ = next.wellFormed_;
    longCharacter_ = longCharacter_ || next.longCharacter_;
    tail_ = next.tail_;
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
    if (!highBytes_) {
        const auto high =
            std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        const auto sevenBit = static_cast<std::size_t>(high - bytes.begin());
        if (!escape_) {
            std::string around = escapeTail_;
            around.append(bytes.substr(0, EscapeReach));
            escape_ = HoldsIso2022JpEscape(around) || HoldsIso2022JpEscape(bytes);
            escapeTail_.append(bytes.substr(bytes.size() - std::min(bytes.size(), EscapeReach)));
            escapeTail_.erase(0, escapeTail_.size() - std::min(escapeTail_.size(), EscapeReach));
        }
        // Seven-bit bytes cost nothing in any reading: scoring reads from the first high
        // byte on, however far into the text it stands, with the last seven-bit bytes
        // before it, where a find text may begin.
        textBegun_ = textBegun_ || sevenBit > 0;
        head_.append(bytes.substr(sevenBit > SevenBitBefore ? sevenBit - SevenBitBefore : 0,
                                  std::min(sevenBit, SevenBitBefore)));
        if (head_.size() > SevenBitBefore)
            head_.erase(0, head_.size() - SevenBitBefore);
        if (high == bytes.end())
            return;
        highBytes_ = true;
        // Every seven-bit byte is a character of its own in each reading: the readings
        // begin at the first byte that is not.
        bytes.remove_prefix(sevenBit);
    }
    if (head_.size() < HeadBytes)
        head_.append(bytes.substr(0, HeadBytes - head_.size()));
    if (choice_ != EncodingChoice::Automatic)
        return;
    if (bytes.size() >= InTwoPartsFrom && ReadInTwoParts(bytes))
        return;
    shiftJis_.Add(bytes);
    eucJp_.Add(bytes);
    utf8_.Add(bytes);
}

bool EncodingDetector::ReadInTwoParts(std::string_view bytes)
{
    const char* boundary = BoundaryFrom(bytes.data() + bytes.size() / 2, bytes.data() + bytes.size());
    if (!boundary)
        return false;
    const std::string_view first = bytes.substr(0, static_cast<std::size_t>(boundary - bytes.data()));
    const std::string_view second = bytes.substr(first.size());
    Reading shiftJis(ShiftJisRule(), false), eucJp(EucJpRule(), false), utf8(Utf8Rule(), true);
    std::exception_ptr failure;  // the second part's, thrown here once it is read
    std::thread reader;
    try {
        reader = std::thread([&] {
            try {
                shiftJis.Add(second);
                eucJp.Add(second);
                utf8.Add(second);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        return false;
    }
    struct Join {
        std::thread& Reader;
        ~Join() { Reader.join(); }
    };
    {
        const Join join{reader};
        shiftJis_.Add(first);
        eucJp_.Add(first);
        utf8_.Add(first);
    }
    if (failure)
        std::rethrow_exception(failure);
    shiftJis_.Follow(shiftJis);
    eucJp_.Follow(eucJp);
    utf8_.Follow(utf8);
    return true;
}

bool EncodingDetector::IsWellFormedIn(TextEncoding encoding) const
{
    // Seven-bit text is read alike in every encoding but ISO-2022-JP, which is never searched.
    if (!highBytes_)
        return encoding != TextEncoding::Iso2022Jp;
    if (choice_ != EncodingChoice::Automatic)
        return false;
    switch (encoding) {
    case TextEncoding::ShiftJis:
        return shiftJis_.WellFormed();
    case TextEncoding::EucJp:
        return eucJp_.WellFormed();
    case TextEncoding::Utf8:
        return utf8_.WellFormed();
    default:
        return false;
    }
}

bool EncodingDetector::CanOnlyBeShiftJis() const
{
    return choice_ == EncodingChoice::Automatic && highBytes_ && !StartsWithByteOrderMark() &&
           eucJp_.FailedForGood() && utf8_.FailedForGood();
}

bool EncodingDetector::StartsWithByteOrderMark() const
{
    return !textBegun_ && std::string_view(head_).substr(0, 3) == ByteOrderMark;
}

DetectedEncoding EncodingDetector::Detected(const EncodingClues* clues) const
{
    if (!highBytes_ && escape_)
        return {TextEncoding::Iso2022Jp};
    switch (choice_) {
    case EncodingChoice::Automatic:
        break;
    case EncodingChoice::ShiftJis:
        return {TextEncoding::ShiftJis};
    case EncodingChoice::Utf8:
        return {TextEncoding::Utf8};
    case EncodingChoice::EucJp:
        return {TextEncoding::EucJp};
    }
    return Detect(clues);
}

DetectedEncoding EncodingDetector::Detect(const EncodingClues* clues) const
{
    if (StartsWithByteOrderMark())
        return {TextEncoding::Utf8};
    if (!highBytes_)
        return {TextEncoding::Ascii};
    const bool utf8 = utf8_.WellFormed();
    if (utf8 && utf8_.HoldsLongCharacter())
        return {TextEncoding::Utf8};

    struct Candidate {
        TextEncoding Encoding;
        const CharacterRule& Rule;
        Transitions Costs;
        std::uint16_t (*Entry)(std::string_view);
        long Cost = 0;
    };
    // In this order ties go to the first.
    std::vector<Candidate> candidates;
    if (shiftJis_.WellFormed())
        candidates.push_back({TextEncoding::ShiftJis, ShiftJisRule(), costs::JapaneseTransitions, ShiftJisEntry});
    if (eucJp_.WellFormed())
        candidates.push_back({TextEncoding::EucJp, EucJpRule(), costs::JapaneseTransitions, EucJpEntry});
    if (utf8)
        candidates.push_back({TextEncoding::Utf8, Utf8Rule(), costs::EuropeanTransitions, Utf8Entry});
    if (candidates.empty())
        return {TextEncoding::ShiftJis, true};
    if (clues && !clues->Empty()) {
        const std::string_view scored = std::string_view(head_).substr(0, ScoredBytes);
        std::vector<Candidate> found;
        for (const Candidate& candidate : candidates)
            if (clues->OccurIn(candidate.Encoding, scored))
                found.push_back(candidate);
        if (!found.empty())
            candidates = std::move(found);
    }
    if (candidates.size() == 1)
        return {candidates.front().Encoding};

    for (Candidate& candidate : candidates)
        candidate.Cost = Cost(head_, candidate.Rule, candidate.Costs, candidate.Entry);
    const auto cheaper = [](const Candidate& a, const Candidate& b) { return a.Cost < b.Cost; };
    const Candidate* chosen = &*std::min_element(candidates.begin(), candidates.end(), cheaper);
    if (candidates.front().Encoding == TextEncoding::ShiftJis && candidates.front().Cost - chosen->Cost <= CloseCost)
        chosen = &candidates.front();
    DetectedEncoding detected{chosen->Encoding};
    for (const Candidate& candidate : candidates) {
        detected.Readings |= 1u << static_cast<unsigned>(candidate.Encoding);
        if (&candidate != chosen && candidate.Cost - chosen->Cost < CertainCost)
            detected.Guessed = true;
    }
    if (!detected.Guessed)
        detected.Readings = 0;
    return detected;
}

void EncodingClues::Add(TextEncoding encoding, std::string_view text)
{
    const auto slot = static_cast<std::size_t>(encoding) - static_cast<std::size_t>(TextEncoding::ShiftJis);
    if (slot < 3 && std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        texts_[slot].emplace_back(text);
}

bool EncodingClues::Empty() const
{
    return texts_[0].empty() && texts_[1].empty() && texts_[2].empty();
}

bool EncodingClues::OccurIn(TextEncoding encoding, std::string_view text) const
{
    const auto slot = static_cast<std::size_t>(encoding) - static_cast<std::size_t>(TextEncoding::ShiftJis);
    if (slot >= 3)
        return false;
    const CharacterRule& rule = CharacterRuleOf(encoding);
    for (const std::string& clue : texts_[slot]) {
        std::size_t known = 0;
        for (std::size_t at = text.find(clue); at != std::string_view::npos; at = text.find(clue, at + 1))
            if (rule.AcceptCharacterStart(text, known, at))
                return true;
    }
    return false;
}

TextEncoding DetectEncoding(std::string_view text)
{
    return EncodingOfFile(EncodingChoice::Automatic, text);
}

TextEncoding EncodingOfFile(EncodingChoice choice, std::string_view text)
{
    return DetectEncoding(choice, text, nullptr).Encoding;
}

DetectedEncoding DetectEncoding(EncodingChoice choice, std::string_view text, const EncodingClues* clues)
{
    EncodingDetector detector(choice);
    detector.Add(text);
    return detector.Detected(clues);
}
