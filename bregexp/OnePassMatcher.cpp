#include "bregexp/OnePassMatcher.h"

#include <oniguruma.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "bregexp/ExpressionTree.h"
#include "bregexp/LiteralPrefixes.h"
#include "bregexp/OnigurumaMatcher.h"
#include "engine/text/CharacterRule.h"
#include "engine/text/PrefetchAhead.h"
#include "platform/DoubleByte.h"

namespace bregexp {

namespace {

// The attempts of one search may take this many characters for each byte between where the
// search began and the furthest place read, and a few more; a search beyond that is left
// to Oniguruma: trying every place of a long run that almost matches takes time in the
// square. One long match is no such search.
constexpr long StepsPerByte = 16;
constexpr long SpareSteps = 4096;

// The slots of a match are copied in chunks of this many without a call: an expression has
// few groups, and every match fills and copies them. Their arrays are whole lines of memory,
// which hold whole chunks.
constexpr std::size_t SlotChunk = 8;
static_assert(LineArray<int>::Line % (SlotChunk * sizeof(int)) == 0);

void CopySlots(const int* from, int* to, std::size_t count)
{
    for (std::size_t i = 0; i < count; i += SlotChunk)
        std::memcpy(to + i, from + i, SlotChunk * sizeof(int));
}

void UnsetSlots(int* slots, std::size_t count)
{
    static const int unset[SlotChunk] = {-1, -1, -1, -1, -1, -1, -1, -1};
    for (std::size_t i = 0; i < count; i += SlotChunk)
        std::memcpy(slots + i, unset, sizeof unset);
}

bool Has(std::uint8_t checks, Assertion anchor)
{
    return (checks & (1u << static_cast<int>(anchor))) != 0;
}

}  // namespace

// Where an attempt stands, with what its checks need to know, found when first asked.
struct OnePassMatcher::Place {
    const char* Text;
    const char* End;
    const char* At;
    const char* Before;  // where the character before At begins; null until known
};

// An expression compiled for our matcher. It never changes once made, so that the handles
// of one expression (a run makes one for every file) share it, also on several threads at
// once: it has lines of memory to itself, which no write to a neighbour takes from them.
struct alignas(64) OnePassMatcher::Compiled {
    Compiled(OnePassProgram program, const TextCharacters& characters)
        : Program(std::move(program)), Characters(characters)
    {
        if (Program.StartsAnywhere)
            return;
        Prefixes = LiteralPrefixes::OfTexts(Program.LeadingTexts(Characters));
        if (Prefixes)
            FindSkips();
        int ranges = 0;
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (!Program.FirstBytes[byte] || (byte > 0 && Program.FirstBytes[byte - 1]))
                continue;
            unsigned high = byte;
            while (high < 255 && Program.FirstBytes[high + 1])
                ++high;
            if (ranges < 4) {
                FirstLow[ranges] = static_cast<unsigned char>(byte);
                FirstSpan[ranges] = static_cast<unsigned char>(high - byte);
            }
            ++ranges;
        }
        FirstRanges = ranges <= 4 ? ranges : -1;
    }

    // The steps along the text a candidate was found by, where they can be taken at once:
    // each a character of one byte that a leaf takes without a check, and nothing else
    // possible, so that a match that begins there passes them in any case.
    struct Skip {
        int Length = 0;
        int Target = 0;  // the state after them
        // (slot, offset) for every slot the leaves on the way set, in the order they set them.
        std::vector<std::pair<std::uint16_t, std::uint16_t>> SlotsSet;
    };

