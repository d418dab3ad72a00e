#include "tests/bregexp/RegexDifferential.h"

#include <cstdio>
#include <string_view>

#include "bregexp/EntryPoints.h"
#include "bregexp/HandleState.h"
#include "engine/text/CharacterRule.h"

namespace {

template <std::size_t N>
const char* Pick(Choices& choices, const char* const (&pieces)[N])
{
    return pieces[choices.Below(N)];
}

// The encodings an expression is drawn for, with characters of each: ones whose second
// byte is ASCII (ア 表 ー ソ ポ), letters the case folding of Unicode would join (Ａ ａ,
// the Kelvin sign, ſ), a half-width katakana, 。 (a word character but in UTF-8), and bytes
// that form no character.
struct Alphabet {
    const char* Modifier;
    std::vector<const char*> Characters;
    std::vector<const char*> Malformed;
    std::vector<const char*> Ranges;  // class ranges between two of its characters
};

const Alphabet& AlphabetOf(unsigned encoding)
{
    static const Alphabet alphabets[] = {
        {"",  // Shift-JIS read byte by byte
         {"\x83\x41", "\x95\x5C", "\x81\x5B", "\x83\x5C", "\x88\x9F", "\xB1", "\x82\x60", "\x82\x81", "\x81\x42",
          "\x83\x7C"},
         {"\x80", "\xFF"},
         {"\x83\x40-\x83\x96", "\x81\x40-\x81\x5B"}},
        {"k",
         {"\x83\x41", "\x95\x5C", "\x81\x5B", "\x83\x5C", "\x88\x9F", "\xB1", "\x82\x60", "\x82\x81", "\x81\x42",
          "\x83\x7C"},
         {"\x83", "\x83\n", "\x80", "\xFF", "\xA0", "\x95"},
         {"\x83\x40-\x83\x96", "\x81\x40-\x81\x5B", "\x82\x60-\x82\x79"}},
        {"u",
         {"\xE3\x82\xA2", "\xE8\xA1\xA8", "\xC3\xA9", "\xEF\xBC\xA1", "\xEF\xBD\x81", "\xE2\x84\xAA", "\xC5\xBF",
          "\xE3\x80\x82", "\xC3\x9F", "\xF0\x9F\x98\x80"},
         {"\x80", "\xE3\x82", "\xC3", "\xFF", "\xED\xA0\x80", "\xC0\xAF"},
         {"\xE3\x82\xA1-\xE3\x83\xB6", "\xC3\x80-\xC3\xBF"}},
        {"j",
         {"\xA5\xA2", "\xC9\xBD", "\x8E\xB1", "\xA3\xC1", "\xA3\xE1", "\xA1\xA3", "\x8F\xB0\xA1", "\xA4\xA2"},
         {"\xA4", "\x8E\x41", "\xFF", "\x8F\xB0", "\x80"},
         {"\xA5\xA1-\xA5\xF6", "\xA3\xC1-\xA3\xDA"}},
    };
    return alphabets[encoding];
}

const char* const AsciiText[] = {"a", "b", "c", "f", "o", "x", "A", "B", "F", "O", "0", "1", "9", " ", "_",
                                 "\n", "\r", "\t", "-", ".", "\\", "/", "$", "(", "\r\n", "foo", "bar"};

class Drawer {
public:
    Drawer(Choices& choices, const Alphabet& alphabet) : choices_(choices), alphabet_(alphabet) {}

    std::string Expression() { return Alternatives(0); }

    std::string Text()
    {
        std::string text;
        const unsigned pieces = choices_.Below(4) == 0 ? choices_.Below(40) : choices_.Below(14);
        const bool malformed = choices_.Below(5) == 0 && !alphabet_.Malformed.empty();
        for (unsigned i = 0; i < pieces; ++i) {
            const unsigned kind = choices_.Below(12);
            if (kind < 4 && !used_.empty())
                text += used_[choices_.Below(static_cast<unsigned>(used_.size()))];
            else if (kind < 8)
                text += Pick(choices_, AsciiText);
            else if (kind < 11 || !malformed)
                text += Character();
            else
                text += alphabet_.Malformed[choices_.Below(static_cast<unsigned>(alphabet_.Malformed.size()))];
        }
        return text;
    }

private:
    const char* Character()
    {
        return alphabet_.Characters[choices_.Below(static_cast<unsigned>(alphabet_.Characters.size()))];
    }

