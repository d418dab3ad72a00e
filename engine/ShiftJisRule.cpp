#include "engine/CharacterRule.h"
#include "platform/DoubleByte.h"

namespace {

bool IsSecondByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// A byte that code page 932 leaves without a character when it stands alone.
bool IsUnassignedSingle(unsigned char byte)
{
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

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
        const bool start = IsCharacterStart(text.data() + known, text.data() + candidate);
        // A candidate that is not a start is the second byte of a pair that began before it.
        known = start ? candidate : candidate + 1;
        return start;
    }

    bool EndsOnCharacterStart(std::string_view, std::size_t, std::size_t) const override { return true; }

    std::size_t CompleteEnd(std::string_view text) const override
    {
        const std::size_t size = text.size();
        if (size > 0 && IsLeadByte(text[size - 1]) && IsCharacterStart(text.data(), text.data() + size - 1))
            return size - 1;
        return size;
    }

    bool IsWellFormed(std::string_view text) const override
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (IsLeadByte(byte)) {
                if (i + 1 == text.size() || !IsSecondByte(static_cast<unsigned char>(text[i + 1])))
                    return false;
                ++i;
            } else if (IsUnassignedSingle(byte)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

const CharacterRule& ShiftJisRule()
{
    static const ShiftJis rule;
    return rule;
}