    // A skip for every text whose first byte no other text begins with.
    void FindSkips()
    {
        std::fill(std::begin(SkipOfFirstByte), std::end(SkipOfFirstByte), -1);
        int texts[256] = {};
        for (const std::string& text : Prefixes->Texts())
            ++texts[static_cast<unsigned char>(text[0])];
        for (const std::string& text : Prefixes->Texts()) {
            const auto first = static_cast<unsigned char>(text[0]);
            if (texts[first] != 1)
                continue;
            Skip skip;
            int state = 0;
            for (; skip.Length < static_cast<int>(text.size()); ++skip.Length) {
                const OnePassStep& step =
                    Program.States[static_cast<std::size_t>(state)].ByByte[static_cast<unsigned char>(text[skip.Length])];
                if (step.What != OnePassStep::Take)
                    break;
                if (step.Slots) {
                    const OnePassLeaf& leaf = Program.Leaves[static_cast<std::size_t>(step.Leaf)];
                    for (std::uint16_t i = 0; i < leaf.SlotCount; ++i)
                        skip.SlotsSet.emplace_back(Program.Slots[leaf.FirstSlot + i],
                                                   static_cast<std::uint16_t>(skip.Length));
                }
                state = step.Target;
            }
            if (skip.Length == 0)
                continue;
            skip.Target = state;
            SkipOfFirstByte[first] = static_cast<std::int8_t>(Skips.size());
            Skips.push_back(std::move(skip));
        }
    }

    OnePassProgram Program;
    const TextCharacters& Characters;
    std::optional<LiteralPrefixes> Prefixes;
    std::vector<Skip> Skips;
    std::int8_t SkipOfFirstByte[256] = {};  // an index into Skips, or negative
    unsigned char FirstLow[4] = {};
    unsigned char FirstSpan[4] = {};
    int FirstRanges = -1;
};

namespace {

// The expressions compiled last, the ones our matcher does not take among them: a run
// applies the same few expressions to every file. Each thread has its own: what a thread
// compiles lies in its own memory, where no other thread's writes to neighbouring memory
// take the lines it reads at every match away.
class CompiledCache {
public:
    template <typename Make>
    std::shared_ptr<const OnePassMatcher::Compiled> FindOrMake(const std::string& key, Make make)
    {
        const std::thread::id thread = std::this_thread::get_id();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (const Entry& entry : entries_)
                if (entry.Thread == thread && entry.Key == key)
                    return entry.Compiled;
        }
        std::shared_ptr<const OnePassMatcher::Compiled> compiled = make();
        const std::lock_guard<std::mutex> lock(mutex_);
        entries_.push_front({thread, key, compiled});
        if (entries_.size() > Kept)
            entries_.pop_back();
        return compiled;
    }

private:
    struct Entry {
        std::thread::id Thread;
        std::string Key;
        std::shared_ptr<const OnePassMatcher::Compiled> Compiled;
    };

    // Each thread's own: a run's few expressions for each of its workers.
    static constexpr std::size_t Kept = 64;
    std::mutex mutex_;
    std::list<Entry> entries_;
};

}  // namespace

std::shared_ptr<const OnePassMatcher::Compiled> OnePassMatcher::Compile(const std::string& pattern,
                                                                        const Modifiers& modifiers, int groupCount)
{
    const TextCharacters& characters = TextCharactersOf(OnigurumaEncoding(modifiers));
    const std::optional<ExpressionTree> tree =
        ParseExpressionTree(pattern, characters, modifiers.IgnoreCase, modifiers.Multiline);
    if (!tree || tree->GroupCount != groupCount)
        return nullptr;
    std::optional<OnePassProgram> program = OnePassProgram::Build(*tree, characters);
    if (!program)
        return nullptr;
    return std::make_shared<const Compiled>(std::move(*program), characters);
}

std::unique_ptr<OnePassMatcher> OnePassMatcher::Build(const std::string& pattern, const Modifiers& modifiers,
                                                      int groupCount)
{
    static CompiledCache cache;
    std::string key = pattern;
    key.append(1, '\0').append(1, static_cast<char>(modifiers.Encoding)).append(1, modifiers.Kanji ? 'k' : '-');
    key.append(1, modifiers.IgnoreCase ? 'i' : '-').append(1, modifiers.Multiline ? 'm' : '-');
    key.append(std::to_string(groupCount));
    std::shared_ptr<const Compiled> compiled =
        cache.FindOrMake(key, [&] { return Compile(pattern, modifiers, groupCount); });
    if (!compiled)
        return nullptr;
    return std::unique_ptr<OnePassMatcher>(new OnePassMatcher(std::move(compiled)));
}

