// "元に戻す(&U)" in the window: from the result log and from the main window, after a
// confirmation that names the number of files, typed and clicked as a user does it.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "framework/Resources.h"
#include "platform/CurrentDirectory.h"
#include "resources/ResourceIds.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

const std::string RunLogCaption = "置換完了";
const std::string UndoLogCaption = "元に戻す完了";

std::size_t Count(const std::string& text, const std::string& word)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

// Keys pressed while a window is being activated are now and then lost under Wine, and the
// window would wait for ever: a window still there a while after its answer gets the same
// answer once more.
struct Waiting {
    HWND Window = nullptr;
    std::function<void()> Answer;
    DWORD AnsweredAt = 0;
    bool AnsweredAgain = false;
};
constexpr UINT AnswerAgainAfterMs = 5000;
Waiting waiting;

void Answer(HWND window, std::function<void()> answer)
{
    waiting = {window, answer, ::GetTickCount(), false};
    answer();
}

void CALLBACK AnswerAgain(HWND, UINT, UINT_PTR, DWORD)
{
    if (!waiting.Window || waiting.AnsweredAgain || !::IsWindow(waiting.Window) ||
        ::GetTickCount() - waiting.AnsweredAt < AnswerAgainAfterMs)
        return;
    waiting.AnsweredAgain = true;
    std::fprintf(stderr, "note: a window still open %u ms after its answer is answered again\n", AnswerAgainAfterMs);
    ::SetForegroundWindow(waiting.Window);
    waiting.Answer();
}

// What the windows of one command showed: the questions asked, the undo's log.
struct Seen {
    std::vector<MessageBoxText> Questions;
    std::string RunLogCaption;
    bool UndoOffered = false;
    std::string UndoCaption;
    std::string UndoLog;
    std::string UndoLabel;
    std::string UndoLegend;
};

class UndoWindowTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        previous_ = platform::CurrentDirectory();
        platform::ChangeCurrentDirectory(folder_.Path());
        WriteBytes(folder_ / "a.txt", "old one");
        WriteBytes(folder_ / "b.txt", "old two");
        WriteBytes(folder_ / "c.txt", "nothing");
        Open({"-Fold", "-Rnew", "-B0"});
        AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt", "b.txt", "c.txt"});
        ReplaceText(Dialog(), IDC_FIND_TEXT, "old");
        ReplaceText(Dialog(), IDC_REPLACE_TEXT, "new");
    }
    void TearDown() override
    {
        MainDialogFixture::TearDown();
        platform::ChangeCurrentDirectory(previous_);
    }

    // Clicks `button` of the main window; a run's log is answered by `onRunLog`, each
    // message box by `answer`, and the undo's log is read and closed with Enter.
    Seen Press(int button, std::function<void(HWND)> onRunLog, std::function<void(HWND)> answer)
    {
        Seen seen;
        // The first log a run shows is the run's, whatever its caption says of failures;
        // the one after it, or any the undo button shows, the undo's.
        bool runLogDue = button != IDC_UNDO;
        HWND runLog = nullptr;
        ActivationWatcher watcher([&](HWND window) {
            const bool log = ::GetDlgItem(window, IDC_RESULT_LOG_TEXT) != nullptr;
            if (log && (runLogDue || window == runLog)) {
                runLogDue = false;
                runLog = window;
                seen.RunLogCaption = WindowText(window);
                seen.UndoOffered = IsEnabled(window, IDC_UNDO);
                Answer(window, [=] { onRunLog(window); });
            } else if (IsMessageBox(window)) {
                seen.Questions.push_back(ReadMessageBox(window));
                Answer(window, [=] { answer(window); });
            } else if (log) {
                seen.UndoCaption = WindowText(window);
                seen.UndoLog = TextOf(::GetDlgItem(window, IDC_RESULT_LOG_TEXT));
                seen.UndoLabel = TextOf(::GetDlgItem(window, IDC_RESULT_LOG_LABEL));
                seen.UndoLegend = TextOf(::GetDlgItem(window, IDC_RESULT_LOG_LEGEND));
                Answer(window, [] { EXPECT_TRUE(PressKey(VK_RETURN)); });
            }
        });
        const UINT_PTR timer = ::SetTimer(nullptr, 0, AnswerAgainAfterMs / 5, AnswerAgain);
        Click(Dialog(), button);
        ::KillTimer(nullptr, timer);
        waiting = {};
        return seen;
    }

    static void CloseLog(HWND log) { ::PostMessageA(log, WM_COMMAND, IDOK, 0); }
    // No is the default answer: Enter gives it; Tab goes to Yes first.
    static void Yes(HWND) { EXPECT_TRUE(PressKey(VK_TAB) && PressKey(VK_RETURN)); }
    static void No(HWND) { EXPECT_TRUE(PressKey(VK_RETURN)); }
    // Named and ended, so that the test fails rather than waits.
    static void Unexpected(HWND window)
    {
        const MessageBoxText shown = IsMessageBox(window) ? ReadMessageBox(window) : MessageBoxText{TextOf(window), ""};
        ADD_FAILURE() << shown.Caption << ": " << shown.Text;
        ::PostMessageA(window, WM_COMMAND, IsMessageBox(window) ? IDNO : IDOK, 0);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }

private:
    std::string previous_;
};

}  // namespace

