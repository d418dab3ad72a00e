#include "tests/window/ListEditorFixture.h"

#include <algorithm>

#include "editor/ListEditClosed.h"
#include "engine/regex/BregexpLibrary.h"
#include "framework/Idle.h"
#include "framework/ListCtrl.h"
#include "framework/MessageLoop.h"
#include "resources/ResourceIds.h"

namespace {

// The file name box of the system's file dialogs.
constexpr int FileNameBox = 0x47c;

bool IsFileDialog(HWND window)
{
    return ::GetDlgItem(window, FileNameBox) != nullptr;
}

}  // namespace

EditorOwner::EditorOwner() : MessageMapped(IDD_PROGRESS)
{
}

const MessageMap<EditorOwner>& EditorOwner::GetMessageMap()
{
    static constexpr MessageRoute<EditorOwner> messages[] = {{WM_LISTEDITCLOSED, &EditorOwner::OnListEditClosed}};
    static const MessageMap<EditorOwner> map{{}, messages};
    return map;
}

LRESULT EditorOwner::OnListEditClosed(WPARAM path, LPARAM)
{
    closings.push_back({reinterpret_cast<const char*>(path), IsWindowEnabled(), ::GetActiveWindow() == m_hWnd,
                        ::FindWindowA("TarveloxFrame", nullptr) != nullptr});
    return 0;
}

void ListEditorTest::SetUp()
{
    ASSERT_TRUE(owner_.Create());
    owner_.ShowWindow(SW_SHOW);
    watcher_ = std::make_unique<ActivationWatcher>([this](HWND window) { OnActivated(window); });
}

void ListEditorTest::TearDown()
{
    if (IsOpen())
        ::DestroyWindow(editorWindow_);
    watcher_.reset();
    owner_.DestroyWindow();
    EXPECT_TRUE(AllAnswered());
}

void ListEditorTest::Open(const std::string& path, bool library)
{
    listPath_ = path;
    // One library for all editors, as the main window holds one for its life.
    static BregexpLibrary loaded;
    if (library && !loaded.IsLoaded()) {
        ASSERT_TRUE(loaded.Load());
    }
    editor_ = OpenListEditor(owner_, path, library ? &loaded : nullptr);
    ASSERT_NE(editor_, nullptr);
    editorWindow_ = editor_->m_hWnd;
}

void ListEditorTest::OpenList(const std::string& bytes, bool library)
{
    WriteBytes(folder_ / "edit.lst", bytes);
    Open(folder_ / "edit.lst", library);
}

std::string RowOf(const ListRow& row)
{
    return row.Find + "|" + row.Replace + "|" + row.Options;
}

std::vector<std::string> ListEditorTest::Rows() const
{
    std::vector<std::string> rows;
    for (const ListRow& row : editor_->Rows())
        rows.push_back(RowOf(row));
    return rows;
}

int ListEditorTest::Selected() const
{
    return editor_->ListView().GetSelectedItem();
}

void ListEditorTest::Select(int row)
{
    const CListCtrl& list = editor_->ListView();
    if (row < 0)
        list.SetItemState(-1, 0, LVIS_SELECTED);
    else
        list.SelectAndFocus(row);
}

void ListEditorTest::Command(int id)
{
    editor_->SendMessage(WM_COMMAND, static_cast<WPARAM>(id));
}

void ListEditorTest::Key(UINT key, bool control)
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    const BYTE before = state[VK_CONTROL];
    state[VK_CONTROL] = control ? 0x80 : 0;
    ::SetKeyboardState(state);
    MSG message{editor_->ListView().m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
    DispatchWithPreTranslation(message);
    state[VK_CONTROL] = before;
    ::SetKeyboardState(state);
}

void ListEditorTest::Idle()
{
    RunIdleClients();
}

void ListEditorTest::AnswerBox(int button)
{
    answers_.push_back([this, button](HWND box) {
        boxes_.push_back(ReadMessageBox(box));
        ::PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    });
}

void ListEditorTest::AnswerFile(const std::string& path)
{
    answers_.push_back([path](HWND dialog) {
        ASSERT_TRUE(IsFileDialog(dialog));
        if (path.empty()) {
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        ::SetDlgItemTextA(dialog, FileNameBox, path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}

void ListEditorTest::OnActivated(HWND window)
{
    // The program's own windows come and go; the system's boxes and dialogs are answered.
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || CWnd::FromHandlePermanent(window))
        return;
    // A dialog comes back to the front when a box it showed goes.
    if (std::find(answered_.begin(), answered_.end(), window) != answered_.end())
        return;
    answered_.push_back(window);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected window: " << ReadMessageBox(window).Text;
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageA(window, WM_COMMAND, IDNO, 0);
        return;
    }
    const auto answer = std::move(answers_.front());
    answers_.pop_front();
    answer(window);
}
