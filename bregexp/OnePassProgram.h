#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bregexp/CharacterSet.h"

namespace bregexp {

struct ExpressionTree;
class TextCharacters;

// One way on from a state of the automaton: the character it takes (or the end of the
// match), the checks that must hold where it is taken, and the capture slots it sets there.
struct OnePassLeaf {
    int Set = -1;                 // index into OnePassProgram::Sets; negative: the match ends
    std::uint8_t Checks = 0;      // one bit per Assertion
    std::uint16_t FirstSlot = 0;  // its slots: OnePassProgram::Slots[FirstSlot, FirstSlot + SlotCount)
    std::uint16_t SlotCount = 0;
    // The first four of them, the rest OnePassProgram::Scratch: set without a loop.
    std::uint16_t Quick[4] = {};
    int Target = -1;              // the state after the character
};

// What a state does with the character at a place, where no check decides it.
struct OnePassStep {
    enum Kind : std::uint8_t {
        Fail,             // nothing takes it and no match ends here
        Take,             // the leaf Leaf takes it
        End,              // the match ends here with the leaf Ending, before anything takes it
        RememberAndTake,  // Leaf takes it; when the way on fails, the match ends here with Ending
        Look,             // checks decide, or the character is longer than a byte or none
    };
    std::int16_t Leaf = -1;    // a leaf, or one of the values below, for Look
    std::int16_t Ending = -1;
    std::int16_t Target = -1;  // Leaf's target, so that a step needs no look at the leaf
    Kind What = Fail;
    std::uint8_t Slots = 0;    // whether Leaf sets slots
};

struct OnePassState {
    // OnePassStep::Leaf for Look at a byte that is not a character of its own.
    static constexpr std::int16_t NoLeaf = -1;
    static constexpr std::int16_t Wide = -2;       // a longer character: its code decides
    static constexpr std::int16_t Malformed = -3;  // no character of the encoding
    OnePassStep ByByte[256];  // for the character of one byte that begins with it
    OnePassStep AtEnd;        // at the end of the text
    std::vector<std::uint16_t> Leaves;  // in the order backtracking would try them
};

// An expression compiled for matching without backtracking: a state per place in the
// expression after a character, from which at most one way takes any given character, so
// that the one way a backtracking matcher would find is the only one there is. Where a
// way ends the match beside one that goes on, their order says which one backtracking
// would keep: the match that wins at once, or the one it falls back to when the way on
// fails.
struct OnePassProgram {
    // Null when the expression is not of that kind, or too large.
    static std::optional<OnePassProgram> Build(const ExpressionTree& tree, const TextCharacters& characters);

    std::vector<OnePassState> States;  // the first one is where a match begins
    std::vector<OnePassLeaf> Leaves;
    std::vector<std::uint16_t> Slots;  // capture slots: 2n the start of group n, 2n + 1 its end
    std::uint16_t Scratch = 0;         // a slot after those of the groups, which nothing reads
    std::vector<CharacterSet> Sets;
    int GroupCount = 0;
    bool StartsAnywhere = false;       // the empty text matches somewhere: every place is a candidate
    bool FirstBytes[256] = {};         // bytes a match can begin with, when it cannot begin anywhere

    // Texts of which every match begins with one, as far as the first states tell; none
    // when a match can begin with too many, or with nothing.
    std::vector<std::string> LeadingTexts(const TextCharacters& characters) const;
};

}  // namespace bregexp
