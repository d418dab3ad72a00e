#include "tests/bregexp/MatchStarts.h"

#include <oniguruma.h>

#include "bregexp/OnigurumaSetup.h"
#include "platform/DoubleByte.h"

namespace {

const OnigUChar* Bytes(const char* p)
{
    return reinterpret_cast<const OnigUChar*>(p);
}

}  // namespace

MatchStarts::MatchStarts(const std::string& expression, const bregexp::Modifiers& modifiers)
    : kanji_(modifiers.Kanji)
{
    bregexp::EnsureOnigurumaReady();
    OnigOptionType options = ONIG_OPTION_CAPTURE_GROUP;
    if (modifiers.IgnoreCase)
        options |= ONIG_OPTION_IGNORECASE;
    if (modifiers.Multiline)
        options |= ONIG_OPTION_NEGATE_SINGLELINE;
    OnigRegex regex = nullptr;
    OnigErrorInfo info{};
    if (onig_new(&regex, Bytes(expression.data()), Bytes(expression.data() + expression.size()), options,
                 kanji_ ? ONIG_ENCODING_SJIS : ONIG_ENCODING_ASCII, ONIG_SYNTAX_PERL_NG, &info) != ONIG_NORMAL)
        return;
    regex_ = regex;
    region_ = onig_region_new();
}

MatchStarts::~MatchStarts()
{
    if (regex_)
        onig_free(static_cast<OnigRegex>(regex_));
    if (region_)
        onig_region_free(static_cast<OnigRegion*>(region_), 1);
}

std::vector<std::size_t> MatchStarts::In(const std::string& text) const
{
    std::vector<std::size_t> starts;
    const char* start = text.data();
    const char* end = start + text.size();
    const char* frontier = start;
    for (const char* at = start; at <= end; ++at) {
        if (kanji_ && !AdvanceToCharacterStart(frontier, at))
            continue;
        if (onig_match(static_cast<OnigRegex>(regex_), Bytes(start), Bytes(end), Bytes(at),
                       static_cast<OnigRegion*>(region_), ONIG_OPTION_NONE) >= 0)
            starts.push_back(static_cast<std::size_t>(at - start));
    }
    return starts;
}
