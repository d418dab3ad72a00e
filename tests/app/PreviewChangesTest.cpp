// What a preview keeps for its log to show: each changed file's lines before and after,
// read in the file's own encoding and shown in code page 932.
#include "app/PreviewChanges.h"

#include <gtest/gtest.h>

namespace {

struct ShownCase {
    const char* Name;
    std::string Line;
    TextEncoding Encoding;
    std::string Shown;
};

TEST(ShownInShiftJisTest, EachEncodingIsReadAsItselfAndWhatCannotPassIsWrittenOut)
{
    const ShownCase cases[] = {
        {"UTF-8 Japanese", "\xE6\x97\xA5\xE6\x9C\xAC\n", TextEncoding::Utf8, "\x93\xFA\x96\x7B\n"},
        {"UTF-8 beyond code page 932", "caf\xC3\xA9 \xED\x95\x9C\r\n", TextEncoding::Utf8, "caf<U+00E9> <U+D55C>\r\n"},
        {"UTF-8 cut short", "a\xE6\x97", TextEncoding::Utf8, "a<E6><97>"},
        {"EUC-JP Japanese", "\xC6\xFC\xCB\xDC", TextEncoding::EucJp, "\x93\xFA\x96\x7B"},
        {"EUC-JP cut short", "\xC6\xFC\xCB", TextEncoding::EucJp, "\x93\xFA<CB>"},
        {"Shift-JIS as it is", "\x95\x5C\\n", TextEncoding::ShiftJis, "\x95\x5C\\n"},
        {"seven-bit as it is", "plain", TextEncoding::Ascii, "plain"},
    };
    for (const ShownCase& c : cases)
        EXPECT_EQ(ShownInShiftJis(c.Line, c.Encoding), c.Shown) << c.Name;
}

TEST(PreviewChangesTest, KeepsTheChangedLinesOfEachChangedFileUntilCleared)
{
    PreviewChanges changes;
    changes.OnNewText("C:\\a.txt", TextEncoding::Utf8, "one\n\xE6\x97\xA5\nthree\n", "one\n\xE6\x9C\xAC\nthree\n");
    changes.OnNewText("C:\\b.txt", TextEncoding::ShiftJis, "x\r\n", "y\r\n");

    const std::string* a = changes.ChangesOf("C:\\a.txt");
    ASSERT_NE(a, nullptr);
    EXPECT_NE(a->find("\n-\x93\xFA\n+\x96\x7B\n"), std::string::npos) << *a;
    EXPECT_NE(a->find(" one\n"), std::string::npos) << *a;
    ASSERT_NE(changes.ChangesOf("C:\\b.txt"), nullptr);
    EXPECT_NE(changes.ChangesOf("C:\\b.txt")->find("-x\r\n+y\r\n"), std::string::npos);
    EXPECT_EQ(changes.ChangesOf("C:\\c.txt"), nullptr);

    changes.Clear();
    EXPECT_EQ(changes.ChangesOf("C:\\a.txt"), nullptr);
}

}  // namespace