    std::string Alternatives(int depth)
    {
        std::string out = Sequence(depth);
        for (unsigned more = choices_.Below(5) == 0 ? 1 + choices_.Below(3) : 0; more > 0; --more)
            out.append("|").append(Sequence(depth));
        return out;
    }

    std::string Sequence(int depth)
    {
        std::string out;
        for (unsigned items = choices_.Below(5); items > 0; --items)
            out += Item(depth);
        return out;
    }

    std::string Item(int depth)
    {
        std::string atom = Atom(depth);
        if (choices_.Below(3) == 0)
            atom += Quantifier();
        return atom;
    }

    std::string Quantifier()
    {
        static const char* const plain[] = {"*", "+", "?", "*?", "+?", "??", "{2}", "{1,2}", "{0,1}", "{2,}", "{1,3}?",
                                            "{0,2}"};
        static const char* const border[] = {"*+", "++", "?+", "{,2}", "{2}?", "**", "{1,2}+", "{3,1}", "{"};
        return choices_.Below(8) == 0 ? Pick(choices_, border) : Pick(choices_, plain);
    }

    std::string Atom(int depth)
    {
        const unsigned kind = choices_.Below(20);
        if (kind < 7)
            return Literal();
        if (kind < 10)
            return Class();
        if (kind < 11)
            return ".";
        if (kind < 13) {
            static const char* const kinds[] = {"\\d", "\\w", "\\s", "\\D", "\\W", "\\S"};
            return Pick(choices_, kinds);
        }
        if (kind < 15) {
            static const char* const anchors[] = {"^", "$", "\\b", "\\B", "\\A", "\\z", "\\Z"};
            return Pick(choices_, anchors);
        }
        if (kind < 18 && depth < 3)
            return Group(depth);
        return Border(depth);
    }

    std::string Literal()
    {
        static const char* const ascii[] = {"a", "b", "c", "f", "o", "x", "A", "B", "F", "O", "0", "1", "9", " ", "_",
                                            "-", "#", ",", "\\.", "\\\\", "\\/", "\\-", "\\(", "\\)", "\\[", "\\*",
                                            "\\+", "\\?", "\\|", "\\$", "\\^", "\\{", "\\n", "\\r", "\\t", "\\x41",
                                            "\\x5C", "foo", "bar"};
        const std::string literal = choices_.Below(3) == 0 ? Character() : Pick(choices_, ascii);
        used_.push_back(literal[0] == '\\' ? literal.substr(1) : literal);
        return literal;
    }

    std::string Class()
    {
        static const char* const items[] = {"a",   "b",  "x",   "0",   "_",   " ",   "a-c", "0-9", "A-Z", "x-z",
                                            "\\d", "\\w", "\\s", "\\D", "\\W", "\\S", "\\n", "\\]", "\\-", "\\\\",
                                            "\\^", "-",  "^",   "."};
        static const char* const border[] = {"[:alpha:]", "a-\\d", "&&b", "[a]", "\\x83", "\\b", "z-a"};
        std::string out = choices_.Below(3) == 0 ? "[^" : "[";
        for (unsigned count = 1 + choices_.Below(3); count > 0; --count) {
            const unsigned kind = choices_.Below(12);
            if (kind < 8)
                out += Pick(choices_, items);
            else if (kind < 10)
                out += Character();
            else if (kind < 11)
                out += alphabet_.Ranges[choices_.Below(static_cast<unsigned>(alphabet_.Ranges.size()))];
            else
                out += Pick(choices_, border);
        }
        return out + "]";
    }

    std::string Group(int depth)
    {
        static const char* const opens[] = {"(", "(", "(?:", "(?<n>", "(?<m>"};
        return Pick(choices_, opens) + Alternatives(depth + 1) + ")";
    }