OnePassMatcher::OnePassMatcher(std::shared_ptr<const Compiled> compiled)
    : compiled_(std::move(compiled)),
      program_(compiled_->Program),
      characters_(compiled_->Characters),
      prefixes_(compiled_->Prefixes),
      firstLow_(compiled_->FirstLow),
      firstSpan_(compiled_->FirstSpan),
      firstRanges_(compiled_->FirstRanges),
      states_(program_.States.data()),
      leaves_(program_.Leaves.data())
{
    const std::size_t slots = program_.Scratch + 1u;
    slots_ = LineArray<int>(slots, -1);
    fallback_ = LineArray<int>(slots, -1);
    result_ = LineArray<int>(slots, -1);
    usedSlots_ = (slots + SlotChunk - 1) / SlotChunk * SlotChunk;
}

inline void OnePassMatcher::Apply(const OnePassLeaf& leaf, int* slots, int offset) const
{
    slots[leaf.Quick[0]] = offset;
    slots[leaf.Quick[1]] = offset;
    slots[leaf.Quick[2]] = offset;
    slots[leaf.Quick[3]] = offset;
    const std::uint16_t* slot = program_.Slots.data() + leaf.FirstSlot;
    for (std::uint16_t i = 4; i < leaf.SlotCount; ++i)
        slots[slot[i]] = offset;
}

// The checks of a leaf at a place, as Oniguruma makes them: the character before a place
// is the one Oniguruma steps back to, which over well-formed text is the one read last.
bool OnePassMatcher::ChecksHold(std::uint8_t checks, Place& place, bool& undecided) const
{
    if (checks == 0)
        return true;
    const bool atBegin = place.At == place.Text;
    const bool atEnd = place.At == place.End;
    const auto wordAt = [&](const char* p) {
        const auto first = static_cast<unsigned char>(*p);
        if (characters_.LengthOf(first) == 1 ? !characters_.IsSingle(first) : characters_.WellFormedLength(p, place.End) == 0) {
            undecided = true;
            return false;
        }
        return characters_.IsWordCode(characters_.CodeAt(p, place.End));
    };
    const auto before = [&]() {
        if (!place.Before)
            place.Before = reinterpret_cast<const char*>(
                onigenc_get_prev_char_head(characters_.Encoding(), reinterpret_cast<const OnigUChar*>(place.Text),
                                           reinterpret_cast<const OnigUChar*>(place.At)));
        return place.Before;
    };
    if (Has(checks, Assertion::BeginText) && !atBegin)
        return false;
    if (Has(checks, Assertion::EndText) && !atEnd)
        return false;
    if (Has(checks, Assertion::SemiEndText) && !atEnd && !(*place.At == '\n' && place.At + 1 == place.End))
        return false;
    if (Has(checks, Assertion::EndLine) && !atEnd && *place.At != '\n')
        return false;
    if (Has(checks, Assertion::BeginLine) && !atBegin && (atEnd || *before() != '\n'))
        return false;
    for (const Assertion boundary : {Assertion::WordBoundary, Assertion::NotWordBoundary}) {
        if (!Has(checks, boundary))
            continue;
        bool differ;
        if (atBegin)
            differ = !atEnd && wordAt(place.At);
        else if (atEnd)
            differ = wordAt(before());
        else
            differ = wordAt(place.At) != wordAt(before());
        if (undecided || differ != (boundary == Assertion::WordBoundary))
            return false;
    }
    return true;
}

