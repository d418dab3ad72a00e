#include "lists/ListFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "lists/ListLine.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(ListWriter, WritesEachRowAsThreeFieldsAndCrLf)
{
    const struct {
        ListRows rows;
        std::string bytes;
    } cases[] = {
        {{}, ""},
        {{RowForPattern("abc", "xyz", RegularExpression | Ignorecase)}, "abc\txyz\tEi\r\n"},
        {{RowForPattern("a", "b", 0)}, "a\tb\t\r\n"},
        {{RowForPattern("a", "", NotEscape | NotCase)}, "a\t\tSC\r\n"},
        {{RowForPattern("a", "b", RegularExpression | Kanji | Multiline | Ignorecase | NotEscape)}, "a\tb\tEkmi\r\n"},
        {{RowForPattern("a\tb", "\t", 0)}, "a\\tb\t\\t\t\r\n"},
        {{ListRow{"1", "2", "CS"}, ListRow{}, ListRow{"\x95\x5c", "\\", "E"}},
         "1\t2\tCS\r\n\t\t\r\n\x95\x5c\t\\\tE\r\n"},
        {{ListRow{std::string("a\0b", 3), "\r", ""}}, std::string("a\0b\t\r\t\r\n", 8)},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder / "out.lst", "old content that must go");
        EXPECT_EQ(WriteListFile(folder / "out.lst", c.rows), ListWriteResult::Written);
        EXPECT_EQ(ReadBytes(folder / "out.lst"), c.bytes);
    }
}

TEST(ListWriter, ReportsACreateThatFails)
{
    TempFolder folder;
    MakeFolder(folder / "taken.lst");
    EXPECT_EQ(WriteListFile(folder / "taken.lst", {ListRow{"a", "b", ""}}), ListWriteResult::CreateFailed);
    EXPECT_TRUE(platform::IsFolder(folder / "taken.lst"));
}

#ifndef _WIN32
TEST(ListWriter, ReportsAWriteThatFails)
{
    // A device that accepts the create and refuses every byte: a full disk.
    ListRows rows(1000, ListRow{std::string(100, 'x'), "y", "E"});
    EXPECT_EQ(WriteListFile("/dev/full", rows), ListWriteResult::WriteFailed);
    EXPECT_EQ(WriteListFile("/dev/full", {}), ListWriteResult::Written);
}
#endif

