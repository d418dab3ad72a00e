#pragma once
#include <cstdint>
#include <optional>
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
    int Target = -1;              // the state after the character
};

struct OnePassState {
    // ByByte: the leaf that takes a character of one byte, or what else the byte means.
    static constexpr std::int16_t NoLeaf = -1;
    static constexpr std::int16_t Wide = -2;       // a longer character: its code decides
    static constexpr std::int16_t Malformed = -3;  // no character of the encoding
    std::int16_t ByByte[256];
    std::vector<std::uint16_t> Leaves;  // in the order backtracking would try them
    bool Plain = true;                  // no leaf ends the match or checks a place
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
    std::vector<CharacterSet> Sets;
    int GroupCount = 0;
    bool StartsAnywhere = false;       // the empty text matches somewhere: every place is a candidate
    bool FirstBytes[256] = {};         // bytes a match can begin with, when it cannot begin anywhere
};

}  // namespace bregexp
