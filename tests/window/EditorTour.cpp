// Shows the replace list editor for scripts/screenshots, opened from the main dialog on a
// list of a few dozen patterns: the editor, the pattern edit dialog in both modes, both
// menus, a tool tip, the save prompt, and the main dialog with the saved list after the
// editor closed. At each pose it writes "<name>.ready" into the folder given as its first
// argument, with the places of its visible windows from the top down (the X windows under
// Wine's virtual desktop do not always stack as the windows do), and waits, its windows
// alive, until "<name>.done" appears there. It runs on a timer, so that it goes on inside
// the modal loops of menus and message boxes.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/ApplicationName.h"
#include "app/MainDialog.h"
#include "app/SettingsStore.h"
#include "editor/ListEditWnd.h"
#include "framework/MessageLoop.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"
#include "resources/ResourceIds.h"

namespace {

struct Pose {
    std::string Name;
    std::function<void()> Act;
    // The pose is on the screen; without a test, as soon as it has been painted.
    std::function<bool()> Shown;
};

constexpr UINT TickMs = 50;
constexpr int PaintTicks = 6;
constexpr DWORD PoseTimeoutMs = 30000;

std::string markers;
std::vector<Pose> poses;
std::size_t current = 0;
enum class Phase { Act, Shown, Done } phase = Phase::Act;
int shownTicks = 0;
DWORD poseStart = 0;
bool finished = false;
int exitCode = 0;

// A visible top-level window of the class, owned by `owner` when one is given.
HWND FindVisible(const char* className, HWND owner = nullptr)
{
    struct Search {
        const char* ClassName;
        HWND Owner;
        HWND Found;
    } search{className, owner, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            char name[64] = {};
            ::GetClassNameA(hwnd, name, sizeof name);
            if (!::IsWindowVisible(hwnd) || std::string(name) != search.ClassName ||
                (search.Owner && ::GetWindow(hwnd, GW_OWNER) != search.Owner))
                return TRUE;
            search.Found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// "width height x y" of each visible window of this thread, the topmost first.
std::string WindowStack()
{
    std::string stack;
    ::EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            if (::IsWindowVisible(hwnd) && ::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) {
                RECT rect;
                ::GetWindowRect(hwnd, &rect);
                *reinterpret_cast<std::string*>(data) += std::to_string(rect.right - rect.left) + " " +
                                                         std::to_string(rect.bottom - rect.top) + " " +
                                                         std::to_string(rect.left) + " " + std::to_string(rect.top) + "\n";
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&stack));
    return stack;
}

BOOL CALLBACK Redraw(HWND window, LPARAM)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

CListEditWnd* Editor()
{
    return dynamic_cast<CListEditWnd*>(CWnd::FromHandlePermanent(::FindWindowA("TarveloxFrame", nullptr)));
}

void SelectRow(int row)
{
    const CListCtrl& list = Editor()->ListView();
    list.SelectAndFocus(row);
    list.EnsureVisible(row, false);
}

void Command(int id)
{
    Editor()->SendMessage(WM_COMMAND, static_cast<WPARAM>(id));
}

// One step of the tour at each tick: act, wait until the pose is shown and painted, mark
// it ready, wait until it was taken.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    static bool inside = false;
    if (inside || finished)
        return;
    inside = true;
    const Pose& pose = poses[current];
    if (phase == Phase::Act) {
        poseStart = ::GetTickCount();
        shownTicks = 0;
        phase = Phase::Shown;
        pose.Act();
    } else if (phase == Phase::Shown) {
        shownTicks = !pose.Shown || pose.Shown() ? shownTicks + 1 : 0;
        // Painted anew, so that the display holds what the windows show.
        if (shownTicks == 1)
            ::EnumThreadWindows(::GetCurrentThreadId(), Redraw, 0);
        if (shownTicks == PaintTicks) {
            // Complete before the script can see it.
            const std::string stack = WindowStack();
            const std::string ready = markers + "\\" + pose.Name + ".ready";
            platform::WriteWholeFile(ready + ".tmp", stack.data(), stack.size());
            platform::RenameNoReplace(ready + ".tmp", ready);
            phase = Phase::Done;
        }
    } else if (platform::PathExists(markers + "\\" + pose.Name + ".done")) {
        phase = Phase::Act;
        finished = ++current == poses.size();
    }
    if (!finished && ::GetTickCount() - poseStart > PoseTimeoutMs) {
        std::fprintf(stderr, "editor_tour: pose %s was not taken\n", pose.Name.c_str());
        exitCode = 1;
        finished = true;
    }
    inside = false;
}

// A list of a few dozen patterns, as a user keeps them.
void WriteSampleList(const std::string& path)
{
    const char* const lines[] = {
        "株式会社\t(株)\t", "有限会社\t(有)\t", "ｶﾌﾞｼｷｶﾞｲｼｬ\t株式会社\tC",
        "(\\d+)円\t\\1 yen\tEk", "^\\s+\t\tEm", "Tarvelox\tTARVELOX\tC",
        "コンピュータ\tコンピューター\t", "サーバ\tサーバー\t", "ユーザ\tユーザー\t",
        "プリンタ\tプリンター\t", "フォルダ\tフォルダー\t", "メモリ\tメモリー\t",
        "\\t\t    \tS", "　\t \t", "出来る\tできる\t", "下さい\tください\t",
        "致します\tいたします\t", "予め\tあらかじめ\t", "殆ど\tほとんど\t", "宜しく\tよろしく\t",
        "(19|20)(\\d\\d)/(\\d+)/(\\d+)\t\\2.\\3.\\4\tE", "colou?r\tcolour\tEi", "e-mail\tメール\tC",
        "ＡＢＣ\tABC\t", "１２３\t123\t", "http://\thttps://\t", "\\r\\n\t\\n\t",
        "TODO\tFIXME\tSC", "旧社名\t新社名\t", "第(\\d+)版\t第\\1刷\tEkmi", "以上\t以上です\t",
        "例)\t例：\t", "※\t注:\t", "問合せ\t問い合わせ\t", "申込み\t申し込み\t",
    };
    std::string text;
    for (const char* line : lines)
        text.append(line).append("\r\n");
    platform::WriteWholeFile(path, text.data(), text.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: editor_tour MARKER-FOLDER\n");
        return 2;
    }
    markers = argv[1];
    CWinApp application;
    application.SetAppName(ApplicationNameOf("tarvelox.exe"));
    const std::string listPath = markers + "\\sample.lst";
    WriteSampleList(listPath);
    SettingsStore settings;
    settings.SetFilePath(markers + "\\Tarvelox.ini");
    settings.WriteSettingString("SETTING", "ReplaceList", listPath);

    // Modal, as the program runs it; the tour goes on from its timer.
    CMainDialog mainDialog(settings, {"tarvelox.exe"});
    application.SetMainWindow(&mainDialog);

    poses = {
        {"editor",
         [&] {
             // Under Wine on Xvfb a popup of the editor that lies wholly over the main
             // window reaches the display black: the main window goes to the corner.
             mainDialog.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
             ::SendMessageA(mainDialog.GetDlgItem(IDC_LIST_EDIT), BM_CLICK, 0, 0);
             SelectRow(2);
         },
         [] { return Editor() && Editor()->IsWindowVisible(); }},
        {"pattern-add",
         [] {
             Command(ID_PATTERN_INSERT);
             const CPatternEditDialog& dialog = Editor()->PatternDialog();
             ::SetWindowTextA(dialog.GetDlgItem(IDC_PATTERN_FIND), "取扱説明書");
             ::SetWindowTextA(dialog.GetDlgItem(IDC_PATTERN_REPLACE), "ユーザーガイド");
         },
         nullptr},
        {"pattern-edit",
         [] {
             ::SendMessageA(Editor()->PatternDialog().m_hWnd, WM_COMMAND, IDOK, 0);
             SelectRow(30);
             Command(ID_PATTERN_EDIT);
         },
         nullptr},
        {"menu-edit",
         [] {
             Editor()->PatternDialog().ShowWindow(SW_HIDE);
             SelectRow(6);
             Editor()->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, 'e');
         },
         [] { return FindVisible("#32768") != nullptr; }},
        {"menu-file",
         [] {
             Editor()->PostMessage(WM_KEYDOWN, VK_LEFT, 0);
             Editor()->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
         },
         [] { return FindVisible("#32768") != nullptr; }},
        {"tooltip",
         [] {
             Editor()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
             Editor()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
             const CToolBar& toolBar = Editor()->ToolBar();
             const RECT button = toolBar.GetButtonRect(ID_PATTERN_MOVE_UP);
             POINT point{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
             ::ClientToScreen(toolBar.m_hWnd, &point);
             ::SetCursorPos(point.x, point.y);
         },
         [] { return FindVisible(TOOLTIPS_CLASSA) != nullptr; }},
        {"save-prompt",
         [] {
             ::SetCursorPos(0, 0);
             Command(ID_PATTERN_MOVE_UP);
             Editor()->PostMessage(WM_CLOSE);
         },
         [] { return FindVisible("#32770", Editor()->m_hWnd) != nullptr; }},
        {"main-reloaded",
         [&] {
             ::PostMessageA(FindVisible("#32770", Editor()->m_hWnd), WM_COMMAND, IDYES, 0);
         },
         [&] {
             if (Editor() || !mainDialog.IsWindowEnabled())
                 return false;
             ::SendMessageA(mainDialog.GetDlgItem(IDC_FIND_TEXT), CB_SHOWDROPDOWN, TRUE, 0);
             return true;
         }},
    };
    ::SetTimer(nullptr, 0, TickMs, Tick);
    poses.push_back({"end", [&] { mainDialog.EndDialog(IDCANCEL); }, nullptr});
    mainDialog.DoModal();
    return exitCode;
}
