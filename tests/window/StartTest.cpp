#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <new>

#include "framework/Resources.h"
#include "lists/ListLocations.h"
#include "platform/CurrentDirectory.h"
#include "resources/ResourceIds.h"
#include "tests/engine/support/ExpectedLog.h"
#include "tests/engine/fixtures/EncodingFolder.h"
#include "tests/window/MainDialogFixture.h"
#include "tests/window/WindowDriver.h"

namespace {

const std::string LogCaption = "置換完了";
const std::string AbortedLogCaption = "置換え中止";
const std::string PreviewCaption = "プレビュー - ファイルは変更されていません";
const std::string ProgressCaption = "処理中";

bool IsResultLog(HWND window)
{
    return TextOf(window).starts_with(LogCaption) || HasCaption(window, AbortedLogCaption) ||
           HasCaption(window, PreviewCaption);
}

// Runs in the test's folder, so that the files are listed, and logged, by their names.
class StartTest : public MainDialogFixture {
protected:
    void SetUp() override
    {
        MainDialogFixture::SetUp();
        previous_ = platform::CurrentDirectory();
        platform::ChangeCurrentDirectory(folder_.Path());
    }
    void TearDown() override
    {
        MainDialogFixture::TearDown();
        platform::ChangeCurrentDirectory(previous_);
    }

    // Presses Start and returns when the run and its announcement are over. The result log
    // is read and closed when it comes up; `onActivated` sees every other window.
    void PressStart(std::function<void(HWND)> onActivated = nullptr, int button = IDC_START)
    {
        shownLog_.clear();
        ActivationWatcher watcher([&](HWND window) {
            if (IsResultLog(window)) {
                HWND text = ::GetDlgItem(window, IDC_RESULT_LOG_TEXT);
                shownLog_ = TextOf(text);
                shownLogCaption_ = TextOf(window);
                shownLogLabel_ = TextOf(::GetDlgItem(window, IDC_RESULT_LOG_LABEL));
                RECT client;
                ::GetClientRect(text, &client);
                logLineFits_ = TextWidthIn(text, std::string(54, '-')) < client.right;
                ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            } else if (onActivated) {
                onActivated(window);
            }
        });
        Click(Dialog(), button);
    }

    // `count` files "f0.txt"... holding "aaa", by their names.
    std::vector<std::string> WriteFiles(int count)
    {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            names.push_back(std::string("f").append(std::to_string(i)).append(".txt"));
            WriteBytes(folder_ / names.back(), "aaa");
        }
        return names;
    }

    std::string shownLog_;
    std::string shownLogCaption_;
    std::string shownLogLabel_;
    bool logLineFits_ = false;

private:
    std::string previous_;
};

}  // namespace

TEST_F(StartTest, RunsOverTheFilesShowingProgressAndTheLogAndRemembersThePattern)
{
    WriteBytes(folder_ / "a.txt", "one two one");
    WriteBytes(folder_ / "b.txt", "nothing");
    WriteBytes(folder_ / "c.txt", "\x95\x5C" "one");
    Open({"-Fone", "-R1"});
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt", "b.txt", "c.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "one");
    std::vector<std::string> progress;
    bool shownBeforeAnyFile = false;
    TextWatcher texts(IDC_PROGRESS_TEXT, [&](HWND control, const std::string& text) {
        if (progress.empty())
            shownBeforeAnyFile = ::IsWindowVisible(::GetParent(control)) && ReadBytes(folder_ / "a.txt") == "one two one";
        // With the count come the file taken next and the bar.
        HWND dialog = ::GetParent(control);
        progress.push_back(text + " " + TextOf(::GetDlgItem(dialog, IDC_PROGRESS_FILE)) + " " +
                           std::to_string(::SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0)) + "/" +
                           std::to_string(::SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0)));
    });

    PressStart();

    EXPECT_TRUE(shownBeforeAnyFile);
    EXPECT_EQ(progress, (std::vector<std::string>{"0/3 a.txt 0/3", "1/3 b.txt 1/3", "2/3 c.txt 2/3", "3/3  3/3"}));
    EXPECT_EQ(shownLog_, ExpectedLog({{"a.txt", "       2"}, {"b.txt", "       0"}, {"c.txt", "       1"}}, "          3"));
    EXPECT_EQ(shownLogCaption_, LogCaption);
    EXPECT_EQ(shownLogLabel_, "置換結果ログ");
    EXPECT_TRUE(logLineFits_);
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "1 two 1");
    EXPECT_EQ(ReadBytes(folder_ / "a.txt.bak"), "one two one");
    EXPECT_EQ(ReadBytes(folder_ / "c.txt"), "\x95\x5C" "1");
    EXPECT_FALSE(FileExists(folder_ / "b.txt.bak"));
    EXPECT_TRUE(Window().IsWindowEnabled());
    EXPECT_EQ(ReadBytes(ProgramFile("$History.lst")), "one\t1\t\r\n");
}