    // What lies just beyond the syntax our matcher takes.
    std::string Border(int depth)
    {
        static const char* const atoms[] = {"\\1", "\\k<n>", "\\p{Alpha}", "\\h", "\\R", "\\v", "\\f", "\\e",
                                            "\\Qa.\\E", "\\G", "\\K", "\\X", "\\N", "\\O", "\\x83", "\\0", "\\ca",
                                            "(?i)", "(?m)", "\\<", "}", "]", "\\y"};
        static const char* const groups[] = {"(?=", "(?!", "(?<=", "(?<!", "(?>", "(?i:", "(?#"};
        if (choices_.Below(2) == 0 || depth >= 3)
            return Pick(choices_, atoms);
        return Pick(choices_, groups) + Alternatives(depth + 1) + ")";
    }

    Choices& choices_;
    const Alphabet& alphabet_;
    std::vector<std::string> used_;  // literals of the expression, which texts are made of too
};

std::string HexOf(std::string_view bytes)
{
    std::string out;
    for (const unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        out += digits;
    }
    return out;
}

class HandlePair {
public:
    HandlePair() = default;
    ~HandlePair()
    {
        BRegfree(own_);
        BRegfree(reference_);
    }
    HandlePair(const HandlePair&) = delete;
    HandlePair& operator=(const HandlePair&) = delete;