TEST(ListReaders, ReadTheFieldsOfEachLine)
{
    const struct {
        const char* line;
        ListRow row;
        ReplacePattern pattern;
    } cases[] = {
        {"abc\txyz\tEi", {"abc", "xyz", "Ei"}, {"abc", "xyz", RegularExpression | Ignorecase}},
        {"x", {"x", "", ""}, {"x", "", 0}},
        {"x\ty", {"x", "y", ""}, {"x", "y", 0}},
        {"", {"", "", ""}, {"", "", 0}},
        {"a\tb\tE\tzzz", {"a", "b", "E"}, {"a", "b", RegularExpression}},
        {"a\tb\tz\tS", {"a", "b", "z"}, {"a", "b", NotEscape}},
        {"a\tb\tCS", {"a", "b", "CS"}, {"a", "b", NotEscape | NotCase}},
        {"a\tb\te", {"a", "b", "e"}, {"a", "b", 0}},
        {"a\tb\tI", {"a", "b", "I"}, {"a", "b", 0}},
        {"\t\t", {"", "", ""}, {"", "", 0}},
        {"a\\tb\t\t", {"a\\tb", "", ""}, {"a\\tb", "", 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitListLine(c.line), c.row) << c.line;
        EXPECT_EQ(ParseListLine(c.line), c.pattern) << c.line;
    }
}

TEST(ListReaders, ReadWholeFilesInOrder)
{
    TempFolder folder;
    WriteBytes(folder / "in.lst", "abc\txyz\tEi\r\nx\r\n\r\na\tb\tE\tzzz\r\nlone\rcr\t\tS\nlast\x1a" "after\r\n");
    ListRows rows{ListRow{"kept", "", ""}};
    AppendListRows(folder / "in.lst", rows);
    EXPECT_EQ(rows, (ListRows{{"kept", "", ""},
                              {"abc", "xyz", "Ei"},
                              {"x", "", ""},
                              {"", "", ""},
                              {"a", "b", "E"},
                              {"lone\rcr", "", "S"},
                              {"last", "", ""}}));
    EXPECT_EQ(ReadPatternList(folder / "in.lst"), (PatternList{{"abc", "xyz", RegularExpression | Ignorecase},
                                                              {"x", "", 0},
                                                              {"", "", 0},
                                                              {"a", "b", RegularExpression},
                                                              {"lone\rcr", "", NotEscape},
                                                              {"last", "", 0}}));
}

// A list saved in UTF-8 by an editor that marks it: the mark at the start is no part of the
// first find text, anywhere else it is text.
TEST(ListReaders, AByteOrderMarkStartsNoPattern)
{
    TempFolder folder;
    WriteBytes(folder / "marked.lst", "\xEF\xBB\xBF" "a\tb\t\r\n\xEF\xBB\xBF" "c\td\tE\r\n");
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(ReadPatternList(folder / "marked.lst"), (PatternList{{"a", "b", 0}, {mark + "c", "d", RegularExpression}}));
    ListRows rows;
    AppendListRows(folder / "marked.lst", rows);
    EXPECT_EQ(rows, (ListRows{{"a", "b", ""}, {mark + "c", "d", "E"}}));
}

TEST(ListReaders, AFileThatCannotBeReadIsEmpty)
{
    TempFolder folder;
    WriteBytes(folder / "empty.lst", "");
    ListRows rows{ListRow{"kept", "", ""}};
    AppendListRows(folder / "missing.lst", rows);
    AppendListRows(folder / "empty.lst", rows);
    AppendListRows(folder.Path(), rows);
    EXPECT_EQ(rows, (ListRows{{"kept", "", ""}}));
    EXPECT_TRUE(ReadPatternList(folder / "missing.lst").empty());
    EXPECT_TRUE(ReadPatternList(folder / "empty.lst").empty());
}

TEST(ListFiles, EditorRowsSurviveASaveUnchanged)
{
    TempFolder folder;
    WriteBytes(folder / "in.lst", "a\tb\tCS\r\n\x95\x5c\t\x83\x41\tkmE\r\n\t\t\r\n");
    ListRows rows;
    AppendListRows(folder / "in.lst", rows);
    ASSERT_EQ(WriteListFile(folder / "out.lst", rows), ListWriteResult::Written);
    EXPECT_EQ(ReadBytes(folder / "out.lst"), ReadBytes(folder / "in.lst"));
}

TEST(ListSave, PutsTheListInPlaceOnlyWhenEveryRowWasWritten)
{
    const ListRows rows{{"a", "b", "SC"}, {"\x95\x5c", "", "Ekm"}};
    const std::string bytes = "a\tb\tSC\r\n\x95\x5c\t\tEkm\r\n";
    const struct {
        const char* name;
        const char* former;  // null: no list yet
        ListWriteResult result;
        std::function<void(const std::string& list)> spoil;
    } cases[] = {
        {"a new list", nullptr, ListWriteResult::Written, nullptr},
        {"a list replaced", "old\t\t\r\n", ListWriteResult::Written, nullptr},
        {"a read-only list", "old\t\t\r\n", ListWriteResult::CreateFailed,
         [](const std::string& list) { SetReadOnly(list, true); }},
        {"the temporary name taken", "old\t\t\r\n", ListWriteResult::CreateFailed,
         [](const std::string& list) { MakeFolder(list + ".tarvelox.tmp"); }},
        {"a folder by the list's name", nullptr, ListWriteResult::CreateFailed,
         [](const std::string& list) { MakeFolder(list); }},
        {"no such folder", nullptr, ListWriteResult::CreateFailed, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const bool inMissingFolder = !c.spoil && c.result != ListWriteResult::Written;
        const std::string list = inMissingFolder ? platform::JoinPath(folder / "gone", "edit.lst") : folder / "edit.lst";
        if (c.former)
            WriteBytes(list, c.former);
        if (c.spoil)
            c.spoil(list);
        EXPECT_EQ(SaveListFile(list, rows), c.result);
        if (c.result == ListWriteResult::Written) {
            EXPECT_EQ(ReadBytes(list), bytes);
        } else if (c.former) {
            EXPECT_EQ(ReadBytes(list), c.former);
        }
        EXPECT_EQ(platform::PathExists(list + ".tarvelox.tmp"), platform::IsFolder(list + ".tarvelox.tmp"));
        if (c.former)
            SetReadOnly(list, false);
    }
}

}  // namespace