// The preview is the same run with nothing written; its log says so, and it shows even
// when the settings keep the log of a run from showing.
TEST_F(StartTest, APreviewShowsTheRunsLogAndWritesNothing)
{
    WriteSetting("SETTING", "ShowLog", "0");
    WriteBytes(folder_ / "a.txt", "one two one");
    WriteBytes(folder_ / "b.txt", std::string("one\0", 4));
    Open({"-Fone", "-R1"});
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt", "b.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "one");
    EXPECT_TRUE(IsEnabled(Dialog(), IDC_PREVIEW));

    PressStart(nullptr, IDC_PREVIEW);

    const std::string expected = ExpectedLog({{"a.txt", "       2"}, {"b.txt", "  NoText"}}, "          2");
    EXPECT_EQ(shownLog_, expected);
    EXPECT_EQ(shownLogCaption_, PreviewCaption);
    EXPECT_EQ(shownLogLabel_, "プレビュー（何も書き込んでいません）　失敗したファイル：1 件");
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "one two one");
    EXPECT_FALSE(FileExists(folder_ / "a.txt.bak"));
    EXPECT_FALSE(FileExists(ProgramFile("$History.lst")));
    EXPECT_TRUE(Window().IsWindowEnabled());

    // The run itself writes what the preview counted, under the run's own caption.
    WriteSetting("SETTING", "ShowLog", "1");
    PressStart();
    EXPECT_EQ(shownLog_, expected);
    EXPECT_EQ(shownLogCaption_, "置換完了 - 失敗 1 件");
    EXPECT_EQ(shownLogLabel_, "置換結果ログ　失敗したファイル：1 件");
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "1 two 1");
}

// Moved to a monitor of twice the scale, the log's own fixed-pitch font is made anew at
// twice the height, as the system does with the dialog's font, and its icon at twice the size.
TEST_F(StartTest, TheLogsFontAndIconFollowTheWindowToAMonitorOfAnotherScale)
{
    WriteBytes(folder_ / "a.txt", "one");
    Open({"-Fone", "-R1"});
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "one");
    LONG before = 0, after = 0;
    RECT moved{};
    int iconAt96 = 0, iconAt192 = 0;
    const auto iconSide = [](HWND window) {
        ICONINFO info{};
        BITMAP bitmap{};
        if (!::GetIconInfo(reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), &info))
            return 0;
        ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        return static_cast<int>(bitmap.bmWidth);
    };
    ActivationWatcher watcher([&](HWND log) {
        if (!IsResultLog(log))
            return;
        OnceSettled(log, [&, log] {
            HWND text = ::GetDlgItem(log, IDC_RESULT_LOG_TEXT);
            const auto height = [text] {
                LOGFONTW font{};
                ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(text, WM_GETFONT, 0, 0)), sizeof font, &font);
                return font.lfHeight;
            };
            before = height();
            iconAt96 = iconSide(log);
            RECT suggested{20, 20, 20 + 700, 20 + 500};
            ::SendMessageW(log, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
            after = height();
            iconAt192 = iconSide(log);
            ::GetWindowRect(log, &moved);
            PressKeys({{VK_RETURN}});
        });
    });
    Click(Dialog(), IDC_PREVIEW);
    EXPECT_EQ(after, 2 * before);
    // The program's own icon, not the system's default, drawn for the scale.
    EXPECT_EQ(iconAt96, 16);
    EXPECT_EQ(iconAt192, 32);
    EXPECT_EQ(moved.right - moved.left, 700);
    EXPECT_EQ(moved.bottom - moved.top, 500);
}

