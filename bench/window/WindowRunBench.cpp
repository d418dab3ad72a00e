// How much a run started from the main window costs beyond the same run through the engine
// alone, and how soon an abort takes effect. Windows build, run under Wine by bench/window.
//     window_run_bench <folder> <files> <rounds>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/SettingsStore.h"
#include "engine/run/ResultLog.h"
#include "engine/run/RunObserver.h"
#include "engine/run/RunReplace.h"
#include "framework/MessageLoop.h"
#include "platform/FileSystem.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowDriver.h"

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Pattern {
    const char* Find;
    const char* Replace;
};
constexpr Pattern Forth{"alpha", "omega"};
constexpr Pattern Back{"omega", "alpha"};

std::vector<std::string> MakeFiles(const std::string& folder, int count)
{
    std::string text;
    for (int line = 0; line < 4; ++line)
        text += "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD alpha \x95\x5C\x8E\xA6 text of a small file\r\n";
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\f%05d.txt", i);
        paths.push_back(folder + name);
        platform::WriteWholeFile(paths.back(), text.data(), text.size());
    }
    return paths;
}

double RunEngine(const std::vector<std::string>& files, Pattern pattern)
{
    ReplaceJob job;
    job.Files = files;
    job.Pattern = {pattern.Find, pattern.Replace, 0};
    ResultLog log;
    // The engine alone: nothing shown.
    RunObserver unseen;
    const double start = Now();
    log.ResetLog();
    RunReplace(job, log, unseen);
    return Now() - start;
}

// Start pressed in the main window, until the result log has come up and been closed.
double RunWindow(CMainDialog& dialog, Pattern pattern)
{
    ReplaceText(dialog.m_hWnd, IDC_FIND_TEXT, pattern.Find);
    ReplaceText(dialog.m_hWnd, IDC_REPLACE_TEXT, pattern.Replace);
    ActivationWatcher closeLog([](HWND window) {
        if (::GetDlgItem(window, IDC_RESULT_LOG_TEXT))
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    const double start = Now();
    Click(dialog.m_hWnd, IDC_START);
    return Now() - start;
}

struct AbortTiming {
    double Latency;  // from the click on "中止" to the worker's end
    int FilesAfterClick;
};

// Presses "中止" `afterSeconds` after the progress text `text` came, as a posted click,
// and measures until the log comes up (which happens once the worker has ended).
AbortTiming AbortRun(CMainDialog& dialog, Pattern pattern, const std::string& text, UINT afterMilliseconds)
{
    static HWND progress = nullptr;
    static double clicked = 0;
    static double ended = 0;
    static std::string lastText;
    progress = nullptr;
    ReplaceText(dialog.m_hWnd, IDC_FIND_TEXT, pattern.Find);
    ReplaceText(dialog.m_hWnd, IDC_REPLACE_TEXT, pattern.Replace);
    TextWatcher texts(IDC_PROGRESS_TEXT, [&](HWND control, const std::string& arrived) {
        lastText = arrived;
        if (arrived == text && !progress) {
            progress = ::GetParent(control);
            ::SetTimer(nullptr, 0, afterMilliseconds, [](HWND, UINT, UINT_PTR timer, DWORD) {
                ::KillTimer(nullptr, timer);
                clicked = Now();
                ::PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
            });
        }
    });
    ActivationWatcher closeLog([](HWND window) {
        if (::GetDlgItem(window, IDC_RESULT_LOG_TEXT)) {
            ended = Now();
            ::PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    });
    Click(dialog.m_hWnd, IDC_START);
    const int before = std::atoi(text.c_str());
    const std::string& log = dialog.LastLog().Text();
    const int lines = static_cast<int>(std::count(log.begin(), log.end(), '\n')) - 4;
    return {ended - clicked, lines - before};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: window_run_bench <folder> <files> <rounds>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    const int rounds = std::atoi(argv[3]);
    const std::vector<std::string> files = MakeFiles(folder, count);

    SettingsStore settings;
    settings.SetFilePath(folder + "\\Tarvelox.ini");
    CMainDialog dialog(settings, {"tarvelox.exe", "-B0"});
    dialog.Create();
    dialog.ShowWindow(SW_SHOW);
    AddListEntries(dialog.m_hWnd, IDC_FILE_LIST, files);

    std::vector<double> engine, window;
    Pattern pattern = Forth;
    for (int round = 0; round < rounds; ++round) {
        engine.push_back(RunEngine(files, pattern));
        pattern = pattern.Find == Forth.Find ? Back : Forth;
        window.push_back(RunWindow(dialog, pattern));
        pattern = pattern.Find == Forth.Find ? Back : Forth;
        std::printf("round %d: engine %.3f s, window %.3f s\n", round + 1, engine.back(), window.back());
        std::fflush(stdout);
    }
    const double engineMedian = Median(engine);
    const double windowMedian = Median(window);
    std::printf("%d files, median of %d rounds: engine alone %.3f s, from the window %.3f s, overhead %+.1f %%\n",
                count, rounds, engineMedian, windowMedian, 100.0 * (windowMedian - engineMedian) / engineMedian);

    const AbortTiming small = AbortRun(dialog, pattern, std::to_string(count / 10) + "/" + std::to_string(count), 0);
    std::printf("abort between small files: %.1f ms from the click to the worker's end, %d file(s) after the click\n",
                1000 * small.Latency, small.FilesAfterClick);
    pattern = pattern.Find == Forth.Find ? Back : Forth;

    // One large file with nothing to find: the search runs through it in one step.
    std::string large(200u << 20, 'x');
    const std::string largePath = folder + "\\large.txt";
    platform::WriteWholeFile(largePath, large.data(), large.size());
    large.clear();
    large.shrink_to_fit();
    ::SendMessageA(::GetDlgItem(dialog.m_hWnd, IDC_FILE_LIST), LB_RESETCONTENT, 0, 0);
    AddListEntries(dialog.m_hWnd, IDC_FILE_LIST, {largePath});
    const AbortTiming inside = AbortRun(dialog, pattern, "0/1", 150);
    std::printf("abort inside a 200 MB file: %.1f ms from the click to the worker's end\n", 1000 * inside.Latency);
    platform::RemoveFile(largePath);
    dialog.DestroyWindow();
    return 0;
}