// The step a state takes at a place where checks decide, or where the character is longer
// than a byte, found as backtracking would find it: the leaves in order, a match leaf
// before the one way on ending the match, one after it kept in reserve.
OnePassStep OnePassMatcher::Look(const OnePassState& state, int take, Place& place, std::size_t& length,
                                 bool& undecided) const
{
    if (place.At < place.End && take == OnePassState::Malformed) {
        undecided = true;
        return {};
    }
    if (place.At < place.End && take == OnePassState::Wide) {
        length = characters_.WellFormedLength(place.At, place.End);
        if (length == 0) {
            undecided = true;
            return {};
        }
        const std::uint32_t code = characters_.CodeAt(place.At, place.End);
        take = OnePassState::NoLeaf;
        for (const std::uint16_t index : state.Leaves) {
            const OnePassLeaf& leaf = program_.Leaves[index];
            if (leaf.Set >= 0 && program_.Sets[static_cast<std::size_t>(leaf.Set)].Contains(code, characters_)) {
                take = index;
                break;
            }
        }
    }
    OnePassStep step;
    step.Leaf = static_cast<std::int16_t>(take);
    if (take >= 0) {
        step.Target = static_cast<std::int16_t>(program_.Leaves[static_cast<std::size_t>(take)].Target);
        step.Slots = program_.Leaves[static_cast<std::size_t>(take)].SlotCount > 0;
    }
    const bool viable = take >= 0 && ChecksHold(program_.Leaves[static_cast<std::size_t>(take)].Checks, place, undecided);
    bool passed = false;
    for (const std::uint16_t index : state.Leaves) {
        if (undecided)
            return {};
        const OnePassLeaf& leaf = program_.Leaves[index];
        if (leaf.Set >= 0) {
            passed = passed || index == take;
            continue;
        }
        if (!ChecksHold(leaf.Checks, place, undecided))
            continue;
        step.Ending = static_cast<std::int16_t>(index);
        step.What = viable && passed ? OnePassStep::RememberAndTake : OnePassStep::End;
        return step;
    }
    step.What = viable ? OnePassStep::Take : OnePassStep::Fail;
    return step;
}

inline OnePassMatcher::Attempt OnePassMatcher::EndAt(const OnePassStep& step, int offset, long steps)
{
    int* slots = slots_.data();
    Apply(leaves_[step.Ending], slots, offset);
    slots[1] = offset;
    steps_ = steps;
    result_.swap(slots_);
    return Attempt::Matched;
}

// Taken into Search, which runs it at every match of a dense text.
__attribute__((always_inline)) inline OnePassMatcher::Attempt OnePassMatcher::MatchAt(const char* text, const char* end,
                                                                                       const char* start, bool afterText)
{
    int* slots = slots_.data();
    UnsetSlots(slots, usedSlots_);
    slots[0] = static_cast<int>(start - text);
    const OnePassState* state = states_;
    const char* s = start;
    const char* before = nullptr;
    long steps = steps_;
    if (afterText) {
        // One of the texts a match begins with stands at `start`: where its steps are
        // certain, they are taken at once.
        const std::int8_t index = compiled_->SkipOfFirstByte[static_cast<unsigned char>(*start)];
        if (index >= 0) {
            const Compiled::Skip& skip = compiled_->Skips[static_cast<std::size_t>(index)];
            const int offset = static_cast<int>(start - text);
            for (const auto& [slot, at] : skip.SlotsSet)
                slots[slot] = offset + at;
            s = start + skip.Length;
            before = s - 1;
            state = states_ + skip.Target;
            steps += skip.Length;
        }
    }
    // Single-byte characters that one leaf takes, and the end of the match, without any
    // match in reserve: most steps of most attempts. Anything else is left to MatchOn.
    const long mostSteps = SpareSteps - StepsPerByte * (searchFrom_ - text);
    for (; s < end; ++s) {
        const OnePassStep& step = state->ByByte[static_cast<unsigned char>(*s)];
        const int offset = static_cast<int>(s - text);
        if (step.What == OnePassStep::Take) {
            if (step.Slots)
                Apply(leaves_[step.Leaf], slots, offset);
            if (++steps > mostSteps + StepsPerByte * offset)
                return Attempt::Undecided;
            before = s;
            state = states_ + step.Target;
            continue;
        }
        if (step.What == OnePassStep::End)
            return EndAt(step, offset, steps);
        if (step.What == OnePassStep::Fail) {
            steps_ = steps;
            return Attempt::Failed;
        }
        break;
    }
    return MatchOn(text, end, start, state, s, before, steps);
}