// A run with a failure: caption and label count it, the words of the log are explained
// under it, and the arrow keys bring each file line's whole path, cut in the log, and its
// status word's meaning. The log can be made larger, and opens at that size next time.
TEST_F(StartTest, ALogWithFailuresCountsAndExplainsThemAndShowsEachPathWhole)
{
    const std::string deep = "a-folder-with-a-rather-long-name\\and-another-one-inside-it";
    MakeFolder(folder_ / "a-folder-with-a-rather-long-name");
    MakeFolder(folder_ / deep);
    const std::string inside = folder_ / deep + "\\deep.txt";
    WriteBytes(inside, "one");
    Open({"-Fone", "-R1"});
    AddListEntries(Dialog(), IDC_FILE_LIST, {inside, folder_ / "gone.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "one");
    std::string caption, label, legend, logText;
    std::vector<std::string> lines;
    RECT before{}, after{}, window{};
    ActivationWatcher watcher([&](HWND log) {
        if (!IsResultLog(log))
            return;
        OnceSettled(log, [&, log] {
            caption = TextOf(log);
            label = TextOf(::GetDlgItem(log, IDC_RESULT_LOG_LABEL));
            legend = TextOf(::GetDlgItem(log, IDC_RESULT_LOG_LEGEND));
            logText = TextOf(::GetDlgItem(log, IDC_RESULT_LOG_TEXT));
            for (int line = 0; line < 4; ++line) {
                lines.push_back(TextOf(::GetDlgItem(log, IDC_RESULT_LOG_LINE)));
                PressKeys({{VK_DOWN}});
                RunQueuedMessages();
            }
            before = RectInParent(::GetDlgItem(log, IDC_RESULT_LOG_TEXT));
            ::GetWindowRect(log, &window);
            ::SetWindowPos(log, nullptr, 0, 0, window.right - window.left + 120, window.bottom - window.top + 90,
                           SWP_NOMOVE | SWP_NOZORDER);
            after = RectInParent(::GetDlgItem(log, IDC_RESULT_LOG_TEXT));
            PressKeys({{VK_RETURN}});
        });
    });
    Click(Dialog(), IDC_START);

    EXPECT_EQ(caption, "置換完了 - 失敗 1 件");
    EXPECT_EQ(label, "置換結果ログ　失敗したファイル：1 件");
    EXPECT_EQ(legend, "NotOpen：開けなかった（無い・読めない）");
    EXPECT_EQ(logText.find(inside), std::string::npos) << "the log shows the path cut";
    EXPECT_EQ(lines, (std::vector<std::string>{"", "", inside, folder_ / "gone.txt" + "　NotOpen：開けなかった（無い・読めない）"}));
    EXPECT_EQ(after.right - after.left, before.right - before.left + 120);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 90);
    EXPECT_EQ(Settings().ReadSwitch(Setting::LogWidth), window.right - window.left + 120);

    // The next log opens at the size the user left it.
    SIZE reopened{};
    ActivationWatcher again([&](HWND log) {
        if (!IsResultLog(log))
            return;
        RECT rect;
        ::GetWindowRect(log, &rect);
        reopened = {rect.right - rect.left, rect.bottom - rect.top};
        ::PostMessageA(log, WM_COMMAND, IDOK, 0);
    });
    Click(Dialog(), IDC_START);
    EXPECT_EQ(reopened.cx, window.right - window.left + 120);
    EXPECT_EQ(reopened.cy, window.bottom - window.top + 90);
}

// From a preview's log, Enter on a changed file's line opens its changed lines before and
// after, read in the file's own encoding; so does a double click. A line of no change, or
// no file, is no way in: Enter there closes the log as on any other line.
TEST_F(StartTest, APreviewsLogOpensAFilesChangesByEnterAndByDoubleClick)
{
    // "東京の天気 one" / "大阪の天気 one" in UTF-8, long enough to be read as UTF-8.
    const std::string tokyo = "\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\xA4\xA9\xE6\xB0\x97";
    WriteBytes(folder_ / "a.txt", "same line\n" + tokyo + " one\nlast line\n");
    WriteBytes(folder_ / "b.txt", "\x95\x5C one\r\n");
    WriteBytes(folder_ / "c.txt", "nothing");
    Open({"-Fone", "-R1"});
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt", "b.txt", "c.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "one");
    ReplaceText(Dialog(), IDC_REPLACE_TEXT, "二");
    const std::string viewCaption = LoadResourceString(IDS_CHANGE_VIEW_CAPTION);
    std::vector<std::string> views, hints;
    int logActivations = 0;
    bool logEnded = false;
    ActivationWatcher watcher([&](HWND window) {
        if (TextOf(window).starts_with(viewCaption)) {
            OnceSettled(window, [&, window] {
                views.push_back(TextOf(window) + "\n" + TextOf(::GetDlgItem(window, IDC_CHANGE_TEXT)));
                PressKey(VK_ESCAPE);
            });
            return;
        }
        if (!IsResultLog(window))
            return;
        HWND text = ::GetDlgItem(window, IDC_RESULT_LOG_TEXT);
        switch (++logActivations) {
        case 1:  // the first file's line by the keys
            OnceSettled(window, [&, text] {
                PressKeys({{VK_DOWN}, {VK_DOWN}});
                RunQueuedMessages();
                hints.push_back(TextOf(::GetDlgItem(::GetParent(text), IDC_RESULT_LOG_LINE)));
                PressKey(VK_RETURN);
            });
            break;
        case 2:  // the second file's line by a double click on it
            OnceSettled(window, [&, text] {
                const LPARAM at = ::SendMessageA(text, EM_POSFROMCHAR, ::SendMessageA(text, EM_LINEINDEX, 3, 0), 0);
                POINT point{LOWORD(at) + 3, HIWORD(at) + 4};
                ::ClientToScreen(text, &point);
                DoubleClickWithMouseAt(point);
            });
            break;
        case 3:  // the unchanged file's line: Enter is OK there
            OnceSettled(window, [&, text] {
                PressKeys({{VK_DOWN}});
                RunQueuedMessages();
                hints.push_back(TextOf(::GetDlgItem(::GetParent(text), IDC_RESULT_LOG_LINE)));
                PressKey(VK_RETURN);
            });
            break;
        default:
            ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
    });
    DestroyWatcher ended([&](HWND window) { logEnded = logEnded || IsResultLog(window); });

    Click(Dialog(), IDC_PREVIEW);

    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].substr(0, views[0].find('\n')), viewCaption + "a.txt");
    // 東京の天気 in code page 932, as the box shows it.
    const std::string tokyoShown = "\x93\x8C\x8B\x9E\x82\xCC\x93\x56\x8B\x43";
    EXPECT_NE(views[0].find("\r\n same line\r\n-" + tokyoShown + " one\r\n+" + tokyoShown + " 二\r\n last line\r\n"),
              std::string::npos)
        << views[0];
    EXPECT_EQ(views[1].substr(0, views[1].find('\n')), viewCaption + "b.txt");
    EXPECT_NE(views[1].find("\r\n-\x95\x5C one\r\n+\x95\x5C 二\r\n"), std::string::npos) << views[1];
    EXPECT_EQ(logActivations, 3);
    EXPECT_TRUE(logEnded);
    EXPECT_EQ(hints, (std::vector<std::string>{"a.txt" + LoadResourceString(IDS_CHANGES_HINT), "c.txt"}));
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "same line\n" + tokyo + " one\nlast line\n");
    EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "\x95\x5C one\r\n");
}

