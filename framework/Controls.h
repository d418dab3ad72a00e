#pragma once
// The standard controls, one message each. A wrapper is made for the moment it is used:
// CComboBox(GetDlgItem(id)).GetCount().
#include <string>

#include "framework/Window.h"

// Sends a message whose LPARAM is a text, in the window's own UTF-16.
int SendText(const CWnd& window, UINT message, WPARAM wParam, const std::string& text);

class CButton : public CWnd {
public:
    using CWnd::CWnd;
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    void Click() const { SendMessage(BM_CLICK); }
};

class CEdit : public CWnd {
public:
    using CWnd::CWnd;
    void SetSel(int start, int end) const { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    // The most characters the user can type; pasted or set texts are not cut.
    void SetLimitText(int characters) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    int GetLimitText() const { return static_cast<int>(SendMessage(EM_GETLIMITTEXT)); }
};

class CStatic : public CWnd {
public:
    using CWnd::CWnd;
};

class CComboBox : public CWnd {
public:
    using CWnd::CWnd;
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    int AddString(const std::string& text) const { return SendText(*this, CB_ADDSTRING, 0, text); }
    std::string GetLBText(int index) const;
    bool SetItemData(int index, DWORD_PTR data) const
    {
        return SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)) != CB_ERR;
    }
    DWORD_PTR GetItemData(int index) const
    {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    bool GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }
    // Selects the first item after `after` (-1: from the start) that begins with `text`,
    // in any letter case; CB_ERR, with the selection unchanged, when none does.
    int SelectString(int after, const std::string& text) const
    {
        return SendText(*this, CB_SELECTSTRING, static_cast<WPARAM>(after), text);
    }
};

class CListBox : public CWnd {
public:
    using CWnd::CWnd;
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int AddString(const std::string& text) const { return SendText(*this, LB_ADDSTRING, 0, text); }
    int DeleteString(int index) const { return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index))); }
    std::string GetText(int index) const;
    bool GetSel(int index) const { return SendMessage(LB_GETSEL, static_cast<WPARAM>(index)) > 0; }
    int SetSel(int index, bool select = true) const { return static_cast<int>(SendMessage(LB_SETSEL, select, index)); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) const { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
    int SetCaretIndex(int index) const { return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index))); }
    void SetHorizontalExtent(int width) const { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width)); }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
};
