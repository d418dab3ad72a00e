#include "bregexp/OnePassProgram.h"

#include <algorithm>
#include <bitset>
#include <iterator>
#include <map>

#include "bregexp/ExpressionTree.h"
#include "bregexp/TextCharacters.h"

namespace bregexp {

namespace {

// Beyond this many steps an unrolled expression is left to Oniguruma, and beyond this many
// states (of 2 KiB each) its automaton.
constexpr std::size_t MaxInstructions = 2000;
constexpr std::size_t MaxStates = 256;

// A backtracking program, as Oniguruma would run it: Split tries Next, then Other.
struct Instruction {
    enum class Op : std::uint8_t { Take, Split, Save, Check, Match };
    Op Code = Op::Match;
    int Next = -1;
    int Other = -1;  // Split
    int Set = -1;    // Take
    int Slot = -1;   // Save
    Assertion Anchor = Assertion::BeginText;
};

class ProgramWriter {
public:
    // The program of `node` followed by `next`: where it begins, -1 when it grows too large.
    int Write(const ExpressionNode& node, int next)
    {
        if (next < 0)
            return -1;
        switch (node.Type) {
        case ExpressionNode::Kind::Empty:
            return next;
        case ExpressionNode::Kind::Character:
            return Add({Instruction::Op::Take, next, -1, node.Set});
        case ExpressionNode::Kind::Check: {
            Instruction check{Instruction::Op::Check, next};
            check.Anchor = node.Anchor;
            return Add(check);
        }
        case ExpressionNode::Kind::Sequence:
            for (auto child = node.Children.rbegin(); child != node.Children.rend(); ++child)
                next = Write(*child, next);
            return next;
        case ExpressionNode::Kind::Alternatives: {
            int entry = Write(node.Children.back(), next);
            for (auto child = node.Children.rbegin() + 1; child != node.Children.rend(); ++child) {
                const int first = Write(*child, next);
                entry = first < 0 || entry < 0 ? -1 : Add({Instruction::Op::Split, first, entry});
            }
            return entry;
        }
        case ExpressionNode::Kind::Capture: {
            const int close = AddSave(2 * node.Group + 1, next);
            return AddSave(2 * node.Group, Write(node.Children[0], close));
        }
        case ExpressionNode::Kind::Repeat:
            return WriteRepeat(node, next);
        }
        return -1;
    }

    std::vector<Instruction> Code;

private:
    int Add(const Instruction& instruction)
    {
        if (Code.size() >= MaxInstructions)
            return -1;
        Code.push_back(instruction);
        return static_cast<int>(Code.size()) - 1;
    }

    int AddSave(int slot, int next)
    {
        if (next < 0)
            return -1;
        Instruction save{Instruction::Op::Save, next};
        save.Slot = slot;
        return Add(save);
    }

    int AddChoice(bool greedy, int body, int skip)
    {
        if (body < 0 || skip < 0)
            return -1;
        return greedy ? Add({Instruction::Op::Split, body, skip}) : Add({Instruction::Op::Split, skip, body});
    }

    // x{n,m} as n copies of x and then m - n nested optional ones, x{n,} as n copies and a
    // loop: the order in which backtracking tries the counts is Oniguruma's.
    int WriteRepeat(const ExpressionNode& node, int next)
    {
        const ExpressionNode& body = node.Children[0];
        int entry = next;
        if (node.Most < 0) {
            const int loop = Add({Instruction::Op::Split});
            if (loop < 0)
                return -1;
            const int first = Write(body, loop);
            if (first < 0)
                return -1;
            Code[loop].Next = node.Greedy ? first : next;
            Code[loop].Other = node.Greedy ? next : first;
            entry = loop;
        } else {
            for (int optional = node.Most - node.Least; optional > 0 && entry >= 0; --optional)
                entry = AddChoice(node.Greedy, Write(body, entry), next);
        }
        for (int required = 0; required < node.Least && entry >= 0; ++required)
            entry = Write(body, entry);
        return entry;
    }
};

// The ways on from one state, found by following every path that takes no character, in
// the order backtracking follows them.
class Closure {
public:
    Closure(const std::vector<Instruction>& code, OnePassProgram& program) : code_(code), program_(program) {}

    // False when two paths meet, which leaves the choice between them to backtracking.
    bool Follow(int pc, std::vector<std::uint16_t>& leaves)
    {
        visited_.assign(code_.size(), false);
        slots_.clear();
        return Visit(pc, 0, leaves);
    }

