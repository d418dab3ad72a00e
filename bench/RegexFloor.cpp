// The least a rewrite by a regular expression through our library must spend, for
// bench/compare: each file seen without a copy, and every match searched as the library
// searches, from the end of the one before over the whole text, with nothing written.
//   regex_floor /EXPRESSION/MODIFIERS FILE...
#include <cstdio>
#include <string>

#include "bregexp/CompiledExpression.h"
#include "bregexp/RegexCommand.h"
#include "platform/FileView.h"

namespace {

// The number of matches, or -1 when a search fails.
long long CountMatches(bregexp::CompiledExpression& expression, const char* start, const char* end)
{
    long long count = 0;
    const char* searchable = expression.SearchableEnd(start, end);
    const char* from = start;
    while (from <= searchable) {
        const int found = expression.Search(start, searchable, from);
        if (found == ONIG_MISMATCH)
            break;
        if (found < 0)
            return -1;
        ++count;
        const char* matchEnd = start + expression.GroupEnd(0);
        if (matchEnd > from) {
            from = matchEnd;
            continue;
        }
        if (from >= searchable)
            break;
        from += expression.CharacterLengthAt(from, searchable);
    }
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: regex_floor /EXPRESSION/MODIFIERS FILE...\n", stderr);
        return 2;
    }
    const bregexp::ParsedCommand parsed = bregexp::ParseMatchCommand(argv[1]);
    std::string error;
    const auto expression = parsed.Error ? nullptr : bregexp::CompiledExpression::Compile(parsed.Command, error);
    if (!expression) {
        std::fprintf(stderr, "regex_floor: %s\n", parsed.Error ? parsed.Error : error.c_str());
        return 2;
    }
    long long total = 0;
    for (int i = 2; i < argc; ++i) {
        platform::FileView view;
        if (view.Open(argv[i]) != platform::ReadStatus::Ok) {
            std::perror(argv[i]);
            return 1;
        }
        const long long count = CountMatches(*expression, view.Data(), view.Data() + view.Size());
        if (count < 0) {
            std::fprintf(stderr, "regex_floor: a search failed in %s\n", argv[i]);
            return 1;
        }
        total += count;
    }
    std::fprintf(stderr, "%lld matches\n", total);
    return 0;
}
