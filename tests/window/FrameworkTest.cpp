#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/MessageLoop.h"
#include "framework/MessageMap.h"
#include "framework/WorkerThread.h"
#include "resources/ResourceIds.h"
#include "tests/window/WindowDriver.h"

namespace {

constexpr UINT WM_PING = WM_APP + 1;
constexpr UINT WM_FAIL = WM_APP + 2;

// A dialog on a template of the program, with a message map and one exchanged text.
class ProbeDialog : public MessageMapped<ProbeDialog, CDialog> {
public:
    explicit ProbeDialog(CWnd* parent = nullptr, INT_PTR endAtStart = 0)
        : MessageMapped(IDD_PROGRESS, parent), endAtStart_(endAtStart)
    {
    }

    static const MessageMap<ProbeDialog>& GetMessageMap()
    {
        static constexpr CommandRoute<ProbeDialog> commands[] = {
            {IDC_PROGRESS_TEXT, STN_CLICKED, &ProbeDialog::OnTextClicked}};
        static constexpr MessageRoute<ProbeDialog> messages[] = {
            {WM_PING, &ProbeDialog::OnPing}, {WM_FAIL, &ProbeDialog::OnFail}, {WM_SHOWWINDOW, &ProbeDialog::OnShow}};
        static const MessageMap<ProbeDialog> map{commands, messages};
        return map;
    }

    std::string text = "start";
    std::vector<std::string> events;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endAtStart_)
            EndDialog(endAtStart_);
        return TRUE;
    }
    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, IDC_PROGRESS_TEXT, text); }

private:
    void OnTextClicked() { events.push_back("clicked"); }
    LRESULT OnPing(WPARAM wParam, LPARAM) { events.push_back("ping " + std::to_string(wParam)); return 42; }
    LRESULT OnFail(WPARAM, LPARAM) { throw std::runtime_error("fails inside a handler"); }
    LRESULT OnShow(WPARAM shown, LPARAM)
    {
        if (shown)
            events.push_back("shown");
        return 0;
    }

    INT_PTR endAtStart_;
};

}  // namespace

TEST(Framework, ModalDialogDrivenFromInsideExchangesItsMembersAndFreesItsOwner)
{
    ProbeDialog owner;
    ASSERT_TRUE(owner.Create());
    ProbeDialog dialog(&owner);
    bool ownerWasDisabled = false;
    RECT ownerRect{}, shownRect{};
    std::string shown;
    ActivationWatcher watcher([&](HWND window) {
        if (window != dialog.m_hWnd)
            return;
        ownerWasDisabled = !owner.IsWindowEnabled();
        ownerRect = owner.GetWindowRect();
        shownRect = dialog.GetWindowRect();
        shown = dialog.GetDlgItemText(IDC_PROGRESS_TEXT);
        EXPECT_EQ(dialog.SendMessage(WM_PING, 5), 42);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_TEXT, STN_CLICKED));
        dialog.SetDlgItemText(IDC_PROGRESS_TEXT, "typed");
        dialog.PostMessage(WM_COMMAND, IDOK);
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_TRUE(ownerWasDisabled);
    // Placed by nobody, it comes up centred over its owner.
    EXPECT_LE(std::abs((ownerRect.left + ownerRect.right) - (shownRect.left + shownRect.right)), 1);
    EXPECT_LE(std::abs((ownerRect.top + ownerRect.bottom) - (shownRect.top + shownRect.bottom)), 1);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(shown, "start");
    EXPECT_EQ(dialog.text, "typed");
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"ping 5", "clicked", "shown"}));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    owner.DestroyWindow();
}

TEST(Framework, DialogEndedDuringItsStartIsNeverShown)
{
    ProbeDialog dialog(nullptr, 7);
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_TRUE(dialog.events.empty());
}

TEST(Framework, EscapeOnAControlReachesTheDialogThroughTheOwnLoop)
{
    ProbeDialog dialog;
    ActivationWatcher watcher([&](HWND window) {
        if (window == dialog.m_hWnd)
            ::PostMessageA(dialog.GetDlgItem(IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Framework, AnExceptionInAHandlerStaysInTheWindow)
{
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.SendMessage(WM_FAIL), 0);
    EXPECT_EQ(dialog.SendMessage(WM_PING, 1), 42);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Framework, WorkerRunsAtItsPriorityWhileTheLoopServesItsMessages)
{
    ProbeDialog window;
    ASSERT_TRUE(window.Create());
    int priority = 0;
    LRESULT answer = 0;
    WorkerThread worker;
    ASSERT_TRUE(worker.Start(
        [&] {
            priority = ::GetThreadPriority(::GetCurrentThread());
            // Answered only while the window's thread runs messages.
            answer = ::SendMessageA(window.m_hWnd, WM_PING, 9, 0);
        },
        THREAD_PRIORITY_IDLE));
    EXPECT_TRUE(RunMessagesUntilSignaled(worker.Handle()));
    worker.Join();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(priority, THREAD_PRIORITY_IDLE);
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(window.events, std::vector<std::string>{"ping 9"});
    window.DestroyWindow();
}

TEST(Framework, AFileDialogFilterAlwaysEndsWithTwoNuls)
{
    using namespace std::string_literals;
    const struct {
        std::string Text;
        std::string Filter;
    } cases[] = {
        {"Lists (*.lst)|*.lst||", "Lists (*.lst)\0*.lst\0\0"s},
        {"A (*.a)|*.a|B (*.b)|*.b||", "A (*.a)\0*.a\0B (*.b)\0*.b\0\0"s},
        // Texts that are no filter at all still end where the system stops reading.
        {"Lists (*.lst)|*.lst|", "Lists (*.lst)\0*.lst\0\0"s},
        {"\x91\x8d\x90\x94 : %d\x8c\x8f", "\x91\x8d\x90\x94 : %d\x8c\x8f\0\0"s},
        {"", "\0\0"s},
        // The second byte of a character is no separator: "ポ" is 0x83 0x7C.
        {"\x83\x7C|*.p||", "\x83\x7C\0*.p\0\0"s},
    };
    for (const auto& test : cases)
        EXPECT_EQ(SystemFilter(test.Text), test.Filter) << test.Text;
}