TEST_F(StartTest, ATabReachesTheRunTheSettingsAndTheHistoryAsBackslashT)
{
    WriteBytes(folder_ / "a.txt", "x\ty x y");
    Open();
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "x\ty");
    ReplaceText(Dialog(), IDC_REPLACE_TEXT, "\t-");

    PressStart();

    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "\t- x y");
    EXPECT_EQ(ReadBytes(ProgramFile("$History.lst")), "x\\ty\t\\t-\t\r\n");
    Close();
    const std::string ini = ReadBytes(IniPath());
    EXPECT_NE(ini.find("\r\nFind=x\\ty\r\nReplace=\\t-\r\n"), std::string::npos) << ini;
}

// With escape sequences off, a TAB pasted into the find box is a TAB: the run finds the
// TAB, not backslash and t in a path; the box keeps it, the mark beside the boxes tells of
// it, and the history, whose lines cannot hold it, is left alone.
TEST_F(StartTest, WithoutEscapeSequencesAPastedTabStaysATab)
{
    WriteBytes(folder_ / "a.txt", "p\tab C:\\temp\\tab");
    Open();
    ::ShowWindow(Dialog(), SW_SHOW);
    ::SetForegroundWindow(Dialog());
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
    Click(Dialog(), IDC_NOT_ESCAPE);
    ReplaceText(Dialog(), IDC_REPLACE_TEXT, "X");
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_TAB_MARK)), "");
    Window().GotoDlgCtrl(::GetDlgItem(Dialog(), IDC_FIND_TEXT));
    PutTextOnClipboard("p\tab");
    ASSERT_TRUE(PressKeys({{'V', VK_CONTROL}}));
    RunQueuedMessages();
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_TAB_MARK)), LoadResourceString(IDS_TAB_IN_FIND));

    PressStart();

    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "X C:\\temp\\tab");
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT)), "p\tab");
    EXPECT_FALSE(FileExists(ProgramFile("$History.lst")));
}