    // Take leaves waiting for the state their character leads to: (leaf, instruction).
    std::vector<std::pair<int, int>> Targets;

private:
    bool Visit(int pc, std::uint8_t checks, std::vector<std::uint16_t>& leaves)
    {
        if (visited_[pc])
            return false;
        visited_[pc] = true;
        const Instruction& instruction = code_[pc];
        switch (instruction.Code) {
        case Instruction::Op::Split:
            return Visit(instruction.Next, checks, leaves) && Visit(instruction.Other, checks, leaves);
        case Instruction::Op::Save: {
            slots_.push_back(static_cast<std::uint16_t>(instruction.Slot));
            const bool followed = Visit(instruction.Next, checks, leaves);
            slots_.pop_back();
            return followed;
        }
        case Instruction::Op::Check:
            return Visit(instruction.Next, checks | static_cast<std::uint8_t>(1u << static_cast<int>(instruction.Anchor)),
                         leaves);
        case Instruction::Op::Take:
        case Instruction::Op::Match:
            break;
        }
        OnePassLeaf leaf;
        leaf.Checks = checks;
        leaf.FirstSlot = static_cast<std::uint16_t>(program_.Slots.size());
        leaf.SlotCount = static_cast<std::uint16_t>(slots_.size());
        program_.Slots.insert(program_.Slots.end(), slots_.begin(), slots_.end());
        for (std::size_t i = 0; i < 4; ++i)
            leaf.Quick[i] = i < slots_.size() ? slots_[i] : program_.Scratch;
        if (instruction.Code == Instruction::Op::Take) {
            leaf.Set = instruction.Set;
            Targets.emplace_back(static_cast<int>(program_.Leaves.size()), instruction.Next);
        }
        leaves.push_back(static_cast<std::uint16_t>(program_.Leaves.size()));
        program_.Leaves.push_back(leaf);
        return program_.Leaves.size() < 0x8000;
    }

