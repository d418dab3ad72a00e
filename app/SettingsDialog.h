#pragma once
// The settings dialog: the keys of SETTING and PROCESS, read when it opens and all written
// when it is confirmed; Cancel writes nothing. It offers the replace lists beside the
// configured one and opens the replace list editor on the chosen one.
#include <string>

#include "app/SettingsDialogValues.h"
#include "framework/Dialog.h"
#include "framework/MessageMap.h"

class BregexpLibrary;
class SettingsStore;

class CSettingsDialog : public MessageMapped<CSettingsDialog, CDialog> {
public:
    // `regexLibrary` (null when it is not loaded) is handed to the replace list editor it
    // opens.
    CSettingsDialog(SettingsStore& settings, CWnd* parent, const BregexpLibrary* regexLibrary = nullptr);

    static const MessageMap<CSettingsDialog>& GetMessageMap();

    // The values as the dialog holds them: loaded at the start, taken from the controls by OK.
    const SettingsDialogValues& Values() const { return values_; }

    // Offers the replace lists of the folder of `listPath` and shows `listPath`: selected
    // when an item begins with it, otherwise as the text. Nothing at all when the folder
    // holds no list.
    void FillListCombo(const std::string& listPath);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    void OnBrowseEditor();
    void OnBrowseSound();
    void OnEditList();
    LRESULT OnListEditClosed(WPARAM listPath, LPARAM);
    // Lets the user choose a file for `member`; the other fields keep what the user entered.
    void Browse(std::string& member, const char* defaultExtension, UINT filterId);

    SettingsStore& settings_;
    SettingsDialogValues values_;
    const BregexpLibrary* regexLibrary_;
    // The replace list's box as it was last filled, which OK takes without a look.
    std::string filledList_;
};
