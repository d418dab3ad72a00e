// The replace list shipped as an example must do on a real Shift-JIS text what its rows
// promise: literal rows with and without escapes and case, and regular expressions
// through the library the program ships.
#include <gtest/gtest.h>

#include "engine/regex/BregexpLibrary.h"
#include "engine/rewrite/ReplaceAllPatterns.h"
#include "lists/ListFile.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(SampleList, RewritesATextAsItsRowsPromise)
{
    ReplaceJob job;
    job.Patterns = ReadPatternList(TARVELOX_SAMPLE_LIST);
    ASSERT_EQ(job.Patterns.size(), 5u);
    BregexpLibrary library;
    ASSERT_TRUE(library.Load());
    job.RegexLibrary = &library;
    job.AllAuto = true;

    TempFolder folder;
    const std::string path = folder / "a.txt";
    WriteBytes(path, "株式会社サンプルの旧製品名と旧名称を表示<BR>\r\n"
                     "2026/12/8 発売 \t \r\n"
                     "2026/12/9\r\n");
    EXPECT_EQ(ReplaceAllPatterns(job, path), 7);
    EXPECT_EQ(ReadBytes(path), "サンプル株式会社の新製品名と新製品名を表示<br />\r\n"
                               "2026年12月8日 発売\r\n"
                               "2026年12月9日\r\n");
}

}  // namespace