    RegexHandle** Own() { return &own_; }
    // A rejected command releases a handle: the next one is made for Oniguruma alone again.
    RegexHandle** Reference()
    {
        bregexp::ChooseMatchers(&reference_, bregexp::MatcherChoice::OnigurumaOnly);
        return &reference_;
    }

private:
    RegexHandle* own_ = nullptr;
    RegexHandle* reference_ = nullptr;
};

std::string GroupsDiffer(const RegexHandle& own, const RegexHandle& reference, const char* text)
{
    if (own.GroupCount != reference.GroupCount)
        return "group counts " + std::to_string(own.GroupCount) + " and " + std::to_string(reference.GroupCount);
    for (int group = 0; group <= own.GroupCount; ++group) {
        if (own.GroupStarts[group] == reference.GroupStarts[group] && own.GroupEnds[group] == reference.GroupEnds[group])
            continue;
        const auto offset = [text](const char* p) { return p ? std::to_string(p - text) : std::string("none"); };
        return "group " + std::to_string(group) + " at " + offset(own.GroupStarts[group]) + "-" +
               offset(own.GroupEnds[group]) + ", Oniguruma " + offset(reference.GroupStarts[group]) + "-" +
               offset(reference.GroupEnds[group]);
    }
    return {};
}

// Where the program's next search begins after `match`: at its end, or after the character
// following an empty one; null when it makes none.
const char* NextPlace(const RegexHandle& match, const char* end, const CharacterRule* rule)
{
    const char* next = match.GroupEnds[0];
    if (next == match.GroupStarts[0]) {
        if (next == end)
            return nullptr;
        next += rule ? rule->CharacterLength(std::string_view(next, static_cast<std::size_t>(end - next)), 0) : 1;
    }
    return next < end ? next : nullptr;
}

// As the program searches for its own template: each search given the text after the
// last match, an empty match followed by a step over one character.
std::string CompareOnward(const std::string& command, const char* start, const char* end, const CharacterRule* rule,
                          HandlePair& handles)
{
    char message[RegexMessageSize];
    const char* from = start;
    for (int step = 0; step < 64; ++step) {
        const int own = BMatch(command.c_str(), from, end, handles.Own(), message);
        const int reference = BMatch(command.c_str(), from, end, handles.Reference(), message);
        const std::string where = " searching from " + std::to_string(from - start);
        if (own != reference)
            return "BMatch gives " + std::to_string(own) + ", Oniguruma " + std::to_string(reference) + where;
        if (own != 1)
            return {};
        const std::string groups = GroupsDiffer(**handles.Own(), **handles.Reference(), start);
        if (!groups.empty())
            return "BMatch: " + groups + where;
        from = NextPlace(**handles.Own(), end, rule);
        if (!from)
            return {};
    }
    return {};
}

// The groups of a match as offsets, for comparing matches found at different times.
std::string GroupOffsets(const RegexHandle& match, const char* text)
{
    std::string out;
    for (int group = 0; group <= match.GroupCount; ++group) {
        const auto offset = [text](const char* p) { return p ? std::to_string(p - text) : std::string("-"); };
        out.append(offset(match.GroupStarts[group])).append("-").append(offset(match.GroupEnds[group])).append(" ");
    }
    return out;
}

// The same search made by our library on its own (BMatchEach), against Oniguruma one
// search at a time.
std::string CompareSearchingOn(const std::string& command, const char* start, const char* end,
                               const CharacterRule* rule, HandlePair& handles)
{
    constexpr int MostSteps = 64;
    char message[RegexMessageSize];
    std::string expected;
    int expectedCount = 0;
    for (const char* from = start; from && expectedCount < MostSteps;) {
        const int found = BMatch(command.c_str(), from, end, handles.Reference(), message);
        if (found != 1) {
            if (found != 0)
                expected = "error " + std::to_string(found);
            break;
        }
        ++expectedCount;
        expected += GroupOffsets(**handles.Reference(), start) + "| ";
        from = NextPlace(**handles.Reference(), end, rule);
    }
    struct Seen {
        const char* Start;
        const char* End;
        const CharacterRule* Rule;
        std::string Matches;
        int Count = 0;
    };
    const BOnwardFunction onward = [](void* context, const RegexHandle* match) -> const char* {
        Seen& seen = *static_cast<Seen*>(context);
        seen.Matches += GroupOffsets(*match, seen.Start) + "| ";
        return ++seen.Count < MostSteps ? NextPlace(*match, seen.End, seen.Rule) : nullptr;
    };
    // Over a well-formed text, also told so: the library then does not read it for that.
    const bool wellFormed = rule && rule->IsWellFormed(std::string_view(start, static_cast<std::size_t>(end - start)));
    for (const unsigned flags : {0u, wellFormed ? BMatchEachWellFormed : 0u}) {
        Seen seen{start, end, rule, {}, 0};
        const int own = BMatchEach(command.c_str(), start, end, handles.Own(), message, onward, &seen, flags);
        const std::string found = own < 0 ? "error " + std::to_string(own) : seen.Matches;
        const std::string told = flags ? " (told well-formed)" : "";
        if (own >= 0 && own != seen.Count)
            return "BMatchEach counts " + std::to_string(own) + " of " + std::to_string(seen.Count) + " matches" + told;
        if (found != expected)
            return "BMatchEach finds " + found + ", Oniguruma " + expected + told;
    }
    return {};
}

std::string CompareSubstitution(const std::string& command, const char* start, const char* end, HandlePair& handles)
{
    char message[RegexMessageSize];
    const int own = BSubst(command.c_str(), start, end, handles.Own(), message);
    const int reference = BSubst(command.c_str(), start, end, handles.Reference(), message);
    if (own != reference)
        return command + " gives " + std::to_string(own) + ", Oniguruma " + std::to_string(reference);
    if (own <= 0)
        return {};
    const RegexHandle& a = **handles.Own();
    const RegexHandle& b = **handles.Reference();
    if (std::string_view(a.OutputStart, static_cast<std::size_t>(a.OutputEnd - a.OutputStart)) !=
        std::string_view(b.OutputStart, static_cast<std::size_t>(b.OutputEnd - b.OutputStart)))
        return command + " writes " + HexOf(std::string_view(a.OutputStart, a.OutputEnd - a.OutputStart)) +
               ", Oniguruma " + HexOf(std::string_view(b.OutputStart, b.OutputEnd - b.OutputStart));
    return {};
}

}  // namespace

DifferentialCase DrawCase(Choices& choices)
{
    const unsigned encoding = choices.Below(4);
    const Alphabet& alphabet = AlphabetOf(encoding);
    Drawer drawer(choices, alphabet);
    DifferentialCase draw;
    draw.Expression = drawer.Expression();
    draw.Modifiers = alphabet.Modifier;
    if (encoding >= 2 && choices.Below(2) == 0)
        draw.Modifiers += "k";
    if (choices.Below(2) == 0)
        draw.Modifiers += "m";
    if (choices.Below(3) == 0)
        draw.Modifiers += "i";
    for (unsigned texts = 1 + choices.Below(6); texts > 0; --texts)
        draw.Texts.push_back(drawer.Text());
    return draw;
}

