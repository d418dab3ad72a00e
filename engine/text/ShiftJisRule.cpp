#include "engine/text/CharacterRule.h"
#include "engine/text/ShiftJisWellFormed.h"
#include "platform/DoubleByte.h"

namespace {

// The double-byte rule of code page 932, which platform/DoubleByte.h owns.
class ShiftJis final : public CharacterRule {
public:
    std::size_t CharacterLength(std::string_view text, std::size_t position) const override
    {
        return ::CharacterLength(text, position);
    }

    bool AcceptCharacterStart(std::string_view text, std::size_t& known, std::size_t candidate) const override
    {
        // Only the run of lead-range bytes before the candidate decides.
        return ::AcceptCharacterStart(text.data(), known, candidate);
    }

    std::size_t RestartPoint(std::string_view text, std::size_t known, std::size_t position) const override
    {
        // A position that is not a start is the second byte of a pair that begins before it.
        return IsCharacterStart(text.data() + known, text.data() + position) ? position : position - 1;
    }

    bool EndsOnCharacterStart(std::string_view, std::size_t, std::size_t) const override { return true; }

    std::size_t CompleteEnd(std::string_view text) const override
    {
        const std::size_t size = text.size();
        if (size > 0 && IsLeadByte(text[size - 1]) && IsCharacterStart(text.data(), text.data() + size - 1))
            return size - 1;
        return size;
    }

    std::size_t WellFormedUntil(std::string_view text, std::size_t from, std::size_t until) const override
    {
        return ShiftJisWellFormedUntil(text, from, until);
    }
};

}  // namespace

const CharacterRule& ShiftJisRule()
{
    static const ShiftJis rule;
    return rule;
}
