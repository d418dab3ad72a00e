#include "bregexp/OnigurumaMatcher.h"

#include <algorithm>
#include <new>

#include "bregexp/OnigurumaSetup.h"

namespace bregexp {

namespace {

const OnigUChar* Bytes(const char* p)
{
    return reinterpret_cast<const OnigUChar*>(p);
}

}  // namespace

OnigEncoding OnigurumaEncoding(const Modifiers& modifiers)
{
    switch (modifiers.Encoding) {
    case TextEncoding::Utf8:
        return ONIG_ENCODING_UTF8;
    case TextEncoding::EucJp:
        return ONIG_ENCODING_EUC_JP;
    default:
        return modifiers.Kanji ? ONIG_ENCODING_SJIS : ONIG_ENCODING_ASCII;
    }
}

std::unique_ptr<OnigurumaMatcher> OnigurumaMatcher::Compile(const std::string& pattern, const std::string& expression,
                                                            const Modifiers& modifiers, std::string& error)
{
    EnsureOnigurumaReady();
    // Perl's syntax makes ^ and $ anchor at the text only (\A and \Z); m clears that.
    // Digits, white space and letter case are those of ASCII, as Oniguruma has them in
    // Shift-JIS and EUC-JP, so that an expression finds the same in a UTF-8 text.
    OnigOptionType options = ONIG_OPTION_CAPTURE_GROUP | ONIG_OPTION_DIGIT_IS_ASCII | ONIG_OPTION_SPACE_IS_ASCII |
                             ONIG_OPTION_IGNORECASE_IS_ASCII;
    if (modifiers.IgnoreCase)
        options |= ONIG_OPTION_IGNORECASE;
    if (modifiers.Multiline)
        options |= ONIG_OPTION_NEGATE_SINGLELINE;

    std::unique_ptr<OnigurumaMatcher> compiled(new OnigurumaMatcher);
    compiled->region_ = onig_region_new();
    compiled->matchParam_ = onig_new_match_param();
    if (!compiled->region_ || !compiled->matchParam_)
        throw std::bad_alloc();
    onig_initialize_match_param(compiled->matchParam_);
    onig_set_retry_limit_in_match_of_match_param(compiled->matchParam_, RetryLimitInMatch);
    onig_set_retry_limit_in_search_of_match_param(compiled->matchParam_, RetryLimitInSearch);
    onig_set_match_stack_limit_size_of_match_param(compiled->matchParam_, MatchStackLimit);

    OnigErrorInfo info{};
    const int result = onig_new(&compiled->regex_, Bytes(pattern.data()), Bytes(pattern.data() + pattern.size()),
                                options, OnigurumaEncoding(modifiers), ONIG_SYNTAX_PERL_NG, &info);
    if (result == ONIGERR_MEMORY)
        throw std::bad_alloc();
    if (result != ONIG_NORMAL) {
        error = OnigurumaErrorText(result, &info);
        return nullptr;
    }
    // Read only once Oniguruma accepted it, which bounds how deeply it nests.
    compiled->prefixes_ = LiteralPrefixes::Of(expression, modifiers);
    return compiled;
}

OnigurumaMatcher::~OnigurumaMatcher()
{
    if (regex_)
        onig_free(regex_);
    if (region_)
        onig_region_free(region_, 1);
    if (matchParam_)
        onig_free_match_param(matchParam_);
}

int OnigurumaMatcher::GroupCount() const
{
    return onig_number_of_captures(regex_);
}

void OnigurumaMatcher::PointGroups(const char* textStart, int last, char** starts, char** ends) const
{
    char* text = const_cast<char*>(textStart);
    for (int group = 1; group <= last; ++group) {
        const bool took = region_->beg[group] >= 0;
        starts[group] = took ? text + region_->beg[group] : nullptr;
        ends[group] = took ? text + region_->end[group] : nullptr;
    }
}

int OnigurumaMatcher::Search(const char* textStart, const char* end, const char* from)
{
    // No match begins before the first place where one of its known first texts stands.
    if (prefixes_) {
        from = prefixes_->Next(from, end);
        if (!from)
            return ONIG_MISMATCH;
    }
    const int found = onig_search_with_param(regex_, Bytes(textStart), Bytes(end), Bytes(from), Bytes(end), region_,
                                             ONIG_OPTION_NONE, matchParam_);
    // In text that is not well-formed in its encoding Oniguruma takes a first byte for all
    // the bytes it announces, and a match can then claim to end past the text.
    const int limit = static_cast<int>(end - textStart);
    for (int group = 0; found >= 0 && group < region_->num_regs; ++group) {
        region_->beg[group] = std::min(region_->beg[group], limit);
        region_->end[group] = std::min(region_->end[group], limit);
        // A group repeated where it may match nothing can come back ending before it
        // begins ((o|\w?){2} after a word character): it is taken as no part of the match.
        if (group > 0 && region_->end[group] < region_->beg[group])
            region_->beg[group] = region_->end[group] = ONIG_REGION_NOTPOS;
    }
    return found;
}

}  // namespace bregexp
