#include "bregexp/CompiledExpression.h"

#include <atomic>

#include "bregexp/ByteModeExpression.h"
#include "bregexp/CompilationCount.h"
#include "bregexp/OnePassMatcher.h"
#include "bregexp/OnigurumaMatcher.h"
#include "bregexp/TextCharacters.h"
#include "engine/text/CharacterRule.h"

namespace bregexp {

namespace {

std::atomic<long> compilations{0};

}  // namespace

long CompilationCount()
{
    return compilations.load();
}

std::unique_ptr<CompiledExpression> CompiledExpression::Compile(const RegexCommand& command, std::string& error,
                                                                MatcherChoice choice)
{
    const Modifiers& modifiers = command.Options;
    // Only Shift-JIS read byte by byte has second bytes that Oniguruma could take for syntax.
    const bool byBytes = OnigurumaEncoding(modifiers) == ONIG_ENCODING_ASCII;
    const std::string pattern = byBytes ? EscapeSecondBytesForByteSearch(command.Expression) : command.Expression;

    ++compilations;
    std::unique_ptr<OnigurumaMatcher> oniguruma =
        OnigurumaMatcher::Compile(pattern, command.Expression, modifiers, error);
    if (!oniguruma)
        return nullptr;
    std::unique_ptr<CompiledExpression> compiled(new CompiledExpression);
    compiled->characters_ = byBytes ? nullptr : &CharacterRuleOf(modifiers.Encoding);
    compiled->textCharacters_ = &TextCharactersOf(OnigurumaEncoding(modifiers));
    compiled->groupCount_ = oniguruma->GroupCount();
    if (choice == MatcherChoice::OwnWhereItCan)
        compiled->own_ = OnePassMatcher::Build(pattern, modifiers, compiled->groupCount_);
    compiled->oniguruma_ = std::move(oniguruma);
    compiled->onigurumaAnswers_ = compiled->oniguruma_.get();
    return compiled;
}

CompiledExpression::~CompiledExpression() = default;

const char* CompiledExpression::CutEnd(const char* textStart, const char* textEnd) const
{
    return textStart + characters_->CompleteEnd(std::string_view(textStart, static_cast<std::size_t>(textEnd - textStart)));
}

std::size_t CompiledExpression::CharacterLengthAt(const char* position, const char* end) const
{
    if (!characters_)
        return 1;
    return characters_->CharacterLength(std::string_view(position, static_cast<std::size_t>(end - position)), 0);
}

int CompiledExpression::SearchWithOniguruma(const char* textStart, const char* end, const char* from)
{
    ownAnswered_ = false;
    // Oniguruma reads on from `from` by first bytes, and in text that is not well-formed a
    // character can then reach past the end, where Oniguruma would read beyond the text.
    // Our own matcher answers only where the text it read was well-formed, and such text
    // ends there for both.
    return oniguruma_->Search(textStart, textCharacters_->CompleteEnd(from, end), from);
}

void CompiledExpression::SearchOnward(bool onward)
{
    if (own_)
        own_->SearchOnward(onward);
}

void CompiledExpression::TakeAsWellFormed(const char* text, const char* end)
{
    if (own_)
        own_->TakeAsWellFormed(text, end);
}

}  // namespace bregexp
