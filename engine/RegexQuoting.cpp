#include "engine/RegexQuoting.h"

#include "platform/DoubleByte.h"

std::string QuoteRegexText(const std::string& text)
{
    // A doubled backslash is set aside first, so that its second half is not taken as
    // escaping a slash that follows.
    const std::string shield(1, '\x7F');
    std::string quoted = ReplaceAtCharacterStarts(text, "\\\\", shield);
    quoted = ReplaceAtCharacterStarts(quoted, "\\/", "/");
    quoted = ReplaceAtCharacterStarts(quoted, "/", "\\/");
    return ReplaceAtCharacterStarts(quoted, shield, "\\\\");
}
