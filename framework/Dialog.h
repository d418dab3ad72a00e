#pragma once
// A dialog from a dialog template of the program's resources. One window procedure serves
// every dialog: it finds the object (stored when the window is created) and calls its
// virtual handlers. Modal dialogs run in the program's own message loop.
#include <initializer_list>
#include <string>

#include "framework/DataExchange.h"
#include "framework/Window.h"

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr) : templateId_(templateId), parent_(parent) {}
    ~CDialog() override;

    // Creates the dialog with its owner disabled, shows it unless it ended during its
    // initialisation, and runs messages until it ends; the window is destroyed before this
    // returns. The result given to EndDialog, or -1 when the window cannot be created.
    INT_PTR DoModal();
    // Creates the dialog as a modeless window, hidden unless its template says otherwise;
    // centred over its owner when its initialisation did not place it, unless the caller
    // places it (`centre` false).
    bool Create(bool centre = true);
    // Ends a modal dialog with `result` once the current message is handled; destroys a
    // modeless one.
    void EndDialog(INT_PTR result);
    // true: the controls' values go into the members; false: the members are shown.
    void UpdateData(bool saveAndValidate = true);
    // Moves the focus to a control the way the dialog manager does, so that it is kept
    // when the dialog is activated again.
    void GotoDlgCtrl(HWND control) const;
    // The first of the controls `ids` whose text holds a character the program's code page
    // lacks is told, `message` followed by its text, and given the focus; true when there
    // was one.
    bool RefuseTextNotCarried(std::initializer_list<int> ids, const std::string& message) const;

    CWnd* GetParent() const { return parent_; }
    void SetParent(CWnd* parent) { parent_ = parent; }

    // The dialog's keys (Tab, the arrow keys, Enter and Esc for the default buttons).
    bool PreTranslateMessage(MSG& message) override;

protected:
    // The window exists and its controls too; true lets the system put the focus on the
    // first control. The default shows the members (UpdateData(false)).
    virtual BOOL OnInitDialog();
    // Ends the dialog with IDOK after taking over the controls.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange& dx);
    // Command and message routing; true when the message was handled here.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window is being destroyed; its controls still exist.
    virtual void OnDestroy();

private:
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A dialog its initialisation did not place is centred over its owner.
    void CenterIfUnplaced();

    UINT templateId_;
    CWnd* parent_;
    bool modal_ = false;
    bool ended_ = false;
    bool centerPending_ = false;
    INT_PTR result_ = -1;
};
