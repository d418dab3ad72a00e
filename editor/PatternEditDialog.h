#pragma once
// The modeless dialog through which the replace list editor adds a pattern (add mode) or
// changes the selected one (edit mode). It writes straight into the editor's list view and
// stays open for the next pattern; in edit mode it follows the editor's selection, dropping
// what was not registered. Closing only hides it.
#include "editor/PatternRows.h"
#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "lists/PatternEditRules.h"
#include "lists/PatternEntry.h"

class BregexpLibrary;

enum class PatternEditMode { Add, Edit };

class CPatternEditDialog : public MessageMapped<CPatternEditDialog, CDialog> {
public:
    CPatternEditDialog();

    static const MessageMap<CPatternEditDialog>& GetMessageMap();

    // The window, hidden, owned by `owner`, over `rows`; the regular expression boxes are
    // usable only with the library (null when it is not loaded), which also checks each
    // expression as it is registered.
    bool Create(CWnd& owner, PatternRows& rows, const BregexpLibrary* regexLibrary);
    // Prepares the dialog for `mode` and shows it. While a registration writes into the
    // list, only the button 登録 is disabled.
    void Show(PatternEditMode mode);
    // Show, with the focus in the find box (on 閉じる when nothing can be entered): the
    // dialog asked for by the user.
    void Open(PatternEditMode mode);
    bool IsAddMode() const { return addMode_ != 0; }

    const PatternEntry& Entry() const { return entry_; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    // Registers the pattern, after the selected row in add mode, and gives the find box the
    // focus for the next one.
    void OnOK() override;
    // Hides the dialog; the next Show prepares it anew.
    void OnCancel() override;

private:
    void OnUserChange();
    void OnRegularExpressionClicked();
    LRESULT OnSetFocus(WPARAM, LPARAM);

    // Tells why the entry cannot be registered as it stands (a character the program's code
    // page lacks, a TAB a line cannot hold, an expression the library does not take) and
    // puts the focus where it is; true when it cannot.
    bool RefuseEntry() const;
    void Apply(const PatternEditEnables& enables) const;
    void EnableRegister(bool enable) const;
    // The members shown in the controls; the controls' change notifications that follow
    // are not the user's.
    void ShowEntry();

    PatternEntry entry_;
    int busy_ = 0;
    int addMode_ = 0;
    PatternRows* rows_ = nullptr;
    const BregexpLibrary* regexLibrary_ = nullptr;
    bool showingEntry_ = false;
};
