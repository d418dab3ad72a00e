#include "engine/pattern/EscapeSequences.h"

#include "platform/DoubleByte.h"

namespace {

// Stands in for a doubled backslash while the other sequences are decoded, so that the
// backslash it becomes never starts a sequence.
constexpr char Shield = '\x7F';

std::string Decode(std::string text, bool isFind)
{
    text = ReplaceAtCharacterStarts(text, "\\\\", std::string(1, Shield));
    text = ReplaceAtCharacterStarts(text, "\\n", "\r\n");
    text = ReplaceAtCharacterStarts(text, "\\t", "\t");
    text = ReplaceAtCharacterStarts(text, "\\u", "\n");
    text = ReplaceAtCharacterStarts(text, "\\m", "\r");
    if (isFind)
        text = ReplaceAtCharacterStarts(text, "\\|", std::string(1, AlternativeSeparator));
    return ReplaceAtCharacterStarts(text, std::string(1, Shield), "\\");
}

}  // namespace

std::string DecodeFindEscapes(const std::string& find)
{
    return Decode(find, true);
}

std::string DecodeReplaceEscapes(const std::string& replace)
{
    return Decode(replace, false);
}
