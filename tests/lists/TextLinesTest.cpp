#include "lists/TextLines.h"

#include <gtest/gtest.h>

#include "lists/RowText.h"
#include "lists/TabRule.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TextLines, SplitsAsATextModeRead)
{
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\rb\r\n", {"a\rb"}},
        {"a\r\r\nb\r", {"a\r", "b\r"}},
        {"a\r\nb\x1a" "c\r\nd\r\n", {"a", "b"}},
        {"\x1a" "a\r\n", {}},
        {"a\r\n\x1a", {"a"}},
        {std::string("a\0b\r\n\0\r\n", 8), {std::string("a\0b", 3), std::string(1, '\0')}},
        {"\x83\n\x83\r\n", {"\x83", "\x83"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitTextLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(TabRule, EveryTabBecomesBackslashT)
{
    EXPECT_EQ(EscapeTabs("a\tb"), "a\\tb");
    EXPECT_EQ(EscapeTabs("\t\t"), "\\t\\t");
    EXPECT_EQ(EscapeTabs("\\t"), "\\t");
    EXPECT_EQ(EscapeTabs("\x83\t"), "\x83\\t");
    EXPECT_EQ(EscapeTabs(""), "");
}

TEST(RowText, EachColumnEndsWith7F)
{
    EXPECT_EQ(RowTextOf(ListRow{"abc", "xyz", "Ei"}), "abc\x7fxyz\x7f" "Ei\x7f");
    EXPECT_EQ(RowTextOf(ListRow{}), "\x7f\x7f\x7f");
    EXPECT_EQ(RowFromText("abc\x7fxyz\x7f" "Ei\x7f"), (ListRow{"abc", "xyz", "Ei"}));
}

TEST(RowText, RebuildsFromPiecesAndIgnoresTheRest)
{
    EXPECT_EQ(RowFromText(""), ListRow{});
    EXPECT_EQ(RowFromText("a\x7f" "b"), (ListRow{"a", "", ""}));
    EXPECT_EQ(RowFromText("a\x7f" "b\x7f" "c\x7f" "d\x7f" "e"), (ListRow{"a", "b", "c"}));
    EXPECT_EQ(RowFromText("\x7f\x7f" "C\x7f"), (ListRow{"", "", "C"}));
}

TEST(RowText, ColumnsHolding7FOrTheEscapeTravelIntact)
{
    const ListRow rows[] = {
        {"a\x7f" "b", "\x7f", "\x10"},
        {"\x10\x7f", "", "\x7f\x7f"},
        {"\x83\x7f\x10", "\x95\x5c", "E"},
        {std::string("\0", 1), "\x10\x10", ""},
    };
    for (const ListRow& row : rows)
        EXPECT_EQ(RowFromText(RowTextOf(row)), row) << testing::PrintToString(RowTextOf(row));
}

}  // namespace
