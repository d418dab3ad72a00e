#include "bregexp/SubstitutionTemplate.h"

#include "engine/text/CharacterRule.h"

namespace bregexp {

namespace {

class TemplateBuilder {
public:
    void Literal(std::string_view bytes)
    {
        if (result_.Pieces.empty() || result_.Pieces.back().Group >= 0)
            result_.Pieces.push_back({});
        result_.Pieces.back().Text.append(bytes);
    }
    void Group(int group) { result_.Pieces.push_back({std::string(), group}); }
    SubstitutionTemplate Take() { return std::move(result_); }

private:
    SubstitutionTemplate result_;
};

bool IsDigit(char c, char from)
{
    return c >= from && c <= '9';
}

// The byte an escape stands for, or 0 when the backslash is an ordinary character.
char EscapedByte(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case '\\': case '$': case '/': return c;
    default: return 0;
    }
}

}  // namespace

SubstitutionTemplate ParseSubstitutionTemplate(std::string_view replacement, TextEncoding encoding)
{
    const CharacterRule& rule = CharacterRuleOf(encoding);
    TemplateBuilder builder;
    std::size_t i = 0;
    while (i < replacement.size()) {
        // A first byte is neither "$" nor a backslash: a longer character always
        // reaches the literal copy below whole, and its second byte never starts anything.
        const char c = replacement[i];
        if (i + 1 < replacement.size()) {
            const char next = replacement[i + 1];
            if (c == '$' && (IsDigit(next, '0') || next == '&')) {
                builder.Group(next == '&' ? 0 : next - '0');
                i += 2;
                continue;
            }
            if (c == '\\' && IsDigit(next, '1')) {
                builder.Group(next - '0');
                i += 2;
                continue;
            }
            if (c == '\\' && EscapedByte(next) != 0) {
                const char byte = EscapedByte(next);
                builder.Literal(std::string_view(&byte, 1));
                i += 2;
                continue;
            }
        }
        const std::size_t length = rule.CharacterLength(replacement, i);
        builder.Literal(replacement.substr(i, length));
        i += length;
    }
    return builder.Take();
}

}  // namespace bregexp
