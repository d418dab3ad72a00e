#include "editor/ListEditWnd.h"

#include <gtest/gtest.h>

#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "resources/ResourceIds.h"
#include "tests/window/ListEditorFixture.h"

namespace {

const std::string ThreeRows = "a\tA\t\r\nb\tB\tE\r\nc\tC\tSC\r\n";
const std::string FourRows = "a\tA\t\r\nb\tB\t\r\nc\tC\t\r\nd\tD\t\r\n";
const std::string SavePrompt = "リストが変更されています。変更を保存しますか？";

using Strings = std::vector<std::string>;

std::string PathShown(CListEditWnd& editor)
{
    return TextOf(editor.PathBar().GetDlgItem(IDC_LIST_PATH));
}

// The seven row commands in one line, 1 where enabled: as the rule says, as the menu shows
// it, as the toolbar shows it after idle time.
const int RowCommands[] = {ID_PATTERN_INSERT, ID_PATTERN_EDIT, ID_PATTERN_DELETE, ID_PATTERN_CUT,
                           ID_PATTERN_PASTE,  ID_PATTERN_MOVE_UP, ID_PATTERN_MOVE_DOWN};

// The row commands that have a key, with the key.
const struct CommandKey {
    int Id;
    UINT Key;
    bool Control;
} CommandKeys[] = {
    {ID_PATTERN_EDIT, VK_RETURN, false}, {ID_PATTERN_DELETE, VK_DELETE, false}, {ID_PATTERN_CUT, 'X', true},
    {ID_PATTERN_PASTE, 'V', true},       {ID_PATTERN_MOVE_UP, VK_UP, true},     {ID_PATTERN_MOVE_DOWN, VK_DOWN, true},
};

}  // namespace

