#include "engine/RunCheck.h"

#include <gtest/gtest.h>

#include "engine/BregexpLibrary.h"

TEST(CheckRun, ARegularExpressionOfTheRunNeedsTheLibrary)
{
    BregexpLibrary loaded;
    ASSERT_TRUE(loaded.Load()) << BregexpLibrary::DefaultPath();
    const BregexpLibrary notLoaded;
    const PatternList withRegex = {{"a", "x", 0}, {"b+", "y", RegularExpression | Kanji}};
    const PatternList literal = {{"a", "x", 0}, {"b", "y", NotCase | NotEscape}};
    const ReplacePattern regex{"b+", "y", RegularExpression};
    const struct {
        const char* name;
        bool allAuto;
        ReplacePattern pattern;
        PatternList patterns;
        const BregexpLibrary* library;
        RunRefusal expected;
    } cases[] = {
        {"list, no library", true, {}, withRegex, nullptr, RunRefusal::NoRegexLibrary},
        {"list, library not loaded", true, {}, withRegex, &notLoaded, RunRefusal::NoRegexLibrary},
        {"list, library", true, {}, withRegex, &loaded, RunRefusal::None},
        {"literal list, no library", true, regex, literal, nullptr, RunRefusal::None},
        {"empty list, no library", true, regex, {}, nullptr, RunRefusal::None},
        {"single pattern, no library", false, regex, {}, nullptr, RunRefusal::NoRegexLibrary},
        {"single pattern, library", false, regex, {}, &loaded, RunRefusal::None},
        // The list is not used by a single-pattern run.
        {"literal single pattern, no library", false, {"a", "b", 0}, withRegex, nullptr, RunRefusal::None},
    };
    for (const auto& c : cases) {
        ReplaceJob job;
        job.AllAuto = c.allAuto;
        job.Pattern = c.pattern;
        job.Patterns = c.patterns;
        job.RegexLibrary = c.library;
        EXPECT_EQ(CheckRun(job), c.expected) << c.name;
    }
}
