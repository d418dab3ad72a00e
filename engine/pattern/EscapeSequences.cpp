#include "engine/pattern/EscapeSequences.h"

#include "engine/text/CharacterRule.h"

namespace {

// One pass from the left, at character starts: what a sequence decodes to is never read
// again, so a doubled backslash never starts a sequence, and no byte stands in for another.
std::vector<std::string> Decode(const std::string& text, bool isFind, const CharacterRule& rule)
{
    std::vector<std::string> decoded(1);
    for (std::size_t i = 0; i < text.size();) {
        std::string& out = decoded.back();
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char* sequence = nullptr;
            switch (text[i + 1]) {
            case '\\': sequence = "\\"; break;
            case 'n': sequence = "\r\n"; break;
            case 't': sequence = "\t"; break;
            case 'u': sequence = "\n"; break;
            case 'm': sequence = "\r"; break;
            case '|':
                if (isFind)
                    sequence = "";
                break;
            }
            if (sequence) {
                if (text[i + 1] == '|')
                    decoded.emplace_back();
                else
                    out += sequence;
                i += 2;
                continue;
            }
        }
        const std::size_t length = rule.CharacterLength(text, i);
        out.append(text, i, length);
        i += length;
    }
    return decoded;
}

}  // namespace

std::vector<std::string> DecodeFindEscapes(const std::string& find, TextEncoding typed)
{
    return Decode(find, true, CharacterRuleOf(typed));
}

std::string DecodeReplaceEscapes(const std::string& replace, TextEncoding typed)
{
    return Decode(replace, false, CharacterRuleOf(typed)).front();
}