TEST_F(StartTest, WithTheHistoryInUseItsListOffersThePatternJustUsed)
{
    WriteBytes(ProgramFile("$History.lst"), "old\tO\t\r\n");
    WriteSetting("SETTING", "ReplaceList", "$History.lst");
    WriteBytes(folder_ / "a.txt", "new");
    Open();
    EXPECT_TRUE(Window().IsHistoryInUse());
    AddListEntries(Dialog(), IDC_FILE_LIST, {"a.txt"});
    ReplaceText(Dialog(), IDC_FIND_TEXT, "new");
    ReplaceText(Dialog(), IDC_REPLACE_TEXT, "N");
    Click(Dialog(), IDC_NOT_CASE);

    PressStart();

    EXPECT_EQ(ComboEntries(Dialog(), IDC_FIND_TEXT), (std::vector<std::string>{"new", "old"}));
    EXPECT_EQ(ComboEntries(Dialog(), IDC_REPLACE_TEXT), (std::vector<std::string>{"N", "O"}));
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT)), "new");
    EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_REPLACE_TEXT)), "N");
    EXPECT_EQ(ReadBytes(ProgramFile("$History.lst")), "new\tN\tC\r\nold\tO\t\r\n");
}

TEST_F(StartTest, AnAbortStopsAtTheNextFileAndShowsTheLogOnlyAfterTheWorkerHasEnded)
{
    constexpr int Files = 30;
    const std::vector<std::string> names = WriteFiles(Files);
    // One worker, which waits for the progress to be shown: the stop comes at a known file.
    WriteSetting("PROCESS", "Workers", "1");
    Open({"-Fa", "-Rb", "-B0"});
    AddListEntries(Dialog(), IDC_FILE_LIST, names);
    Click(Dialog(), IDC_ALL_AUTO);  // no list: stays off
    // "中止" is pressed while the worker waits for the second file's text to be taken.
    TextWatcher texts(IDC_PROGRESS_TEXT, [&](HWND control, const std::string& text) {
        if (text == "2/30")
            ::SendMessageA(::GetParent(control), WM_COMMAND, IDCANCEL, 0);
    });
    ReplaceText(Dialog(), IDC_FIND_TEXT, "a");

    PressStart();

    // Shown with its totals: the worker had ended. The caption says the run was aborted,
    // and the label how many listed files it did not take.
    EXPECT_EQ(shownLog_, ExpectedLog({{"f0.txt", "       3"}, {"f1.txt", "       3"}}, "          6"));
    EXPECT_EQ(shownLogCaption_, AbortedLogCaption);
    EXPECT_EQ(shownLogLabel_, LoadResourceString(IDS_RESULT_LOG_NOT_PROCESSED).append("28 件"));
    EXPECT_TRUE(Window().IsWindowEnabled());
    EXPECT_EQ(ReadBytes(folder_ / "f1.txt"), "bbb");
    for (int i = 2; i < Files; ++i)
        EXPECT_EQ(ReadBytes(folder_ / names[i]), "aaa") << names[i];
    EXPECT_EQ(::GetFocus(), ::FindWindowExA(::GetDlgItem(Dialog(), IDC_FIND_TEXT), nullptr, "Edit", nullptr));
}