TEST_F(ListEditorTest, OpensOnTheListWithItsOwnerDisabledAndReportsToItWhenItCloses)
{
    OpenList(ThreeRows);
    EXPECT_EQ(Rows(), (Strings{"a|A|", "b|B|E", "c|C|SC"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Editor().ListView().GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(TextOf(EditorWindow()), "置換えリスト編集");
    EXPECT_EQ(PathShown(Editor()), listPath_);
    EXPECT_EQ(Editor().StatusBar().GetText(), "総数 : 3件");
    EXPECT_FALSE(owner_.IsWindowEnabled());
    EXPECT_FALSE(Editor().IsModified());
    // Borrowed from the system's drag and drop library, which this system has.
    EXPECT_TRUE(Editor().HasDragCursor());
    EXPECT_EQ(Editor().ListView().GetExtendedStyle() & LVS_EX_FULLROWSELECT, static_cast<DWORD>(LVS_EX_FULLROWSELECT));
    EXPECT_EQ(::GetWindowLongPtrA(EditorWindow(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    // The three columns keep their width together.
    const CListCtrl& view = Editor().ListView();
    EXPECT_EQ(view.GetColumnWidth(0) + view.GetColumnWidth(1) + view.GetColumnWidth(2), 456);
    EXPECT_GE(view.GetColumnWidth(2), 56);
    // Each heading whole: the header cuts a text wider than its item less its margins.
    HWND header = reinterpret_cast<HWND>(Editor().ListView().SendMessage(LVM_GETHEADER));
    const int margin = static_cast<int>(::SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    for (const auto& [column, heading] : {std::pair{0, "検索文字列"}, {1, "置換文字列"}, {2, "オプション"}}) {
        RECT item{};
        ::SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        EXPECT_LE(TextExtentIn(header, reinterpret_cast<HFONT>(::SendMessageA(header, WM_GETFONT, 0, 0)), heading).cx +
                      2 * margin,
                  item.right - item.left)
            << heading;
    }

    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT window = Editor().GetWindowRect();
    EXPECT_EQ(window.left, work.left + (work.right - work.left) / 2 - 242);
    EXPECT_EQ(window.top, work.top + (work.bottom - work.top) / 2 - 192);
    EXPECT_EQ(window.right - window.left, 484);
    EXPECT_EQ(window.bottom - window.top, 384);

    ::SendMessageA(EditorWindow(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsOpen());
    ASSERT_EQ(owner_.closings.size(), 1u);
    // Sent to an enabled, active owner while the editor still exists.
    EXPECT_EQ(owner_.closings[0].Path, listPath_);
    EXPECT_TRUE(owner_.closings[0].Enabled);
    EXPECT_TRUE(owner_.closings[0].Active);
    EXPECT_TRUE(owner_.closings[0].EditorAlive);
}

TEST_F(ListEditorTest, AMissingListOpensEmptyUnderThePathInTheProgramFolder)
{
    Open("no-such-list.lst");
    const std::string path = platform::GetProgramDirectory() + "no-such-list.lst";
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(PathShown(Editor()), path);
    EXPECT_EQ(Editor().StatusBar().GetText(), "総数 : 0件");
    Command(ID_LIST_EXIT);
    ASSERT_EQ(owner_.closings.size(), 1u);
    EXPECT_EQ(owner_.closings[0].Path, path);
    EXPECT_FALSE(platform::PathExists(path));
}

// A list file that cannot be read (here: held open by another program that shares it with
// nobody) is never taken as the list's own: the editor names it in a message box and
// starts as a new list, so that no save can overwrite it; opening it or loading its
// patterns later changes nothing.
TEST_F(ListEditorTest, AListThatCannotBeReadIsToldAndNotTakenAsTheListsOwn)
{
    const std::string held = folder_ / "held.lst";
    WriteBytes(held, "x\tX\t\r\n");
    WriteBytes(folder_ / "good.lst", "a\tA\t\r\n");
    HANDLE holder = ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    AnswerBox(IDOK);
    Open(held);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, held + "\n" + LoadResourceString(IDS_LIST_NOT_READ_AS_NEW));
    EXPECT_EQ(Editor().ListPath(), "new file");
    EXPECT_EQ(PathShown(Editor()), "new file");
    EXPECT_TRUE(Rows().empty());

    AnswerFile(folder_ / "good.lst");
    Command(ID_LIST_OPEN);
    for (const int command : {ID_LIST_OPEN, ID_LIST_LOAD_FROM_FILE}) {
        AnswerFile(held);
        AnswerBox(IDOK);
        Command(command);
        EXPECT_EQ(boxes_.back().Text, held + "\n" + LoadResourceString(IDS_LIST_NOT_READ));
        EXPECT_EQ(Rows(), Strings{"a|A|"});
        EXPECT_EQ(Editor().ListPath(), folder_ / "good.lst");
        EXPECT_FALSE(Editor().IsModified());
    }
    EXPECT_TRUE(AllAnswered());
    ::CloseHandle(holder);
    Command(ID_LIST_EXIT);
    EXPECT_EQ(ReadBytes(held), "x\tX\t\r\n");
}

TEST_F(ListEditorTest, RowCommandsAreEnabledByOneRuleInTheMenuTheToolbarAndForKeys)
{
    const struct {
        const char* name;
        const std::string* list;
        bool cutFirstRow;
        int selected;
        const char* enabled;  // insert edit delete cut paste up down
    } cases[] = {
        {"empty list", nullptr, false, -1, "1000000"},
        {"no row selected", &ThreeRows, false, -1, "1000000"},
        {"first row", &ThreeRows, false, 0, "1111001"},
        {"middle row", &ThreeRows, false, 1, "1111011"},
        {"last row", &ThreeRows, false, 2, "1111010"},
        {"last row, a row cut", &FourRows, true, 2, "1111110"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenList(c.list ? *c.list : std::string());
        if (c.cutFirstRow) {
            Select(0);
            Command(ID_PATTERN_CUT);
        }
        Select(c.selected);
        Idle();
        HMENU editMenu = ::GetSubMenu(::GetMenu(EditorWindow()), 1);
        ::SendMessageA(EditorWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(editMenu), 1);
        std::string byRule, inMenu, onToolbar;
        for (const int id : RowCommands) {
            byRule += Editor().IsCommandEnabled(id) ? '1' : '0';
            inMenu += ::GetMenuState(editMenu, id, MF_BYCOMMAND) & MF_GRAYED ? '0' : '1';
            onToolbar += Editor().ToolBar().IsButtonEnabled(id) ? '1' : '0';
        }
        EXPECT_EQ(byRule, c.enabled);
        EXPECT_EQ(inMenu, c.enabled);
        EXPECT_EQ(onToolbar, c.enabled);

        // A disabled command does nothing, whether its key or its button gives it.
        const Strings rows = Rows();
        const std::string cut = Editor().CutBuffer();
        for (const CommandKey& command : CommandKeys) {
            if (Editor().IsCommandEnabled(command.Id))
                continue;
            Key(command.Key, command.Control);
            ::SendMessageA(EditorWindow(), WM_COMMAND, static_cast<WPARAM>(command.Id),
                           reinterpret_cast<LPARAM>(Editor().ToolBar().m_hWnd));
        }
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(Editor().CutBuffer(), cut);
        EXPECT_FALSE(PatternDialog().IsWindowVisible());
        ::DestroyWindow(EditorWindow());
    }
}

TEST_F(ListEditorTest, CutPasteAndMovesRearrangeTheRowsAndMarkTheListModified)
{
    using Step = std::pair<int, int>;  // the row to select (-1: none), then the command
    const struct {
        const char* name;
        std::vector<Step> steps;
        Strings rows;
        int selected;  // -2: the row with the keyboard focus, if any
        bool pasteEnabled;
    } cases[] = {
        {"cut", {{1, ID_PATTERN_CUT}}, {"a|A|", "c|C|", "d|D|"}, -2, true},
        {"paste in front of the selection", {{1, ID_PATTERN_CUT}, {2, ID_PATTERN_PASTE}},
         {"a|A|", "c|C|", "b|B|", "d|D|"}, 2, false},
        {"paste at the end", {{0, ID_PATTERN_CUT}, {-1, ID_PATTERN_PASTE}}, {"b|B|", "c|C|", "d|D|", "a|A|"}, 3, false},
        {"a second cut replaces the first", {{0, ID_PATTERN_CUT}, {0, ID_PATTERN_CUT}, {-1, ID_PATTERN_PASTE}},
         {"c|C|", "d|D|", "b|B|"}, 2, false},
        {"move up", {{2, ID_PATTERN_MOVE_UP}}, {"a|A|", "c|C|", "b|B|", "d|D|"}, 1, false},
        {"move down", {{0, ID_PATTERN_MOVE_DOWN}, {1, ID_PATTERN_MOVE_DOWN}}, {"b|B|", "c|C|", "a|A|", "d|D|"}, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenList(FourRows);
        for (const auto& [row, command] : c.steps) {
            Select(row);
            Command(command);
        }
        EXPECT_EQ(Rows(), c.rows);
        const int focused = Editor().ListView().GetNextItem(-1, LVNI_FOCUSED);
        EXPECT_EQ(Selected(), c.selected == -2 ? focused : c.selected);
        EXPECT_EQ(Editor().IsCommandEnabled(ID_PATTERN_PASTE), c.pasteEnabled);
        EXPECT_TRUE(Editor().IsModified());
        EXPECT_EQ(Editor().StatusBar().GetText(), "総数 : " + std::to_string(c.rows.size()) + "件");
        ::DestroyWindow(EditorWindow());
    }
}

TEST_F(ListEditorTest, KeysReachTheCommands)
{
    OpenList(FourRows);
    Select(3);
    Key(VK_UP, true);
    Key('X', true);
    Key('V', true);
    EXPECT_EQ(Rows(), (Strings{"a|A|", "b|B|", "d|D|", "c|C|"}));
    EXPECT_EQ(Selected(), 2);
    AnswerBox(IDYES);
    Key(VK_DELETE);
    EXPECT_EQ(Rows(), (Strings{"a|A|", "b|B|", "c|C|"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Caption, "置換えパターンの削除");
    EXPECT_EQ(boxes_[0].Text, "選択されたパターンを削除しますか？\n\n検索文字列： d\n置換文字列： D");
    EXPECT_EQ(boxes_[0].Icon, IDI_QUESTION);
    Key(VK_INSERT);
    EXPECT_TRUE(PatternDialog().IsWindowVisible());
    EXPECT_TRUE(PatternDialog().IsAddMode());
    Key(VK_RETURN);
    EXPECT_FALSE(PatternDialog().IsAddMode());
    Key('S', true);
    EXPECT_EQ(ReadBytes(listPath_), "a\tA\t\r\nb\tB\t\r\nc\tC\t\r\n");
    EXPECT_FALSE(Editor().IsModified());
}

TEST_F(ListEditorTest, DeleteAnsweredNoKeepsTheRow)
{
    OpenList(FourRows);
    Select(1);
    AnswerBox(IDNO);
    Command(ID_PATTERN_DELETE);
    EXPECT_EQ(Rows().size(), 4u);
    EXPECT_FALSE(Editor().IsModified());
}

namespace {

// A drag of a row with the mouse as the list view reports it and the pointer moves it.
class Drag {
public:
    Drag(CListEditWnd& editor, int row) : editor_(editor)
    {
        NMLISTVIEW begin{};
        begin.hdr = {editor.ListView().m_hWnd, static_cast<UINT_PTR>(FramePaneId), LVN_BEGINDRAG};
        begin.iItem = row;
        editor.SendMessage(WM_NOTIFY, FramePaneId, reinterpret_cast<LPARAM>(&begin));
    }
    ~Drag() { editor_.SendMessage(WM_LBUTTONUP); }
    // The pointer at `y` in the list's client area, half way across the first column.
    void MoveTo(int y)
    {
        POINT point{50, y};
        ::MapWindowPoints(editor_.ListView().m_hWnd, editor_.m_hWnd, &point, 1);
        editor_.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }
    // Over the middle of a row.
    void MoveToRow(int row)
    {
        const RECT rect = editor_.ListView().GetItemRect(row, LVIR_BOUNDS);
        MoveTo((rect.top + rect.bottom) / 2);
    }

private:
    CListEditWnd& editor_;
};

}  // namespace

TEST_F(ListEditorTest, DraggingARowMovesItToTheRowUnderThePointer)
{
    OpenList(FourRows);
    {
        Select(0);
        Drag drag(Editor(), 0);
        EXPECT_EQ(::GetCapture(), EditorWindow());
        drag.MoveToRow(0);
        EXPECT_FALSE(Editor().IsModified());
        drag.MoveToRow(2);
        EXPECT_EQ(Rows(), (Strings{"b|B|", "c|C|", "a|A|", "d|D|"}));
        EXPECT_EQ(Selected(), 2);
        drag.MoveToRow(1);
    }
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Rows(), (Strings{"b|B|", "a|A|", "c|C|", "d|D|"}));
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_EQ(Editor().StatusBar().GetText(), "総数 : 4件");

    // Near the bottom edge of a short list the last visible place holds no row.
    Select(1);
    {
        Drag drag(Editor(), 1);
        drag.MoveTo(Editor().ListView().GetClientRect().bottom - 2);
    }
    EXPECT_EQ(Rows(), (Strings{"b|B|", "a|A|", "c|C|", "d|D|"}));
}

TEST_F(ListEditorTest, DraggingNearTheTopScrollsAndMovesTheRowToTheTopVisibleRow)
{
    std::string list;
    for (int row = 0; row < 60; ++row)
        list.append("r").append(std::to_string(row)).append("\t\t\r\n");
    OpenList(list);
    CListCtrl& view = Editor().ListView();
    view.EnsureVisible(59, false);
    const int top = view.GetTopIndex();
    ASSERT_GT(top, 1);
    Select(59);
    {
        Drag drag(Editor(), 59);
        // Above the list: one line up at once.
        drag.MoveTo(-5);
    }
    EXPECT_EQ(view.GetTopIndex(), top - 1);
    EXPECT_EQ(Selected(), top - 1);
    EXPECT_EQ(view.GetItemText(top - 1, ListFindColumn), "r59");
}

TEST_F(ListEditorTest, ClosingWithChangesAsksAndEachAnswerDoesWhatItSays)
{
    const struct {
        int answer;
        bool open;
        std::string bytes;
    } cases[] = {
        {IDCANCEL, true, ThreeRows},
        {IDNO, false, ThreeRows},
        {IDYES, false, "b\tB\tE\r\nc\tC\tSC\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        owner_.closings.clear();
        boxes_.clear();
        OpenList(ThreeRows);
        Command(ID_PATTERN_CUT);
        AnswerBox(c.answer);
        ::SendMessageA(EditorWindow(), WM_CLOSE, 0, 0);
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].Text, SavePrompt);
        EXPECT_EQ(IsOpen(), c.open);
        EXPECT_EQ(owner_.closings.size(), c.open ? 0u : 1u);
        EXPECT_EQ(ReadBytes(listPath_), c.bytes);
        if (c.open) {
            EXPECT_TRUE(Editor().IsModified());
            EXPECT_FALSE(owner_.IsWindowEnabled());
            ::DestroyWindow(EditorWindow());
        }
    }
}

TEST_F(ListEditorTest, NewAndOpenAskFirstAndNoForgetsTheChanges)
{
    WriteBytes(folder_ / "other.lst", "x\tX\tEi\r\n");
    OpenList(ThreeRows);
    Command(ID_PATTERN_CUT);
    AnswerBox(IDCANCEL);
    Command(ID_LIST_NEW);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Editor().ListPath(), listPath_);

    // No, then the open dialog cancelled: the rows stay, the changes count as gone.
    AnswerBox(IDNO);
    AnswerFile("");
    Command(ID_LIST_OPEN);
    EXPECT_EQ(Rows(), (Strings{"b|B|E", "c|C|SC"}));
    EXPECT_FALSE(Editor().IsModified());

    AnswerFile(folder_ / "other.lst");
    Command(ID_LIST_OPEN);
    EXPECT_EQ(Rows(), Strings{"x|X|Ei"});
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(PathShown(Editor()), folder_ / "other.lst");

    Command(ID_PATTERN_CUT);
    AnswerBox(IDNO);
    Command(ID_LIST_NEW);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Editor().ListPath(), "new file");
    EXPECT_EQ(PathShown(Editor()), "new file");
    // The cut buffer outlives New.
    EXPECT_TRUE(Editor().IsCommandEnabled(ID_PATTERN_PASTE));
    Command(ID_LIST_EXIT);
    ASSERT_EQ(owner_.closings.size(), 1u);
    EXPECT_EQ(owner_.closings[0].Path, "new file");
    EXPECT_EQ(boxes_.size(), 3u);
    EXPECT_EQ(ReadBytes(folder_ / "other.lst"), "x\tX\tEi\r\n");
}

TEST_F(ListEditorTest, ANewListIsSavedUnderANameTheUserChooses)
{
    WriteBytes(folder_ / "patterns.txt", "one\r\ntwo\tzwei\r\n");
    Open("list.lst");
    Command(ID_LIST_NEW);
    AnswerFile(folder_ / "patterns.txt");
    Command(ID_LIST_LOAD_FROM_FILE);
    AnswerFile(folder_ / "patterns.txt");
    Command(ID_LIST_LOAD_FROM_FILE);
    EXPECT_EQ(Rows(), (Strings{"one||", "two|zwei|", "one||", "two|zwei|"}));
    EXPECT_EQ(Editor().ListPath(), "new file");
    EXPECT_TRUE(Editor().IsModified());

    // Yes on a list without a file asks for a name; cancelling keeps the editor open.
    AnswerBox(IDYES);
    AnswerFile("");
    Command(ID_LIST_EXIT);
    EXPECT_TRUE(IsOpen());
    EXPECT_TRUE(Editor().IsModified());

    Select(1);
    Command(ID_PATTERN_CUT);
    AnswerFile(folder_ / "saved.lst");
    Key('S', true);
    EXPECT_EQ(ReadBytes(folder_ / "saved.lst"), "one\t\t\r\none\t\t\r\ntwo\tzwei\t\r\n");
    EXPECT_EQ(Editor().ListPath(), folder_ / "saved.lst");
    EXPECT_EQ(PathShown(Editor()), folder_ / "saved.lst");
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_FALSE(FileExists(folder_ / "saved.lst.tarvelox.tmp"));

    // Saving as an existing file asks before it is replaced.
    Command(ID_PATTERN_CUT);
    AnswerFile(folder_ / "patterns.txt");
    AnswerBox(IDYES);
    Command(ID_LIST_SAVE_AS);
    EXPECT_EQ(ReadBytes(folder_ / "patterns.txt"), "one\t\t\r\ntwo\tzwei\t\r\n");
}

TEST_F(ListEditorTest, ASaveThatFailsLeavesTheListAsItWasAndTheChangesMarked)
{
    boxes_.clear();
    OpenList(ThreeRows);
    Command(ID_PATTERN_CUT);
    MakeFolder(listPath_ + ".tarvelox.tmp");
    AnswerBox(IDOK);
    Command(ID_LIST_SAVE);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, listPath_ + "\n" + LoadResourceString(IDS_LIST_NOT_CREATED));
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_EQ(ReadBytes(listPath_), ThreeRows);
    EXPECT_TRUE(platform::IsFolder(listPath_ + ".tarvelox.tmp"));
    // The close that asked for the save does not go on; its question bears the program's
    // name.
    AnswerBox(IDYES);
    AnswerBox(IDOK);
    ::SendMessageA(EditorWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsOpen());
    ASSERT_EQ(boxes_.size(), 3u);
    EXPECT_EQ(boxes_[1].Caption, "Tarvelox");
    EXPECT_EQ(boxes_[1].Text, LoadResourceString(IDS_LIST_SAVE_PROMPT));
}

// Saved as a name that cannot be written, the list keeps its own name: the next save goes
// where it went before.
TEST_F(ListEditorTest, ASaveAsThatFailsKeepsTheListsName)
{
    boxes_.clear();
    OpenList(ThreeRows);
    Command(ID_PATTERN_CUT);
    AnswerFile(folder_ / "nowhere\\other.lst");
    AnswerBox(IDOK);
    Command(ID_LIST_SAVE_AS);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(Editor().ListPath(), listPath_);
    EXPECT_EQ(PathShown(Editor()), listPath_);
    EXPECT_TRUE(Editor().IsModified());
    Command(ID_LIST_SAVE);
    EXPECT_EQ(ReadBytes(listPath_), "b\tB\tE\r\nc\tC\tSC\r\n");
    EXPECT_FALSE(Editor().IsModified());
}

// A read-only list is said to be so, and may be saved under another name; declined, the
// list stays as it was and the changes marked.
TEST_F(ListEditorTest, AReadOnlyListOffersToBeSavedUnderAnotherName)
{
    OpenList(ThreeRows);
    Command(ID_PATTERN_CUT);
    SetReadOnly(listPath_, true);
    AnswerBox(IDNO);
    Command(ID_LIST_SAVE);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, listPath_ + "\n" + LoadResourceString(IDS_LIST_READ_ONLY));
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_EQ(ReadBytes(listPath_), ThreeRows);

    AnswerBox(IDYES);
    AnswerFile(folder_ / "copy.lst");
    Command(ID_LIST_SAVE);
    EXPECT_EQ(ReadBytes(listPath_), ThreeRows);
    EXPECT_EQ(Editor().ListPath(), folder_ / "copy.lst");
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_EQ(ReadBytes(folder_ / "copy.lst"), "b\tB\tE\r\nc\tC\tSC\r\n");
    SetReadOnly(listPath_, false);
}

TEST_F(ListEditorTest, TheHelpItemGoesToTheApplication)
{
    class RecordingApp : public CWinApp {
    public:
        bool OnCommand(int id) override
        {
            commands.push_back(id);
            return true;
        }
        std::vector<int> commands;
    } application;
    OpenList("");
    Command(IDM_HELP);
    // A command the editor answers itself does not go on.
    Command(ID_PATTERN_INSERT);
    EXPECT_EQ(application.commands, std::vector<int>{IDM_HELP});
}

// Patterns loaded from a text that is not Shift-JIS come converted by the encoding its
// bytes show; one that holds a character Shift-JIS lacks is refused, saying why.
TEST_F(ListEditorTest, LoadingFromAFileConvertsItsEncodingOrSaysWhyNot)
{
    const auto utf8 = [](const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); };
    WriteBytes(folder_ / "utf8.txt", utf8(u8"\uFEFF旧社名\t新社名\r\n表\t\\\r\n"));
    WriteBytes(folder_ / "euc.txt", "\xC9\xBD\t\xB5\xEC\r\n");
    WriteBytes(folder_ / "cafe.txt", utf8(u8"caf\u00E9\tcafe\r\n"));
    OpenList("");
    for (const char* name : {"utf8.txt", "euc.txt"}) {
        AnswerFile(folder_ / name);
        Command(ID_LIST_LOAD_FROM_FILE);
    }
    EXPECT_EQ(Rows(), (Strings{"旧社名|新社名|", "表|\\|", "表|旧|"}));

    AnswerFile(folder_ / "cafe.txt");
    AnswerBox(IDOK);
    Command(ID_LIST_LOAD_FROM_FILE);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].Text, folder_ / "cafe.txt" + "\nUTF-8" + LoadResourceString(IDS_LIST_NOT_CONVERTIBLE));
    EXPECT_EQ(Rows().size(), 3u);
}

namespace {

// The toolbar's images as drawn on magenta, where they are transparent: "width height"
// then every pixel's colour, row by row.
std::vector<COLORREF> ToolBarImages(CToolBar& toolBar, int& width, int& height)
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(toolBar.SendMessage(TB_GETIMAGELIST));
    const int count = ::ImageList_GetImageCount(images);
    ::ImageList_GetIconSize(images, &width, &height);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width * count, height);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    HBRUSH magenta = ::CreateSolidBrush(RGB(255, 0, 255));
    const RECT all{0, 0, width * count, height};
    ::FillRect(dc, &all, magenta);
    for (int image = 0; image < count; ++image)
        ::ImageList_Draw(images, image, dc, image * width, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * count; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, old);
    ::DeleteObject(magenta);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

// Moved to a monitor at 200 %, the editor takes the size Windows suggests and its toolbar
// images are drawn twice as large, each pixel of the drawing made four, the grey still
// transparent: sharp, not blurred and not boxed in grey.
TEST_F(ListEditorTest, TheToolbarImagesFollowTheWindowToAMonitorOfAnotherScale)
{
    OpenList(ThreeRows);
    int width = 0, height = 0;
    const std::vector<COLORREF> atStandard = ToolBarImages(Editor().ToolBar(), width, height);
    ASSERT_EQ(width, 16);
    ASSERT_EQ(height, 15);
    const int row = static_cast<int>(atStandard.size()) / height;
    EXPECT_EQ(atStandard[0], RGB(255, 0, 255));

    RECT suggested{40, 30, 40 + 968, 30 + 768};
    ::SendMessageA(EditorWindow(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

    const RECT frame = Editor().GetWindowRect();
    EXPECT_EQ(frame.right - frame.left, 968);
    EXPECT_EQ(frame.bottom - frame.top, 768);
    int doubleWidth = 0, doubleHeight = 0;
    const std::vector<COLORREF> doubled = ToolBarImages(Editor().ToolBar(), doubleWidth, doubleHeight);
    ASSERT_EQ(doubleWidth, 32);
    ASSERT_EQ(doubleHeight, 30);
    int differences = 0;
    for (int y = 0; y < doubleHeight; ++y)
        for (int x = 0; x < 2 * row; ++x)
            differences += doubled[static_cast<std::size_t>(y * 2 * row + x)] != atStandard[static_cast<std::size_t>(y / 2 * row + x / 2)];
    EXPECT_EQ(differences, 0);
    ::DestroyWindow(EditorWindow());
}