OnePassMatcher::Attempt OnePassMatcher::MatchOn(const char* text, const char* end, const char* start,
                                                const OnePassState* state, const char* s, const char* before,
                                                long steps)
{
    int* slots = slots_.data();
    const std::size_t count = usedSlots_;
    // The match backtracking falls back to when the way on fails: the last one met. It is
    // written out only before the slots change, so that a loop over characters that sets
    // no slot does not copy them at every character.
    bool reserved = false;
    const char* pendingAt = nullptr;
    int pendingLeaf = -1;
    const auto reserve = [&] {
        if (!pendingAt)
            return;
        int* copy = fallback_.data();
        CopySlots(slots, copy, count);
        const int offset = static_cast<int>(pendingAt - text);
        Apply(leaves_[pendingLeaf], copy, offset);
        copy[1] = offset;
        reserved = true;
        pendingAt = nullptr;
    };
    for (;;) {
        OnePassStep step = s < end ? state->ByByte[static_cast<unsigned char>(*s)] : state->AtEnd;
        std::size_t length = 1;
        if (step.What == OnePassStep::Look) {
            Place place{text, end, s, s > start ? before : nullptr};
            bool undecided = false;
            step = Look(*state, step.Leaf, place, length, undecided);
            if (undecided)
                return Attempt::Undecided;
        }
        const int offset = static_cast<int>(s - text);
        if (step.What == OnePassStep::End)
            return EndAt(step, offset, steps);
        if (step.What == OnePassStep::Fail)
            break;
        if (step.What == OnePassStep::RememberAndTake) {
            pendingAt = s;
            pendingLeaf = step.Ending;
        }
        if (step.Slots) {
            reserve();
            Apply(leaves_[step.Leaf], slots, offset);
        }
        if (++steps > SpareSteps + StepsPerByte * (s - searchFrom_))
            return Attempt::Undecided;
        before = s;
        s += length;
        state = states_ + step.Target;
    }
    steps_ = steps;
    reserve();
    if (!reserved)
        return Attempt::Failed;
    result_.swap(fallback_);
    return Attempt::Matched;
}

const char* OnePassMatcher::NextFirstByte(const char* p, const char* end) const
{
#if defined(__SSE2__)
    // Sixteen bytes at a time, each compared with every range as the distance from its
    // low end, which a byte below it turns into a large one.
    if (firstRanges_ >= 0) {
        for (; end - p >= 16; p += 16) {
            PrefetchAhead(p);
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i hits = _mm_setzero_si128();
            for (int k = 0; k < firstRanges_; ++k) {
                const __m128i distance = _mm_sub_epi8(chunk, _mm_set1_epi8(static_cast<char>(firstLow_[k])));
                const __m128i span = _mm_set1_epi8(static_cast<char>(firstSpan_[k]));
                hits = _mm_or_si128(hits, _mm_cmpeq_epi8(_mm_min_epu8(distance, span), distance));
            }
            if (const int mask = _mm_movemask_epi8(hits))
                return p + __builtin_ctz(static_cast<unsigned>(mask));
        }
    }
#endif
    for (; p < end; ++p)
        if (program_.FirstBytes[static_cast<unsigned char>(*p)])
            return p;
    return nullptr;
}

void OnePassMatcher::TakeAsWellFormed(const char* text, const char* end)
{
    if (!characters_.IsShiftJis())
        return;
    knownText_ = text, knownEnd_ = end, knownUntil_ = end;
    aheadStopped_ = false;
}

bool OnePassMatcher::IsKnownWellFormed(const char* until, const char* end)
{
    if (!fromAligned_)
        return false;
    if (until <= knownUntil_)
        return true;
    // Only a text searched again from a later place is read ahead: a caller that gives
    // each search a text of its own would pay for the reading ahead at every search.
    if ((searchFrom_ == knownText_ && !onward_) || aheadStopped_)
        return false;
    const std::size_t room = static_cast<std::size_t>(end - knownUntil_);
    const char* target = knownUntil_ + std::min(room, std::max(aheadStep_, static_cast<std::size_t>(until - knownUntil_)));
    aheadStep_ = std::min<std::size_t>(2 * aheadStep_, MostAhead);
    const char* reached = characters_.WellFormedUntil(knownUntil_, target, end);
    if (!reached) {
        // Bytes that form no character: from there on each stretch is looked at by itself.
        aheadStopped_ = true;
        return false;
    }
    knownUntil_ = reached;
    return until <= knownUntil_;
}

