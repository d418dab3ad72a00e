#pragma once
// Moving a dialog's member values to its controls and back in one step: check boxes as
// 0 or 1 (2 for an indeterminate one), edit boxes and combo boxes as their text.
#include <string>

class CSubclassedWnd;
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
// The edit box `id` takes at most `characters` typed characters. Nothing is checked when the values
// are taken over: a longer text can only come from the program itself, and is kept.
void DDV_MaxChars(CDataExchange& dx, int id, int characters);
// The control `id` is served by `control` from the first exchange on.
void DDX_Control(CDataExchange& dx, int id, CSubclassedWnd& control);