// The user's three ways to abort, each as real input given while the worker waits for the
// second file's text to be taken: the run stops before the third file.
TEST_F(StartTest, EscTheCloseBoxAndAClickOnTheAbortButtonEachAbortTheRun)
{
    constexpr int Files = 6;
    const std::vector<std::string> names = WriteFiles(Files);
    // One worker, which waits for the progress to be shown: the stop comes at a known file.
    WriteSetting("PROCESS", "Workers", "1");
    Open({"-Fa", "-Rb", "-B0"});
    AddListEntries(Dialog(), IDC_FILE_LIST, names);
    const struct {
        const char* way;
        bool (*abort)(HWND progress);
    } ways[] = {
        {"Esc", [](HWND) { return PressKey(VK_ESCAPE); }},
        {"close box", [](HWND progress) { return ClickWithMouseAt(CloseBoxOf(progress)); }},
        {"中止", [](HWND progress) { return ClickWithMouse(::GetDlgItem(progress, IDCANCEL)); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        WriteFiles(Files);
        ReplaceText(Dialog(), IDC_FIND_TEXT, "a");
        bool given = false;
        bool ended = false;
        TextWatcher texts(IDC_PROGRESS_TEXT, [&](HWND control, const std::string& text) {
            if (text != "2/6")
                return;
            given = w.abort(::GetParent(control));
            ended = RunMessagesUntilADialogEnds(10000);
        });

        PressStart();

        EXPECT_TRUE(given);
        EXPECT_TRUE(ended);
        EXPECT_EQ(shownLog_, ExpectedLog({{"f0.txt", "       3"}, {"f1.txt", "       3"}}, "          6"));
        EXPECT_EQ(shownLogCaption_, AbortedLogCaption);
        EXPECT_EQ(shownLogLabel_, LoadResourceString(IDS_RESULT_LOG_NOT_PROCESSED).append("4 件"));
        for (int i = 0; i < Files; ++i)
            EXPECT_EQ(ReadBytes(folder_ / names[i]), i < 2 ? "bbb" : "aaa") << names[i];
        EXPECT_TRUE(Window().IsWindowEnabled());
        EXPECT_EQ(::FindWindowA(nullptr, ProgressCaption.c_str()), nullptr);
    }
}

namespace {

// The user aborts at the first text; the run goes on only once the progress dialog has
// gone, and its first text then comes too late.
class LateRun : public CMainDialog {
public:
    using CMainDialog::CMainDialog;
    HANDLE progressGone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~LateRun() override { ::CloseHandle(progressGone); }

protected:
    WorkerRun::Ending RunOnWorker(const WorkerRun::RunFunction& run, int priority) override
    {
        return CMainDialog::RunOnWorker(
            [&](RunObserver& observer) {
                observer.OnProgress(0, 1);
                ::WaitForSingleObject(progressGone, 10000);
                return run(observer);
            },
            priority);
    }
};

}  // namespace

TEST_F(StartTest, AProgressTextAfterTheDialogHasEndedGoesNowhereAndHoldsNothingUp)
{
    WriteBytes(folder_ / "a.txt", "a");
    LateRun dialog(Settings(), {"tarvelox.exe", "-Fa", "-Rb", "a.txt"});
    ASSERT_TRUE(dialog.Create());
    std::vector<std::string> texts;
    TextWatcher watcher(IDC_PROGRESS_TEXT, [&](HWND control, const std::string& text) {
        texts.push_back(text);
        if (texts.size() == 1) {
            EXPECT_TRUE(ClickWithMouse(::GetDlgItem(::GetParent(control), IDCANCEL)));
            EXPECT_TRUE(RunMessagesUntilADialogEnds(10000));
        }
    });
    DestroyWatcher gone([&](HWND window) {
        if (HasCaption(window, ProgressCaption))
            ::SetEvent(dialog.progressGone);
    });
    std::string log;
    ActivationWatcher closeLog([&](HWND window) {
        if (!IsResultLog(window))
            return;
        log = TextOf(::GetDlgItem(window, IDC_RESULT_LOG_TEXT));
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });

    Click(dialog.m_hWnd, IDC_START);

    EXPECT_EQ(texts, std::vector<std::string>{"0/1"});
    EXPECT_EQ(log, ExpectedLog({}, "          0"));
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "a");
    EXPECT_TRUE(dialog.IsWindowEnabled());
    dialog.DestroyWindow();
}

namespace {

// Memory runs out while the log takes the first file's line: an exception that nothing in
// the run handles.
class FailingRun : public CMainDialog {
public:
    using CMainDialog::CMainDialog;

protected:
    WorkerRun::Ending RunOnWorker(const WorkerRun::RunFunction& run, int priority) override
    {
        return CMainDialog::RunOnWorker(
            [&](RunObserver& shown) {
                struct : RunObserver {
                    RunObserver* shown;
                    void OnProgress(std::size_t done, std::size_t count) override { shown->OnProgress(done, count); }
                    void OnFileResult(const FileReport&) override { throw std::bad_alloc(); }
                } failing;
                failing.shown = &shown;
                return run(failing);
            },
            priority);
    }
};

}  // namespace

TEST_F(StartTest, ARunThatFailsEndsItsProgressDialogAndSaysSo)
{
    WriteBytes(folder_ / "a.txt", "a");
    WriteBytes(folder_ / "b.txt", "a");
    // One worker: no second file is under way when the first one's report fails.
    WriteSetting("PROCESS", "Workers", "1");
    FailingRun dialog(Settings(), {"tarvelox.exe", "-Fa", "-Rb", "a.txt", "b.txt"});
    ASSERT_TRUE(dialog.Create());
    std::vector<std::string> shown;
    MessageBoxText message;
    ActivationWatcher watcher([&](HWND window) {
        if (window != dialog.m_hWnd)
            shown.push_back(TextOf(window));
        if (IsMessageBox(window)) {
            message = ReadMessageBox(window);
            // The progress dialog has gone before the message comes.
            EXPECT_EQ(::FindWindowA(nullptr, ProgressCaption.c_str()), nullptr);
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    });

    Click(dialog.m_hWnd, IDC_START);

    EXPECT_EQ(shown, (std::vector<std::string>{ProgressCaption, "エラー"}));
    EXPECT_EQ(message.Text, LoadResourceString(IDS_RUN_FAILED));
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "b");
    EXPECT_EQ(ReadBytes(folder_ / "b.txt"), "a");
    EXPECT_FALSE(FileExists(ProgramFile("$History.lst")));
    EXPECT_TRUE(dialog.IsWindowEnabled());
    dialog.DestroyWindow();
}

// A run that cannot do its job is refused before anything is touched: a message box says
// why, and the main dialog stays as it was. Never a run with no pattern, and never a
// regular expression taken for literal text.
TEST_F(StartTest, ARunThatCannotDoItsJobIsRefusedWithItsReason)
{
    const std::string list = ProgramFile("replace.lst");
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> settings;  // MAIN keys, or SETTING/...
        const char* listText;                                        // nullptr: no replace.lst
        std::vector<std::string> switches;
        bool library;
        bool chooseFirstPattern;
        std::string message;
    } cases[] = {
        {"remembered full-automatic, list missing", {{"AllAuto", "1"}}, nullptr, {}, true, false,
         "missing.lst\n\n" + LoadResourceString(IDS_REPLACE_LIST_NOT_FOUND)},
        {"remembered full-automatic, list empty", {{"AllAuto", "1"}, {"SETTING/ReplaceList", list}}, "", {}, true,
         false, list + "\n\n" + LoadResourceString(IDS_REPLACE_LIST_EMPTY)},
        {"expression the library rejects", {}, nullptr, {"-Oe", "-F(abc", "-RZ"}, true, false,
         LoadResourceString(IDS_REGEX_REJECTED) + "\n\n" + LoadResourceString(IDS_EXPRESSION_LABEL) + "(abc\n" +
             LoadResourceString(IDS_LIBRARY_MESSAGE_LABEL) + "end pattern with unmatched parenthesis"},
        {"remembered regular expression, no library",
         {{"SETTING/MemLast", "1"}, {"Find", "."}, {"Replace", "Z"}, {"RegularExpression", "1"}}, nullptr, {}, false,
         false, LoadResourceString(IDS_NO_REGEX_LIBRARY)},
        {"regular expression chosen from the list, no library", {{"SETTING/ReplaceList", list}}, ".\tZ\tE\r\n", {},
         false, true, LoadResourceString(IDS_NO_REGEX_LIBRARY)},
        {"full-automatic over a list with a regular expression, no library", {{"SETTING/ReplaceList", list}},
         "a\tb\t\r\nx+\ty\tE\r\n", {"-A"}, false, false, LoadResourceString(IDS_NO_REGEX_LIBRARY)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::RemoveFile(IniPath());
        platform::RemoveFile(list);
        WriteSetting("SETTING", "ReplaceList", "missing.lst");
        for (const auto& [key, value] : c.settings) {
            if (key.starts_with("SETTING/"))
                WriteSetting("SETTING", key.substr(8), value);
            else
                WriteSetting("MAIN", key, value);
        }
        if (c.listText)
            WriteBytes(list, c.listText);
        WriteBytes(folder_ / "a.txt", "x.y(abc");
        std::vector<std::string> switches = c.switches;
        switches.push_back(folder_ / "a.txt");
        Open(switches, c.library);
        if (c.chooseFirstPattern)
            ChooseEntry(Dialog(), IDC_FIND_TEXT, 0);
        ASSERT_TRUE(IsEnabled(Dialog(), IDC_START));
        const std::string findTextBefore = TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT));
        MessageBoxText message;
        bool progressShown = false;

        PressStart([&](HWND window) {
            if (HasCaption(window, ProgressCaption)) {
                progressShown = true;
            } else if (IsMessageBox(window)) {
                message = ReadMessageBox(window);
                ::PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
        });

        EXPECT_FALSE(progressShown);
        EXPECT_EQ(message.Caption, "エラー");
        EXPECT_TRUE(message.Text.starts_with(c.message)) << message.Text;
        EXPECT_EQ(shownLog_, "");
        EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "x.y(abc");
        EXPECT_FALSE(FileExists(folder_ / "a.txt.bak"));
        EXPECT_FALSE(FileExists(ProgramFile("$History.lst")));
        EXPECT_TRUE(Window().IsWindowEnabled());
        EXPECT_EQ(TextOf(::GetDlgItem(Dialog(), IDC_FIND_TEXT)), findTextBefore);
        Close();
    }
}

