#pragma once
// A replace list editor on real files, opened over an owner dialog of the test's thread
// that notes what the editor tells it when it closes. Message boxes and file dialogs are
// answered from inside, as they come up.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/ListEditWnd.h"
#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "tests/support/TestFiles.h"
#include "tests/window/WindowDriver.h"

class EditorOwner : public MessageMapped<EditorOwner, CDialog> {
public:
    EditorOwner();
    static const MessageMap<EditorOwner>& GetMessageMap();

    // What the owner saw when the editor told it that it closed.
    struct Closing {
        std::string Path;
        bool Enabled;
        bool Active;
        bool EditorAlive;
    };
    std::vector<Closing> closings;

private:
    LRESULT OnListEditClosed(WPARAM path, LPARAM);
};

class ListEditorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens an editor on `path`; the file need not exist.
    void Open(const std::string& path, bool library = true);
    // Opens an editor on a list file in the test's folder holding `bytes`.
    void OpenList(const std::string& bytes, bool library = true);
    bool IsOpen() const { return ::IsWindow(editorWindow_); }
    CListEditWnd& Editor() { return *editor_; }
    HWND EditorWindow() const { return editorWindow_; }
    CPatternEditDialog& PatternDialog() { return editor_->PatternDialog(); }
    HWND Pattern() { return PatternDialog().m_hWnd; }

    // The rows as "find|replace|options".
    std::vector<std::string> Rows() const;
    int Selected() const;
    void Select(int row);
    // A command as the menu gives it; it goes through the enable rule.
    void Command(int id);
    // A key pressed in the list, through the program's pre-translation (its accelerators).
    void Key(UINT key, bool control = false);
    // Idle time as the program's loop gives it.
    void Idle();

    // The answers, in order, to the message boxes and file dialogs coming up from now on:
    // a button of a message box (its text is kept), a file chosen in a file dialog ("" cancels).
    void AnswerBox(int button);
    void AnswerFile(const std::string& path);
    // Every answer was used.
    bool AllAnswered() const { return answers_.empty(); }
    std::vector<MessageBoxText> boxes_;

    TempFolder folder_;
    EditorOwner owner_;
    std::string listPath_;

private:
    void OnActivated(HWND window);

    CListEditWnd* editor_ = nullptr;
    HWND editorWindow_ = nullptr;
    std::deque<std::function<void(HWND)>> answers_;
    std::vector<HWND> answered_;
    std::unique_ptr<ActivationWatcher> watcher_;
};

// A row as Rows() writes it.
std::string RowOf(const ListRow& row);
