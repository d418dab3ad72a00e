#include "engine/run/RunCheck.h"

#include <gtest/gtest.h>

#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/EngineSettings.h"

namespace {

class LibrarySubstitutes : public EngineSettings {
public:
    int ReadBregexp() const override { return 1; }
};

}  // namespace

TEST(CheckRun, ReplaceListAndRegularExpressionsOfTheRun)
{
    BregexpLibrary loaded;
    ASSERT_TRUE(loaded.Load()) << BregexpLibrary::DefaultPath();
    const BregexpLibrary notLoaded;
    const LibrarySubstitutes bySubstitution;
    const PatternList withRegex = {{"a", "x", 0}, {"b+", "y", RegularExpression | Kanji}};
    const PatternList literal = {{"a", "x", 0}, {"b", "y", NotCase | NotEscape}};
    const PatternList rejected = {{"a", "x", 0}, {"(abc", "y", RegularExpression | Kanji}};
    const ReplacePattern regex{"b+", "y", RegularExpression};
    const ReplacePattern literalPattern{"a", "b", 0};
    using enum RunRefusal;
    using enum ReplaceListState;
    const struct {
        const char* name;
        bool allAuto;
        ReplacePattern pattern;
        PatternList patterns;
        ReplaceListState state;
        const BregexpLibrary* library;
        const EngineSettings* settings;
        RunRefusal expected;
        const char* expression;
    } cases[] = {
        {"list, no library", true, {}, withRegex, Read, nullptr, nullptr, NoRegexLibrary, ""},
        {"list, library not loaded", true, {}, withRegex, Read, &notLoaded, nullptr, NoRegexLibrary, ""},
        {"list, library", true, {}, withRegex, Read, &loaded, nullptr, None, ""},
        {"literal list, no library", true, regex, literal, Read, nullptr, nullptr, None, ""},
        // A full-automatic run without patterns would only touch every file.
        {"empty list", true, regex, {}, Read, &loaded, nullptr, ReplaceListEmpty, ""},
        {"list not found", true, regex, {}, NotFound, &loaded, nullptr, ReplaceListNotFound, ""},
        {"list unreadable", true, regex, {}, Unreadable, &loaded, nullptr, ReplaceListUnreadable, ""},
        {"list refused before the library", true, {}, {}, NotFound, nullptr, nullptr, ReplaceListNotFound, ""},
        {"single pattern, no library", false, regex, {}, Read, nullptr, nullptr, NoRegexLibrary, ""},
        {"single pattern, library", false, regex, {}, Read, &loaded, nullptr, None, ""},
        // The list is neither used nor looked at by a single-pattern run.
        {"literal single pattern", false, literalPattern, withRegex, NotFound, nullptr, nullptr, None, ""},
        {"rejected single pattern", false, {"(abc", "x", RegularExpression}, {}, Read, &loaded, nullptr,
         RejectedExpression, "(abc"},
        {"rejected in the list", true, {}, rejected, Read, &loaded, nullptr, RejectedExpression, "(abc"},
        {"rejected, library substitutes", false, {"a[", "x", RegularExpression}, {}, Read, &loaded, &bySubstitution,
         RejectedExpression, "a["},
        {"accepted, library substitutes", false, {"a/b", "$1", RegularExpression}, {}, Read, &loaded,
         &bySubstitution, None, ""},
    };
    for (const auto& c : cases) {
        ReplaceJob job;
        job.AllAuto = c.allAuto;
        job.Pattern = c.pattern;
        job.Patterns = c.patterns;
        job.PatternsState = c.state;
        job.RegexLibrary = c.library;
        job.Settings = c.settings;
        const RunCheck check = CheckRun(job);
        EXPECT_EQ(check.Refusal, c.expected) << c.name;
        EXPECT_EQ(check.Expression, c.expression) << c.name;
        // The library says in its own words why.
        EXPECT_EQ(check.LibraryMessage.empty(), c.expected != RejectedExpression) << c.name << ": " << check.LibraryMessage;
    }
}