// Alt+U on the run's log asks, with the number of files, and takes the run back; the
// undo's log has its own caption and words.
TEST_F(UndoWindowTest, TheRunsLogTakesTheRunBackOnceTheUserAgrees)
{
    const Seen seen = Press(IDC_START, [](HWND) { EXPECT_TRUE(PressWithAlt('U')); }, Yes);

    EXPECT_TRUE(seen.UndoOffered);
    EXPECT_EQ(seen.RunLogCaption, RunLogCaption);
    ASSERT_EQ(seen.Questions.size(), 1u);
    EXPECT_EQ(seen.Questions[0].Text, LoadResourceString(IDS_UNDO_CONFIRM) + "2");
    EXPECT_EQ(seen.UndoCaption, UndoLogCaption);
    EXPECT_EQ(seen.UndoLabel, "元に戻した結果ログ");
    EXPECT_EQ(Count(seen.UndoLog, "Restored"), 2u) << seen.UndoLog;
    EXPECT_EQ(Count(seen.UndoLog, "総復元数"), 1u) << seen.UndoLog;
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "old one");
    EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "old two");
    EXPECT_EQ(ReadBytes(folder_ / "c.txt"), "nothing");
    EXPECT_TRUE(Window().IsWindowEnabled());
}

// The log of a run with a failure says so; the undo's log after it tells of the undo's
// files alone, under its own caption.
TEST_F(UndoWindowTest, TheUndoOfARunWithAFailureTellsOnlyOfItself)
{
    WriteBytes(folder_ / "d.txt", "old but read-only");
    ASSERT_TRUE(::SetFileAttributesA((folder_ / "d.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    AddListEntries(Dialog(), IDC_FILE_LIST, {"d.txt"});
    // The log made larger first: its two buttons move together below the text.
    const auto enlargeThenUndo = [](HWND log) {
        const auto place = [log](int id) {
            RECT rect;
            ::GetWindowRect(::GetDlgItem(log, id), &rect);
            return rect;
        };
        const LONG gap = place(IDC_UNDO).left - place(IDOK).right;
        RECT window;
        ::GetWindowRect(log, &window);
        ::SetWindowPos(log, nullptr, 0, 0, window.right - window.left + 200, window.bottom - window.top + 100,
                       SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(place(IDC_UNDO).top, place(IDOK).top);
        EXPECT_EQ(place(IDC_UNDO).left - place(IDOK).right, gap);
        EXPECT_GT(place(IDC_UNDO).top, place(IDC_RESULT_LOG_TEXT).bottom);
        EXPECT_TRUE(PressWithAlt('U'));
    };
    const Seen seen = Press(IDC_START, enlargeThenUndo, Yes);
    ::SetFileAttributesA((folder_ / "d.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(seen.RunLogCaption, "置換完了 - 失敗 1 件");
    EXPECT_EQ(seen.UndoCaption, UndoLogCaption);
    EXPECT_EQ(seen.UndoLabel, "元に戻した結果ログ");
    EXPECT_EQ(Count(seen.UndoLog, "Restored"), 2u) << seen.UndoLog;
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "old one");
}

// The main window's button: No leaves everything; Yes leaves a file changed since the run
// and names it, counted in the log's caption and label and its word explained; then
// nothing is left to take back.
TEST_F(UndoWindowTest, TheMainWindowsButtonLeavesAFileChangedSince)
{
    Press(IDC_START, CloseLog, Unexpected);
    ASSERT_EQ(ReadBytes(folder_ / "a.txt"), "new one");
    WriteBytes(folder_ / "a.txt", "changed by hand");

    const Seen no = Press(IDC_UNDO, Unexpected, No);
    ASSERT_EQ(no.Questions.size(), 1u);
    EXPECT_TRUE(no.UndoLog.empty());
    EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "new two");

    const Seen yes = Press(IDC_UNDO, Unexpected, Yes);
    EXPECT_EQ(Count(yes.UndoLog, "Restored"), 1u) << yes.UndoLog;
    EXPECT_EQ(Count(yes.UndoLog, " Changed"), 1u) << yes.UndoLog;
    EXPECT_EQ(yes.UndoCaption, "元に戻す完了 - そのまま 1 件");
    EXPECT_EQ(yes.UndoLabel, "元に戻した結果ログ　そのままのファイル：1 件");
    EXPECT_EQ(yes.UndoLegend, "Changed：置換えの後で変更された");
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "changed by hand");
    EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "old two");

    const Seen nothing = Press(IDC_UNDO, Unexpected, [](HWND box) { ::PostMessageA(box, WM_COMMAND, IDOK, 0); });
    ASSERT_EQ(nothing.Questions.size(), 1u);
    EXPECT_EQ(nothing.Questions[0].Text, LoadResourceString(IDS_UNDO_NOTHING));
}

// Where the journal cannot be made the run asks first: No touches nothing, Yes runs
// without undo. The automatic mode, with nobody to ask, does not run.
TEST_F(UndoWindowTest, ARunThatCannotKeepItsOriginalsGoesOnlyWhenTheUserAgrees)
{
    WriteBytes(folder_ / "local", "a file where the journal's folder belongs");

    const Seen no = Press(IDC_START, Unexpected, No);
    ASSERT_EQ(no.Questions.size(), 1u);
    EXPECT_EQ(no.Questions[0].Text, LoadResourceString(IDS_UNDO_NOT_KEPT));
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "old one");

    const Seen yes = Press(IDC_START, CloseLog, Yes);
    EXPECT_FALSE(yes.UndoOffered);
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "new one");

    CMainDialog automatic(Settings(), {"tarvelox.exe", "-H", "-Fnew", "-Rold", "-B0", "a.txt"});
    int activations = 0;
    ActivationWatcher watcher([&](HWND) { ++activations; });
    EXPECT_EQ(automatic.DoModal(), 0);
    EXPECT_EQ(automatic.ExitStatus(), 2);
    EXPECT_EQ(activations, 0);
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "new one");
}