namespace {

class WithoutThreads : public CMainDialog {
public:
    using CMainDialog::CMainDialog;

protected:
    WorkerRun::Ending RunOnWorker(const WorkerRun::RunFunction&, int) override { return WorkerRun::Ending::NotStarted; }
};

}  // namespace

TEST_F(StartTest, ARunThatCannotStartSaysSoAndLeavesEverythingAsItWas)
{
    WriteBytes(folder_ / "a.txt", "a");
    WithoutThreads dialog(Settings(), {"tarvelox.exe", "-Fa", "a.txt"});
    ASSERT_TRUE(dialog.Create());
    MessageBoxText message;
    ActivationWatcher watcher([&](HWND window) {
        if (!IsMessageBox(window))
            return;
        message = ReadMessageBox(window);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    Click(dialog.m_hWnd, IDC_START);
    EXPECT_EQ(message.Text, LoadResourceString(IDS_RUN_NOT_STARTED));
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "a");
    EXPECT_FALSE(FileExists(ProgramFile("$History.lst")));
    EXPECT_TRUE(dialog.IsWindowEnabled());
    dialog.DestroyWindow();
}

// An automatic run refused before any file: the message box says why, nothing is touched,
// no log is written, and the program ends with 2.
TEST_F(StartTest, AutomaticModeEndsWithTwoWhenTheRunIsRefused)
{
    WriteBytes(folder_ / "a.txt", "abc");
    CMainDialog dialog(Settings(), {"tarvelox.exe", "-H", "-A", "-B", "-Lmissing.lst", folder_ / "a.txt"});
    MessageBoxText message;
    ActivationWatcher watcher([&](HWND window) {
        if (!IsMessageBox(window))
            return;
        message = ReadMessageBox(window);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), 0);
    EXPECT_EQ(dialog.ExitStatus(), 2);
    EXPECT_EQ(message.Text, "missing.lst\n\n" + LoadResourceString(IDS_REPLACE_LIST_NOT_FOUND));
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "abc");
    EXPECT_FALSE(FileExists(folder_ / "a.txt.bak"));
    EXPECT_FALSE(FileExists(folder_ / "replace.log"));
}

