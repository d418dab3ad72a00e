// Reads an expression as Oniguruma's Perl syntax does, for the part of that syntax our own
// matcher takes. Every step either understands what it reads or gives up, so that an
// expression is never taken to mean anything but what Oniguruma makes of it.
#include <cstring>

#include "bregexp/ExpressionTree.h"
#include "bregexp/TextCharacters.h"
#include "platform/DigitValue.h"

namespace bregexp {

namespace {

// Beyond these a repetition is left to Oniguruma rather than unrolled.
constexpr int MaxCount = 100;
constexpr int MaxDepth = 64;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsWordByte(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// Punctuation that a backslash makes a literal of, in and out of classes. Left out: what
// Oniguruma's other syntaxes give a meaning (\< \> \` \') and letters, digits, space.
bool IsEscapablePunctuation(char c)
{
    return c != '\0' && std::strchr("\\.*+?()[]{}|^$/-#,:;=!@%&~\"", c) != nullptr;
}

bool CanMatchNothing(const ExpressionNode& node)
{
    switch (node.Type) {
    case ExpressionNode::Kind::Empty:
    case ExpressionNode::Kind::Check:
        return true;
    case ExpressionNode::Kind::Character:
        return false;
    case ExpressionNode::Kind::Sequence:
        for (const ExpressionNode& child : node.Children)
            if (!CanMatchNothing(child))
                return false;
        return true;
    case ExpressionNode::Kind::Alternatives:
        for (const ExpressionNode& child : node.Children)
            if (CanMatchNothing(child))
                return true;
        return false;
    case ExpressionNode::Kind::Capture:
        return CanMatchNothing(node.Children[0]);
    case ExpressionNode::Kind::Repeat:
        return node.Least == 0 || CanMatchNothing(node.Children[0]);
    }
    return true;
}

ExpressionNode Check(Assertion anchor)
{
    ExpressionNode node;
    node.Type = ExpressionNode::Kind::Check;
    node.Anchor = anchor;
    return node;
}

class Parser {
public:
    Parser(std::string_view pattern, const TextCharacters& characters, bool ignoreCase, bool multiline)
        : text_(pattern), characters_(characters), ignoreCase_(ignoreCase), multiline_(multiline)
    {
    }

    std::optional<ExpressionTree> Parse()
    {
        std::optional<ExpressionNode> root = Alternatives(0);
        if (!root || !AtEnd())
            return std::nullopt;
        tree_.Root = std::move(*root);
        return std::move(tree_);
    }

private:
    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const
    {
        return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0';
    }
    bool Take(char c)
    {
        if (AtEnd() || Peek() != c)
            return false;
        ++position_;
        return true;
    }

    std::optional<ExpressionNode> Alternatives(int depth)
    {
        if (depth > MaxDepth)
            return std::nullopt;
        std::optional<ExpressionNode> first = Sequence(depth);
        if (!first || Peek() != '|')
            return first;
        ExpressionNode node;
        node.Type = ExpressionNode::Kind::Alternatives;
        node.Children.push_back(std::move(*first));
        while (Take('|')) {
            std::optional<ExpressionNode> next = Sequence(depth);
            if (!next)
                return std::nullopt;
            node.Children.push_back(std::move(*next));
        }
        return node;
    }

    std::optional<ExpressionNode> Sequence(int depth)
    {
        ExpressionNode node;
        node.Type = ExpressionNode::Kind::Sequence;
        while (!AtEnd() && Peek() != '|' && Peek() != ')') {
            std::optional<ExpressionNode> atom = Atom(depth);
            if (!atom || !Quantified(*atom))
                return std::nullopt;
            node.Children.push_back(std::move(*atom));
        }
        return node;
    }

    // A quantifier after `atom`, when there is one, wraps it; false for a quantifier we do
    // not take: possessive, doubled, on what can match nothing, or not of the plain forms.
    bool Quantified(ExpressionNode& atom)
    {
        const char c = Peek();
        int least = 0;
        int most = -1;
        bool fixed = false;
        if (c == '*' || c == '+' || c == '?') {
            ++position_;
            least = c == '+' ? 1 : 0;
            most = c == '?' ? 1 : -1;
        } else if (c == '{') {
            ++position_;
            if (!Count(least))
                return false;
            most = least;
            fixed = true;
            if (Take(',')) {
                fixed = false;
                most = -1;
                if (Peek() != '}' && (!Count(most) || most < least))
                    return false;
            }
            if (!Take('}'))
                return false;
        } else {
            return true;
        }
        bool greedy = true;
        if (Take('?')) {
            if (fixed)
                return false;
            greedy = false;
        }
        if (Peek() == '*' || Peek() == '+' || Peek() == '?' || Peek() == '{')
            return false;
        if (CanMatchNothing(atom))
            return false;
        ExpressionNode repeat;
        repeat.Type = ExpressionNode::Kind::Repeat;
        repeat.Least = least;
        repeat.Most = most;
        repeat.Greedy = greedy;
        repeat.Children.push_back(std::move(atom));
        atom = std::move(repeat);
        return true;
    }

    bool Count(int& value)
    {
        const std::size_t first = position_;
        value = 0;
        while (IsDigit(Peek()) && position_ - first < 3) {
            value = value * 10 + (Peek() - '0');
            ++position_;
        }
        return position_ > first && !IsDigit(Peek()) && value <= MaxCount;
    }

    std::optional<ExpressionNode> Atom(int depth)
    {
        const char c = Peek();
        switch (c) {
        case '(':
            ++position_;
            return Group(depth);
        case '[':
            ++position_;
            return Class();
        case '.': {
            ++position_;
            CharacterSet any;
            any.Add('\n');
            any.Negate();
            return Characters(std::move(any));
        }
        case '^':
            ++position_;
            return Check(multiline_ ? Assertion::BeginLine : Assertion::BeginText);
        case '$':
            ++position_;
            return Check(multiline_ ? Assertion::EndLine : Assertion::SemiEndText);
        case '\\':
            ++position_;
            return Escape();
        case '*': case '+': case '?': case '{': case '}': case ']': case ')': case '|':
            return std::nullopt;
        default:
            break;
        }
        std::uint32_t code = 0;
        if (!ReadCharacter(code))
            return std::nullopt;
        return Literal(code);
    }

    // A capturing group, (?:...) or (?<name>...); any other (? construct is left alone.
    std::optional<ExpressionNode> Group(int depth)
    {
        int group = 0;
        if (Take('?')) {
            if (Take('<')) {
                const std::size_t nameStart = position_;
                while (IsWordByte(Peek()))
                    ++position_;
                if (position_ == nameStart || IsDigit(text_[nameStart]) || !Take('>'))
                    return std::nullopt;
                group = ++tree_.GroupCount;
            } else if (!Take(':')) {
                return std::nullopt;
            }
        } else {
            group = ++tree_.GroupCount;
        }
        std::optional<ExpressionNode> inner = Alternatives(depth + 1);
        if (!inner || !Take(')'))
            return std::nullopt;
        if (group == 0)
            return inner;
        ExpressionNode capture;
        capture.Type = ExpressionNode::Kind::Capture;
        capture.Group = group;
        capture.Children.push_back(std::move(*inner));
        return capture;
    }

    std::optional<ExpressionNode> Escape()
    {
        const char c = Peek();
        ++position_;
        CharacterSet set;
        switch (c) {
        case 'd': set.Add(CharacterSet::Kind::Digit); return Characters(std::move(set));
        case 'D': set.Add(CharacterSet::Kind::NotDigit); return Characters(std::move(set));
        case 'w': set.Add(CharacterSet::Kind::Word); return Characters(std::move(set));
        case 'W': set.Add(CharacterSet::Kind::NotWord); return Characters(std::move(set));
        case 's': set.Add(CharacterSet::Kind::Space); return Characters(std::move(set));
        case 'S': set.Add(CharacterSet::Kind::NotSpace); return Characters(std::move(set));
        case 'b': return Check(Assertion::WordBoundary);
        case 'B': return Check(Assertion::NotWordBoundary);
        case 'A': return Check(Assertion::BeginText);
        case 'z': return Check(Assertion::EndText);
        case 'Z': return Check(Assertion::SemiEndText);
        default:
            break;
        }
        --position_;
        std::uint32_t code = 0;
        if (!EscapedCode(code))
            return std::nullopt;
        return Literal(code);
    }

    // After a backslash: \n \t \r, \xHH, or escaped punctuation.
    bool EscapedCode(std::uint32_t& code)
    {
        const char c = Peek();
        ++position_;
        switch (c) {
        case 'n': code = '\n'; return true;
        case 't': code = '\t'; return true;
        case 'r': code = '\r'; return true;
        case 'x': {
            const int high = DigitValue(Peek());
            const int low = DigitValue(Peek(1));
            if (high < 0 || low < 0)
                return false;
            position_ += 2;
            code = static_cast<std::uint32_t>(high * 16 + low);
            // Bytes above seven bits are bytes, not characters, where characters are read.
            return code < 0x80 || characters_.ReadsBytes();
        }
        default:
            code = static_cast<unsigned char>(c);
            return IsEscapablePunctuation(c);
        }
    }

    // One character of the pattern as Oniguruma reads it in the encoding.
    bool ReadCharacter(std::uint32_t& code)
    {
        if (AtEnd())
            return false;
        const char* at = text_.data() + position_;
        const char* end = text_.data() + text_.size();
        const std::size_t length = characters_.ReadsBytes() ? 1 : characters_.WellFormedLength(at, end);
        if (length == 0)
            return false;
        code = characters_.CodeAt(at, end);
        position_ += length;
        return true;
    }

    std::optional<ExpressionNode> Literal(std::uint32_t code)
    {
        CharacterSet set;
        set.Add(code);
        return Characters(std::move(set));
    }

    ExpressionNode Characters(CharacterSet set)
    {
        if (ignoreCase_)
            set.FoldAsciiCase();
        ExpressionNode node;
        node.Type = ExpressionNode::Kind::Character;
        node.Set = static_cast<int>(tree_.Sets.size());
        tree_.Sets.push_back(std::move(set));
        return node;
    }

    // [...] or [^...] of characters, ranges between two characters of the same width,
    // \d \w \s and their negations, and the escapes of EscapedCode.
    std::optional<ExpressionNode> Class()
    {
        CharacterSet set;
        if (Take('^'))
            set.Negate();
        if (Peek() == ']')
            return std::nullopt;
        while (!AtEnd() && Peek() != ']') {
            std::uint32_t low = 0;
            bool isCode = true;
            if (!ClassItem(set, low, isCode))
                return std::nullopt;
            const bool range = Peek() == '-' && Peek(1) != ']' && Peek(1) != '\0';
            if (!range) {
                if (isCode)
                    set.Add(low);
                continue;
            }
            if (!isCode || low == '-')
                return std::nullopt;
            ++position_;
            std::uint32_t high = 0;
            if (!ClassItem(set, high, isCode) || !isCode || high < low || !SameWidth(low, high))
                return std::nullopt;
            if (Peek() == '-' && Peek(1) != ']')
                return std::nullopt;
            set.AddRange(low, high);
        }
        if (!Take(']'))
            return std::nullopt;
        return Characters(std::move(set));
    }

    // One item of a class: a character or escaped code (`isCode`), or a kind added to `set`.
    bool ClassItem(CharacterSet& set, std::uint32_t& code, bool& isCode)
    {
        isCode = true;
        const char c = Peek();
        if (c == '[' || (c == '&' && Peek(1) == '&'))
            return false;
        if (c != '\\')
            return ReadCharacter(code);
        ++position_;
        isCode = false;
        switch (Peek()) {
        case 'd': set.Add(CharacterSet::Kind::Digit); break;
        case 'D': set.Add(CharacterSet::Kind::NotDigit); break;
        case 'w': set.Add(CharacterSet::Kind::Word); break;
        case 'W': set.Add(CharacterSet::Kind::NotWord); break;
        case 's': set.Add(CharacterSet::Kind::Space); break;
        case 'S': set.Add(CharacterSet::Kind::NotSpace); break;
        default:
            isCode = true;
            return EscapedCode(code);
        }
        ++position_;
        return true;
    }

    bool SameWidth(std::uint32_t low, std::uint32_t high) const
    {
        return characters_.ReadsBytes() || (high < 0x80) || (low >= 0x100);
    }

    std::string_view text_;
    std::size_t position_ = 0;
    const TextCharacters& characters_;
    bool ignoreCase_;
    bool multiline_;
    ExpressionTree tree_;
};

}  // namespace

std::optional<ExpressionTree> ParseExpressionTree(std::string_view pattern, const TextCharacters& characters,
                                                  bool ignoreCase, bool multiline)
{
    return Parser(pattern, characters, ignoreCase, multiline).Parse();
}

}  // namespace bregexp
