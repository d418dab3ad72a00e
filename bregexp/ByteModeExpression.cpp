#include "bregexp/ByteModeExpression.h"

#include "platform/DoubleByte.h"

namespace bregexp {

namespace {

// Second bytes that Oniguruma's Perl syntax gives a meaning of their own.
bool IsSyntaxByte(char byte)
{
    switch (byte) {
    case '[': case '\\': case ']': case '^': case '{': case '|': case '}':
        return true;
    default:
        return false;
    }
}

}  // namespace

std::string EscapeSecondBytesForByteSearch(std::string_view expression)
{
    std::string out;
    out.reserve(expression.size() + expression.size() / 4);
    bool quoting = false;  // inside \Q...\E every byte is literal, only \E ends it
    std::size_t i = 0;
    while (i < expression.size()) {
        const char c = expression[i];
        if (c == '\\' && i + 1 < expression.size() && !IsLeadByte(expression[i + 1])) {
            const char next = expression[i + 1];
            if (!quoting || next == 'E') {
                if (next == 'Q')
                    quoting = true;
                else if (next == 'E')
                    quoting = false;
                out.append(expression.substr(i, 2));
                i += 2;
                continue;
            }
        }
        if (CharacterLength(expression, i) == 2) {
            const char second = expression[i + 1];
            out += c;
            if (!IsSyntaxByte(second))
                out += second;
            else if (!quoting)
                (out += '\\') += second;
            else if (second == '\\')
                out += "\\E\\\\\\Q";  // a backslash would end or break the quote
            else
                out += second;
            i += 2;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace bregexp