// An automatic run whose command line named something that is not there does the rest,
// but does not end as a success.
TEST_F(StartTest, AutomaticModeEndsWithOneWhenANameWasPassedOver)
{
    WriteBytes(folder_ / "a.txt", "abc");
    CMainDialog dialog(Settings(), {"tarvelox.exe", "-H", "-Fb", "-RB", "-B0", "a.txt", "a.txt", "missing.txt"});
    int activations = 0;
    ActivationWatcher watcher([&](HWND) { ++activations; });
    EXPECT_EQ(dialog.DoModal(), 0);
    EXPECT_EQ(dialog.ExitStatus(), 1);
    // No message box for the name given twice, nor for the missing one: nobody is there.
    EXPECT_EQ(activations, 0);
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "aBc");
    EXPECT_EQ(ReadBytes(folder_ / "replace.log"), ExpectedLog({{folder_ / "a.txt", "       1"}}, "          1"));
}

TEST_F(StartTest, AutomaticModeRunsAtOnceWritesTheLogFileAndNoSettings)
{
    WriteBytes(folder_ / "a.txt", "abc");
    CMainDialog dialog(Settings(), {"tarvelox.exe", "-H", "-Fb", "-RB", "-B0", "a.txt"});
    int activations = 0;
    ActivationWatcher watcher([&](HWND) { ++activations; });
    EXPECT_EQ(dialog.DoModal(), 0);
    EXPECT_EQ(dialog.ExitStatus(), 0);
    EXPECT_EQ(activations, 0);
    EXPECT_EQ(ReadBytes(folder_ / "a.txt"), "aBc");
    EXPECT_EQ(ReadBytes(folder_ / "replace.log"), ExpectedLog({{folder_ / "a.txt", "       1"}}, "          1"));
    EXPECT_FALSE(FileExists(IniPath()));
    EXPECT_FALSE(FileExists(ProgramFile("$History.lst")));
}

TEST_F(StartTest, OneShiftJisListRewritesEachCopyInItsOwnEncodingUnlessShiftJisOnly)
{
    namespace fixture = encoding_fixture;
    WriteBytes(folder_ / "list.lst", fixture::ReplaceList);
    for (const bool shiftJisOnly : {false, true}) {
        SCOPED_TRACE(shiftJisOnly);
        WriteSetting("PROCESS", "ShiftJisOnly", shiftJisOnly ? "1" : "0");
        fixture::WriteCopies(folder_);
        Open({"-L" + (folder_ / "list.lst")});
        AddListEntries(Dialog(), IDC_FILE_LIST, fixture::CopyNames());
        Click(Dialog(), IDC_ALL_AUTO);

        PressStart();

        if (shiftJisOnly) {
            // Read as Shift-JIS the UTF-8 copy holds none of the Japanese patterns.
            EXPECT_EQ(ReadBytes(folder_ / "utf8.txt"), fixture::Utf8Before);
        } else {
            fixture::ExpectCopiesRewritten(folder_);
            EXPECT_EQ(shownLog_, fixture::ExpectedRunLog());
        }
        Close();
    }
}
