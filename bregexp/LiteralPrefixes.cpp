#include "bregexp/LiteralPrefixes.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/text/PrefetchAhead.h"
#include "platform/DoubleByte.h"

namespace bregexp {

namespace {

// Bounds that keep the texts cheap to look for; beyond them what is known so far stays.
constexpr std::size_t MaxTexts = LiteralPrefixes::MaxTexts;
constexpr std::size_t MaxTextLength = 16;

// What the matches of a part of an expression begin with.
struct Start {
    // Null: anything, the empty text included. Otherwise every match begins with one of
    // these texts ("" for a part that may match nothing).
    std::optional<std::vector<std::string>> Texts;
    // Every match is exactly one of the texts, so what follows the part extends them.
    bool Whole = false;

    static Start Anything() { return {}; }
    static Start Exactly(std::vector<std::string> texts) { return {std::move(texts), true}; }
};

bool IsMetacharacter(char c)
{
    return c != '\0' && std::strchr("\\^$.|?*+()[]{}", c) != nullptr;
}

bool IsQuantifier(char c)
{
    return c == '*' || c == '+' || c == '?' || c == '{';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsWordCharacter(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// Reads the expression; every step either understands what it reads or gives up.
class PrefixParser {
public:
    explicit PrefixParser(std::string_view expression) : text_(expression) {}

    std::optional<Start> Whole()
    {
        std::optional<Start> start = Alternatives();
        if (!start || position_ != text_.size())
            return std::nullopt;
        return start;
    }

private:
    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return text_[position_]; }
    bool Take(char c)
    {
        if (AtEnd() || Peek() != c)
            return false;
        ++position_;
        return true;
    }

    std::optional<Start> Alternatives()
    {
        std::optional<Start> start = Sequence();
        while (start && Take('|')) {
            const std::optional<Start> next = Sequence();
            if (!next)
                return std::nullopt;
            if (!start->Texts || !next->Texts) {
                start = Start::Anything();
                continue;
            }
            start->Texts->insert(start->Texts->end(), next->Texts->begin(), next->Texts->end());
            start->Whole = start->Whole && next->Whole;
            if (start->Texts->size() > MaxTexts)
                start = Start::Anything();
        }
        return start;
    }

    std::optional<Start> Sequence()
    {
        Start start = Start::Exactly({""});
        while (!AtEnd() && Peek() != '|' && Peek() != ')') {
            bool zeroWidth = false;
            std::optional<Start> item = Atom(zeroWidth);
            if (!item)
                return std::nullopt;
            if (!AtEnd() && IsQuantifier(Peek())) {
                if (zeroWidth)
                    return std::nullopt;
                item = Quantified(*item);
                if (!item)
                    return std::nullopt;
            }
            Extend(start, *item);
        }
        return start;
    }

    // What the sequence so far begins with, followed by `item`.
    static void Extend(Start& start, const Start& item)
    {
        if (!start.Whole)
            return;
        if (!item.Texts) {
            start.Whole = false;
            return;
        }
        std::vector<std::string> joined;
        for (const std::string& head : *start.Texts)
            for (const std::string& tail : *item.Texts) {
                if (joined.size() == MaxTexts || head.size() + tail.size() > MaxTextLength) {
                    start.Whole = false;
                    return;
                }
                joined.push_back(head + tail);
            }
        start.Texts = std::move(joined);
        start.Whole = item.Whole;
    }

    std::optional<Start> Atom(bool& zeroWidth)
    {
        const char c = Peek();
        ++position_;
        switch (c) {
        case '.':
            return Start::Anything();
        case '^':
        case '$':
            zeroWidth = true;
            return Start::Exactly({""});
        case '[':
            return Class() ? std::optional<Start>(Start::Anything()) : std::nullopt;
        case '(':
            return Group();
        case '\\':
            return Escape(zeroWidth);
        default:
            break;
        }
        // Printable ASCII only: control bytes and double-byte characters are left alone.
        if (c < ' ' || c > '~' || IsMetacharacter(c))
            return std::nullopt;
        return Start::Exactly({std::string(1, c)});
    }

    std::optional<Start> Escape(bool& zeroWidth)
    {
        if (AtEnd())
            return std::nullopt;
        const char c = Peek();
        ++position_;
        switch (c) {
        case 'd': case 'D': case 'w': case 'W': case 's': case 'S':
            return Start::Anything();
        case 'b': case 'B':
            zeroWidth = true;
            return Start::Exactly({""});
        case 'n':
            return Start::Exactly({"\n"});
        case 't':
            return Start::Exactly({"\t"});
        case 'r':
            return Start::Exactly({"\r"});
        default:
            break;
        }
        if (!IsMetacharacter(c))
            return std::nullopt;
        return Start::Exactly({std::string(1, c)});
    }

    // A capturing group, (?:...) or (?<name>...); any other (? construct is given up.
    std::optional<Start> Group()
    {
        if (Take('?')) {
            if (Take('<')) {
                const std::size_t nameStart = position_;
                while (!AtEnd() && IsWordCharacter(Peek()))
                    ++position_;
                if (position_ == nameStart || IsDigit(text_[nameStart]) || !Take('>'))
                    return std::nullopt;
            } else if (!Take(':')) {
                return std::nullopt;
            }
        }
        std::optional<Start> inner = Alternatives();
        if (!inner || !Take(')'))
            return std::nullopt;
        return inner;
    }

    // [...] or [^...] of letters, digits, spaces, _ and -, ranges between letters or
    // digits, the escapes of Escape() that stand for sets or bytes, and escaped
    // metacharacters. Only where it ends matters.
    bool Class()
    {
        Take('^');
        bool any = false;
        while (!AtEnd() && Peek() != ']') {
            const char c = Peek();
            ++position_;
            if (c == '\\') {
                if (AtEnd() || Peek() == '\0' || !(std::strchr("dDwWsSntr", Peek()) || IsMetacharacter(Peek())))
                    return false;
                ++position_;
            } else if (!(IsWordCharacter(c) || c == ' ' || c == '-')) {
                return false;
            }
            any = true;
        }
        return any && Take(']');
    }

    std::optional<Start> Quantified(const Start& item)
    {
        std::size_t least = 0;
        std::size_t most = 0;
        const char c = Peek();
        ++position_;
        if (c == '{') {
            if (!Number(least))
                return std::nullopt;
            most = least;
            if (Take(',') && !(AtEnd() || Peek() == '}')) {
                if (!Number(most) || most < least)
                    return std::nullopt;
            } else if (text_[position_ - 1] == ',') {
                most = least + 1;  // unbounded: more than once is all that counts here
            }
            if (!Take('}'))
                return std::nullopt;
            Take('?');
        } else {
            least = c == '+' ? 1 : 0;
            most = 2;
            if (!Take('?'))
                Take('+');
        }
        if (!AtEnd() && IsQuantifier(Peek()))
            return std::nullopt;
        if (least == 0)
            return Start::Anything();
        Start repeated = item;
        repeated.Whole = item.Whole && least == 1 && most == 1;
        return repeated;
    }

    bool Number(std::size_t& value)
    {
        const std::size_t first = position_;
        value = 0;
        while (!AtEnd() && IsDigit(Peek()) && position_ - first < 4) {
            value = value * 10 + static_cast<std::size_t>(Peek() - '0');
            ++position_;
        }
        return position_ > first && (AtEnd() || !IsDigit(Peek()));
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

// Drops a text that another one begins: a match that begins with the longer one begins
// with the shorter too.
std::vector<std::string> Shortest(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    std::vector<std::string> kept;
    for (const std::string& text : texts)
        if (kept.empty() || text.compare(0, kept.back().size(), kept.back()) != 0)
            kept.push_back(text);
    return kept;
}

}  // namespace

std::optional<LiteralPrefixes> LiteralPrefixes::Of(std::string_view expression, const Modifiers& modifiers)
{
    // Ignoring case, a letter stands for more than itself.
    if (modifiers.IgnoreCase)
        return std::nullopt;
    const std::optional<Start> start = PrefixParser(expression).Whole();
    if (!start || !start->Texts)
        return std::nullopt;
    std::vector<std::string> texts = Shortest(*start->Texts);
    if (texts.empty() || texts.front().empty())
        return std::nullopt;
    // The texts are ASCII, and in UTF-8 and EUC-JP no ASCII byte is ever part of a longer
    // character: only Shift-JIS read by characters needs to look where its pairs begin.
    const bool shiftJisCharacters = modifiers.Kanji && modifiers.Encoding != TextEncoding::Utf8 &&
                                    modifiers.Encoding != TextEncoding::EucJp;
    return LiteralPrefixes(std::move(texts), shiftJisCharacters);
}

std::optional<LiteralPrefixes> LiteralPrefixes::OfTexts(std::vector<std::string> texts)
{
    texts = Shortest(std::move(texts));
    if (texts.empty() || texts.size() > MaxTexts || texts.front().empty())
        return std::nullopt;
    return LiteralPrefixes(std::move(texts), false);
}

LiteralPrefixes::LiteralPrefixes(std::vector<std::string> texts, bool kanji) : texts_(std::move(texts)), kanji_(kanji)
{
    for (std::size_t t = 0; t < texts_.size(); ++t) {
        isFirstByte_[static_cast<unsigned char>(texts_[t][0])] = true;
        filteredLength_[t] = std::min(Filtered, texts_[t].size());
        filterIsExact_ = filterIsExact_ && texts_[t].size() <= Filtered;
        for (std::size_t k = 0; k < filteredLength_[t]; ++k)
            std::memset(filter_[t][k], texts_[t][k], Lanes);
    }
}

// The texts are short: compared here byte by byte rather than by a call.
bool LiteralPrefixes::StandsAt(const char* p, const char* end) const
{
    const auto left = static_cast<std::size_t>(end - p);
    for (const std::string& text : texts_) {
        if (text[0] != *p || text.size() > left)
            continue;
        std::size_t same = 1;
        while (same < text.size() && text[same] == p[same])
            ++same;
        if (same == text.size())
            return true;
    }
    return false;
}

// `p` when one of the texts stands there, under k at a character start counted from
// `from`, which only the lead-range bytes right before it decide; null otherwise.
const char* LiteralPrefixes::Candidate(const char* from, const char* p, const char* end) const
{
    return StandsAt(p, end) && (!kanji_ || IsCharacterStart(from, p)) ? p : nullptr;
}

const char* LiteralPrefixes::Next(const char* from, const char* end) const
{
    const char* p = from;
#if defined(__SSE2__)
    // Sixteen places at a time are compared with the first bytes of every text; only where
    // all of them agree is the whole text compared. No byte at or after `end` is read.
    static_assert(Lanes == sizeof(__m128i));
    for (; end - p >= static_cast<std::ptrdiff_t>(Lanes + Filtered - 1); p += Lanes) {
        PrefetchAhead(p);
        __m128i chunks[Filtered];
        for (std::size_t k = 0; k < Filtered; ++k)
            chunks[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
        __m128i hits = _mm_setzero_si128();
        for (std::size_t t = 0; t < texts_.size(); ++t) {
            __m128i all = _mm_cmpeq_epi8(chunks[0], _mm_load_si128(reinterpret_cast<const __m128i*>(filter_[t][0])));
            for (std::size_t k = 1; k < filteredLength_[t]; ++k)
                all = _mm_and_si128(
                    all, _mm_cmpeq_epi8(chunks[k], _mm_load_si128(reinterpret_cast<const __m128i*>(filter_[t][k]))));
            hits = _mm_or_si128(hits, all);
        }
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0; mask &= mask - 1) {
            const char* place = p + __builtin_ctz(mask);
            if (filterIsExact_ ? !kanji_ || IsCharacterStart(from, place) : Candidate(from, place, end) != nullptr)
                return place;
        }
    }
#endif
    for (; p < end; ++p)
        if (isFirstByte_[static_cast<unsigned char>(*p)])
            if (const char* found = Candidate(from, p, end))
                return found;
    return nullptr;
}

}  // namespace bregexp
