#pragma once
// A top-level window made from one resource id: its menu, accelerator table, icon and title
// string. Bars dock at its top and bottom edges and the child with the id FramePaneId fills
// the rest. Commands from the menu, the keys and the toolbar pass one enable rule
// (IsCommandEnabled), so a disabled command does nothing whichever way it comes; the menu
// and the toolbar show the same rule. A command's string (the string with the command's id)
// is its prompt, shown in the status bar while its menu item is highlighted or the pointer
// rests on its button, then a line break and its tool tip.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/ControlBar.h"
#include "framework/Idle.h"
#include "framework/Window.h"

class CStatusBar;

// The caption is the title string.
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
// The child that fills the client area between the bars.
inline constexpr int FramePaneId = 0xE900;

class CFrameWnd : public CWnd, private IdleClient {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Creates the window from the resources `resourceId`, owned by `parent` (which it is not
    // inside of); false when it cannot be created.
    bool LoadFrame(UINT resourceId, DWORD style, CWnd* parent = nullptr);

    // The accelerators.
    bool PreTranslateMessage(MSG& message) override;

    // Whether a command does something now; by default every command does.
    virtual bool IsCommandEnabled(int id) const;
    // Places the bars and the pane in the client area.
    void RecalcLayout();
    // A prompt in the status bar, until the idle text comes back.
    void SetMessageText(const std::string& text);
    // The idle text in the status bar at once.
    void ShowIdleText();
    // The toolbars' enable states and the idle text brought up to date.
    void UpdateCommandStates();

    HWND GetOwnerWindow() const { return owner_; }

    // The prompt and the tool tip of a command, from its string.
    static std::string PromptOf(int id);
    static std::string ToolTipOf(int id);

protected:
    // The parameters the window is created with; false stops the creation.
    virtual bool PreCreateWindow(CREATESTRUCTW& create);
    // The window exists; false makes its creation fail.
    virtual bool OnCreate(const CREATESTRUCTW& create);
    // By default the application's commands (CWinApp::OnCommand).
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window is gone; the object may go now.
    virtual void PostNcDestroy();
    // What the status bar shows when no prompt is shown.
    virtual std::string GetIdleText() const;

    void DockBar(CControlBar& bar, BarEdge edge);
    // The status bar, docked at the bottom, shows the prompts and the idle text.
    void DockStatusBar(CStatusBar& bar);

private:
    static LRESULT CALLBACK FrameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool IsBar(HWND hwnd) const;
    void SetIcons(UINT dpi);
    void UpdateMenuStates(HMENU menu) const;
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    bool OnBarNotify(NMHDR& header);
    void OnIdle() override;

    struct DockedBar {
        CControlBar* Bar;
        BarEdge Edge;
    };
    std::vector<DockedBar> bars_;
    CStatusBar* statusBar_ = nullptr;
    bool promptShown_ = false;
    HWND owner_ = nullptr;
    HACCEL accelerators_ = nullptr;
    UINT resourceId_ = 0;
    // The tool tip text handed to the system, kept until it asks again.
    std::wstring wideToolTip_;
};