// Taken into Search, as MatchAt is.
__attribute__((always_inline)) inline const char* OnePassMatcher::NextCandidate(const char* p, const char* end,
                                                                                bool& undecided)
{
    if (program_.StartsAnywhere)
        return p;
    while (p < end) {
        const char* found = prefixes_ ? prefixes_->Next(p, end) : NextFirstByte(p, end);
        if (characters_.ReadsBytes())
            return found;
        // The bytes passed over are read as characters too: where they form none, Oniguruma
        // may find a match that begins inside them. A place found inside a character is
        // no candidate; the search goes on after that character.
        const char* until = found ? found : end;
        if (characters_.IsShiftJis() && (IsKnownWellFormed(until, end) || characters_.HasNoBrokenPair(p, until, end))) {
            if (!found || IsCharacterStart(p, found))
                return found;
            p = found + 1;
            continue;
        }
        const char* reached = characters_.WellFormedUntil(p, until, end);
        if (!reached) {
            undecided = true;
            return nullptr;
        }
        if (!found || reached == found)
            return found;
        p = reached;
    }
    return nullptr;
}

void OnePassMatcher::PointGroups(const char* textStart, int last, char** starts, char** ends) const
{
    char* text = const_cast<char*>(textStart);
    const int* slot = result_.data();
    for (int group = 1; group <= last; ++group) {
        const bool took = slot[2 * group] >= 0;
        starts[group] = took ? text + slot[2 * group] : nullptr;
        ends[group] = took ? text + slot[2 * group + 1] : nullptr;
    }
}

int OnePassMatcher::Search(const char* text, const char* end, const char* from)
{
    // Oniguruma steps back from a place to the character before it over the text before
    // `from` too, which must be well-formed for that step to agree with reading forwards.
    if (!characters_.ReadsBytes()) {
        if (onward_ && characters_.IsShiftJis() && end == knownEnd_ && knownText_ && knownText_ <= text &&
            text <= knownUntil_ && IsCharacterStart(knownText_, text)) {
            // A later part of the text searched before, beginning at one of its characters:
            // what was read of it still holds.
            knownText_ = text;
        } else if (from == text || text != knownText_ || end != knownEnd_) {
            knownText_ = text, knownEnd_ = end, knownUntil_ = text;
            aheadStep_ = FirstAhead;
            aheadStopped_ = false;
        }
        if (knownUntil_ < from) {
            if (characters_.WellFormedUntil(knownUntil_, from, end) != from)
                return Undecided;
            knownUntil_ = from;
            fromAligned_ = true;
        } else {
            // A search from a place already read well-formed, which may be inside a character:
            // what is known of the text holds for the characters counted from `from` only
            // when it begins one.
            fromAligned_ = !characters_.IsShiftJis() || IsCharacterStart(knownText_, from);
        }
    }
    steps_ = 0;
    searchFrom_ = from;
    for (const char* p = from;;) {
        bool undecided = false;
        p = NextCandidate(p, end, undecided);
        if (undecided)
            return Undecided;
        if (!p)
            return ONIG_MISMATCH;
        // A candidate the texts led to has one of them standing at it.
        switch (MatchAt(text, end, p, prefixes_.has_value())) {
        case Attempt::Matched:
            if (!characters_.ReadsBytes())
                knownUntil_ = std::max(knownUntil_, text + result_[1]);
            return result_[0];
        case Attempt::Undecided:
            return Undecided;
        case Attempt::Failed:
            break;
        }
        if (p >= end)
            return ONIG_MISMATCH;
        const std::size_t length =
            characters_.IsSingle(static_cast<unsigned char>(*p)) ? 1 : characters_.WellFormedLength(p, end);
        if (length == 0)
            return Undecided;
        p += length;
    }
}

}  // namespace bregexp