    const std::vector<Instruction>& code_;
    OnePassProgram& program_;
    std::vector<bool> visited_;
    std::vector<std::uint16_t> slots_;
};

// What the state does where `take` (a leaf, or negative for none) takes the character,
// when no leaf checks anything: backtracking tries the leaves in order, and the first
// match leaf either comes before the way on and wins, or after it and is kept in reserve.
OnePassStep StepOf(const OnePassState& state, const OnePassProgram& program, int take)
{
    OnePassStep step;
    step.Leaf = static_cast<std::int16_t>(take);
    bool passed = false;
    for (const std::uint16_t index : state.Leaves) {
        if (program.Leaves[index].Set >= 0) {
            passed = passed || index == take;
            continue;
        }
        step.Ending = static_cast<std::int16_t>(index);
        step.What = take < 0 || !passed ? OnePassStep::End : OnePassStep::RememberAndTake;
        return step;
    }
    step.What = take < 0 ? OnePassStep::Fail : OnePassStep::Take;
    return step;
}

// Copies what the steps need of their leaves into them, once every leaf has its target.
void CompleteSteps(OnePassProgram& program)
{
    for (OnePassState& state : program.States)
        for (OnePassStep& step : state.ByByte)
            if (step.Leaf >= 0) {
                const OnePassLeaf& leaf = program.Leaves[static_cast<std::size_t>(step.Leaf)];
                step.Target = static_cast<std::int16_t>(leaf.Target);
                step.Slots = leaf.SlotCount > 0;
            }
}

// Fills the state's steps; false when two of its ways can take the same character.
bool FillSteps(OnePassState& state, const OnePassProgram& program, const std::vector<std::bitset<256>>& lowCodes,
               const TextCharacters& characters)
{
    std::vector<int> takes;
    bool checks = false;
    bool ascii = true;  // no way on takes a character of more than one byte
    for (const std::uint16_t index : state.Leaves) {
        const OnePassLeaf& leaf = program.Leaves[index];
        checks = checks || leaf.Checks != 0;
        if (leaf.Set < 0)
            continue;
        ascii = ascii && program.Sets[leaf.Set].HoldsOnlyAscii();
        for (const int other : takes) {
            const OnePassLeaf& before = program.Leaves[other];
            if (!AreDisjoint(program.Sets[before.Set], lowCodes[before.Set], program.Sets[leaf.Set], lowCodes[leaf.Set],
                             characters))
                return false;
        }
        takes.push_back(index);
    }
    // The step of a way on, or of none, is the same whatever byte it takes.
    std::vector<std::pair<int, OnePassStep>> known;
    const auto stepOf = [&](int take) {
        for (const auto& [leaf, step] : known)
            if (leaf == take)
                return step;
        known.emplace_back(take, StepOf(state, program, take));
        return known.back().second;
    };
    // The way on for each code below 0x100, the ways' codes being disjoint.
    std::int16_t takeOf[256];
    std::fill(std::begin(takeOf), std::end(takeOf), OnePassState::NoLeaf);
    for (const int index : takes) {
        const std::bitset<256>& codes = lowCodes[program.Leaves[index].Set];
        for (std::size_t code = codes._Find_first(); code < codes.size(); code = codes._Find_next(code))
            takeOf[code] = static_cast<std::int16_t>(index);
    }
    for (unsigned byte = 0; byte < 256; ++byte) {
        int take = takeOf[byte];
        // A longer character is read only where a way on could take it: where none can,
        // neither its other bytes nor whether it is well-formed change what happens here.
        if (ascii && characters.IsWideFrom(static_cast<unsigned char>(byte)))
            take = OnePassState::NoLeaf;
        else if (characters.LengthOf(static_cast<unsigned char>(byte)) > 1)
            take = OnePassState::Wide;
        else if (!characters.IsSingle(static_cast<unsigned char>(byte)))
            take = OnePassState::Malformed;
        OnePassStep& step = state.ByByte[byte];
        if (checks || take < OnePassState::NoLeaf) {
            step.Leaf = static_cast<std::int16_t>(take);
            step.What = OnePassStep::Look;
        } else {
            step = stepOf(take);
        }
    }
    if (checks)
        state.AtEnd.What = OnePassStep::Look;
    else
        state.AtEnd = stepOf(OnePassState::NoLeaf);
    return true;
}

}  // namespace

std::vector<std::string> OnePassProgram::LeadingTexts(const TextCharacters& characters) const
{
    constexpr std::size_t MostTexts = 16;
    constexpr std::size_t MostBytes = 16;
    constexpr std::size_t MostCodes = 4;
    std::vector<std::string> texts;
    std::vector<std::pair<int, std::string>> paths{{0, std::string()}};
    while (!paths.empty()) {
        auto [state, bytes] = std::move(paths.back());
        paths.pop_back();
        std::vector<std::pair<int, std::string>> longer;
        bool stops = bytes.size() >= MostBytes;
        for (const std::uint16_t index : States[static_cast<std::size_t>(state)].Leaves) {
            const OnePassLeaf& leaf = Leaves[index];
            // Where a match may end, or take one of many characters, its text ends.
            const std::optional<std::vector<std::uint32_t>> codes =
                leaf.Set < 0 ? std::nullopt : Sets[static_cast<std::size_t>(leaf.Set)].FewCodes(MostCodes);
            if (!codes) {
                stops = true;
                continue;
            }
            for (const std::uint32_t code : *codes) {
                std::string next = bytes;
                if (!characters.AppendCharacter(code, next))
                    return {};
                longer.emplace_back(leaf.Target, std::move(next));
            }
        }
        if (stops) {
            if (bytes.empty())
                return {};
            texts.push_back(std::move(bytes));
        } else {
            paths.insert(paths.end(), longer.begin(), longer.end());
        }
        if (texts.size() + paths.size() > MostTexts)
            return {};
    }
    return texts;
}

std::optional<OnePassProgram> OnePassProgram::Build(const ExpressionTree& tree, const TextCharacters& characters)
{
    ProgramWriter writer;
    writer.Code.push_back({Instruction::Op::Match});
    // Group 0 is the whole match: its slots are set by the matcher.
    const int start = writer.Write(tree.Root, 0);
    if (start < 0)
        return std::nullopt;

    OnePassProgram program;
    program.Sets = tree.Sets;
    program.GroupCount = tree.GroupCount;
    program.Scratch = static_cast<std::uint16_t>(2 * (tree.GroupCount + 1));
    std::vector<std::bitset<256>> lowCodes;
    for (const CharacterSet& set : program.Sets)
        lowCodes.push_back(LowCodes(set, characters));

    std::map<int, int> stateOf;  // instruction -> state
    std::vector<int> pending{start};
    stateOf[start] = 0;
    Closure closure(writer.Code, program);
    for (std::size_t next = 0; next < pending.size(); ++next) {
        OnePassState state;
        closure.Targets.clear();
        if (!closure.Follow(pending[next], state.Leaves) || !FillSteps(state, program, lowCodes, characters))
            return std::nullopt;
        for (const auto& [leaf, pc] : closure.Targets) {
            const auto [found, added] = stateOf.emplace(pc, static_cast<int>(pending.size()));
            if (added)
                pending.push_back(pc);
            program.Leaves[leaf].Target = found->second;
        }
        program.States.push_back(state);
        if (program.States.size() > MaxStates)
            return std::nullopt;
    }

    CompleteSteps(program);
    const OnePassState& first = program.States[0];
    for (const std::uint16_t index : first.Leaves)
        if (program.Leaves[index].Set < 0)
            program.StartsAnywhere = true;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const OnePassStep& step = first.ByByte[byte];
        program.FirstBytes[byte] = step.What == OnePassStep::Look ? step.Leaf != OnePassState::NoLeaf
                                                                  : step.What != OnePassStep::Fail;
    }
    return program;
}

}  // namespace bregexp
