#include "bregexp/CompiledExpression.h"

#include <atomic>
#include <new>

#include "bregexp/ByteModeExpression.h"
#include "bregexp/CompilationCount.h"
#include "bregexp/OnigurumaSetup.h"
#include "platform/DoubleByte.h"

namespace bregexp {

namespace {

std::atomic<long> compilations{0};

const OnigUChar* Bytes(const char* p)
{
    return reinterpret_cast<const OnigUChar*>(p);
}

}  // namespace

long CompilationCount()
{
    return compilations.load();
}

std::unique_ptr<CompiledExpression> CompiledExpression::Compile(const RegexCommand& command, std::string& error)
{
    EnsureOnigurumaReady();
    const Modifiers& modifiers = command.Options;
    const std::string pattern =
        modifiers.Kanji ? command.Expression : EscapeSecondBytesForByteSearch(command.Expression);

    // Perl's syntax makes ^ and $ anchor at the text only (\A and \Z); m clears that.
    OnigOptionType options = ONIG_OPTION_CAPTURE_GROUP;
    if (modifiers.IgnoreCase)
        options |= ONIG_OPTION_IGNORECASE;
    if (modifiers.Multiline)
        options |= ONIG_OPTION_NEGATE_SINGLELINE;

    std::unique_ptr<CompiledExpression> compiled(new CompiledExpression);
    compiled->kanji_ = modifiers.Kanji;
    compiled->region_ = onig_region_new();
    compiled->matchParam_ = onig_new_match_param();
    if (!compiled->region_ || !compiled->matchParam_)
        throw std::bad_alloc();
    onig_initialize_match_param(compiled->matchParam_);
    onig_set_retry_limit_in_match_of_match_param(compiled->matchParam_, RetryLimitInMatch);
    onig_set_retry_limit_in_search_of_match_param(compiled->matchParam_, RetryLimitInSearch);
    onig_set_match_stack_limit_size_of_match_param(compiled->matchParam_, MatchStackLimit);

    ++compilations;
    OnigErrorInfo info{};
    const int result = onig_new(&compiled->regex_, Bytes(pattern.data()), Bytes(pattern.data() + pattern.size()),
                                options, modifiers.Kanji ? ONIG_ENCODING_SJIS : ONIG_ENCODING_ASCII,
                                ONIG_SYNTAX_PERL_NG, &info);
    if (result == ONIGERR_MEMORY)
        throw std::bad_alloc();
    if (result != ONIG_NORMAL) {
        error = OnigurumaErrorText(result, &info);
        return nullptr;
    }
    compiled->groupCount_ = onig_number_of_captures(compiled->regex_);
    compiled->prefixes_ = LiteralPrefixes::Of(command.Expression, modifiers);
    return compiled;
}

CompiledExpression::~CompiledExpression()
{
    if (regex_)
        onig_free(regex_);
    if (region_)
        onig_region_free(region_, 1);
    if (matchParam_)
        onig_free_match_param(matchParam_);
}

const char* CompiledExpression::SearchableEnd(const char* textStart, const char* textEnd) const
{
    if (kanji_ && textEnd > textStart && IsLeadByte(textEnd[-1]) && IsCharacterStart(textStart, textEnd - 1))
        return textEnd - 1;
    return textEnd;
}

std::size_t CompiledExpression::CharacterLengthAt(const char* position, const char* end) const
{
    return kanji_ && IsLeadByte(*position) && end - position >= 2 ? 2 : 1;
}

int CompiledExpression::Search(const char* textStart, const char* end, const char* from)
{
    // No match begins before the first place where one of its known first texts stands.
    if (prefixes_) {
        from = prefixes_->Next(from, end);
        if (!from)
            return ONIG_MISMATCH;
    }
    return onig_search_with_param(regex_, Bytes(textStart), Bytes(end), Bytes(from), Bytes(end), region_,
                                  ONIG_OPTION_NONE, matchParam_);
}

}  // namespace bregexp
