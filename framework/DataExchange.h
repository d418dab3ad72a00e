#pragma once
// Moving a dialog's member values to its controls and back in one step: check boxes as
// 0 or 1 (2 for an indeterminate one), edit boxes and combo boxes as their text.
#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(const CWnd& dialog, bool saveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    const CWnd& m_dialog;
    // true: from the controls into the members; false: the members are shown.
    const bool m_bSaveAndValidate;
};

void DDX_Check(CDataExchange& dx, int id, int& value);
void DDX_Text(CDataExchange& dx, int id, std::string& value);