DifferentialResult CompareMatchers(const DifferentialCase& draw, PlaceText place, void* context)
{
    DifferentialResult result;
    std::string match = "/";
    match.append(draw.Expression).append("/").append(draw.Modifiers);
    std::string substitute = "s/";
    substitute.append(draw.Expression).append("/<$0|$1|$2|$3|$4>/").append(draw.Modifiers);
    const bool characters = draw.Modifiers.find_first_of("kuj") != std::string::npos;
    const TextEncoding encoding = draw.Modifiers.find('u') != std::string::npos   ? TextEncoding::Utf8
                                  : draw.Modifiers.find('j') != std::string::npos ? TextEncoding::EucJp
                                                                                  : TextEncoding::ShiftJis;
    const CharacterRule* rule = characters ? &CharacterRuleOf(encoding) : nullptr;
    HandlePair handles;
    for (const std::string& text : draw.Texts) {
        const char* start = place(context, text);
        const char* end = start + text.size();
        std::string difference = CompareOnward(match, start, end, rule, handles);
        if (difference.empty())
            difference = CompareSearchingOn(match, start, end, rule, handles);
        if (difference.empty())
            difference = CompareSubstitution(substitute + "g", start, end, handles);
        if (difference.empty())
            difference = CompareSubstitution(substitute, start, end, handles);
        ++result.Pairs;
        if (*handles.Own()) {
            result.Accepted = true;
            result.OwnMatcher = bregexp::UsesOwnMatcher(**handles.Own());
        }
        if (!difference.empty()) {
            result.Difference = difference + " over " + HexOf(text);
            break;
        }
    }
    return result;
}

std::string Describe(const DifferentialCase& draw)
{
    std::string out = "/";
    out.append(draw.Expression).append("/").append(draw.Modifiers).append(" (").append(HexOf(draw.Expression));
    out.append(") texts:");
    for (const std::string& text : draw.Texts)
        out.append(" [").append(HexOf(text)).append("]");
    return out;
}

void UseOnigurumaOnly(RegexHandle** handle)
{
    bregexp::ChooseMatchers(handle, bregexp::MatcherChoice::OnigurumaOnly);
}

bool TakenByOwnMatcher(RegexHandle* handle)
{
    return handle && bregexp::UsesOwnMatcher(*handle);
}

std::string Findings(const std::string& command, const std::string& text, bool onigurumaOnly)
{
    RegexHandle* handle = nullptr;
    if (onigurumaOnly)
        UseOnigurumaOnly(&handle);
    char message[RegexMessageSize];
    const char* start = text.data();
    const char* end = start + text.size();
    std::string out;
    if (command.compare(0, 2, "s/") == 0) {
        const int count = BSubst(command.c_str(), start, end, &handle, message);
        out = std::to_string(count) + ":";
        if (count > 0)
            out.append(handle->OutputStart, handle->OutputEnd);
    } else {
        const auto offset = [start](const char* p) { return std::to_string(p - start); };
        for (const char* from = start;;) {
            const int found = BMatch(command.c_str(), from, end, &handle, message);
            if (found != 1) {
                if (found != 0)
                    out += std::to_string(found);
                break;
            }
            const char* matchStart = handle->GroupStarts[0];
            const char* next = handle->GroupEnds[0];
            out.append(out.empty() ? "[" : " [").append(offset(matchStart)).append("-").append(offset(next));
            for (int group = 1; group <= handle->GroupCount; ++group) {
                out.append("|");
                if (handle->GroupStarts[group])
                    out.append(offset(handle->GroupStarts[group])).append("-").append(offset(handle->GroupEnds[group]));
                else
                    out.append("-");
            }
            out += "]";
            if (next == matchStart)
                ++next;
            if (next > end || (next == end && matchStart != end))
                break;
            from = next;
        }
    }
    BRegfree(handle);
    return out;
}
