#include "framework/DataExchange.h"

#include "framework/Controls.h"
#include "framework/SubclassedWnd.h"

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    const CButton box(dx.m_dialog.GetDlgItem(id));
    if (dx.m_bSaveAndValidate)
        value = box.GetCheck();
    else
        box.SetCheck(value);
}

void DDX_Text(CDataExchange& dx, int id, std::string& value)
{
    if (dx.m_bSaveAndValidate)
        value = dx.m_dialog.GetDlgItemText(id);
    else
        dx.m_dialog.SetDlgItemText(id, value);
}

void DDV_MaxChars(CDataExchange& dx, int id, int characters)
{
    if (!dx.m_bSaveAndValidate)
        CEdit(dx.m_dialog.GetDlgItem(id)).SetLimitText(characters);
}

void DDX_Control(CDataExchange& dx, int id, CSubclassedWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassDlgItem(id, dx.m_dialog);
}
