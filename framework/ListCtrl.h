#pragma once
// The list view control in its report view: rows of texts in columns, one message each.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Window.h"

class CListCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // A list view inside `parent` with the id `id`.
    bool Create(DWORD style, DWORD exStyle, HWND parent, int id);

    int InsertColumn(int column, const std::string& heading, int format, int width) const;
    DWORD SetExtendedStyle(DWORD style) const
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // The index the row got, or -1.
    int InsertItem(int index, const std::string& text) const;
    bool DeleteItem(int index) const { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    bool DeleteAllItems() const { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    std::string GetItemText(int item, int column) const;
    bool SetItemText(int item, int column, const std::string& text) const;

    // The next row after `start` (-1: from the first) that has all of `flags` (LVNI_...).
    int GetNextItem(int start, UINT flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    // The selected row, or -1.
    int GetSelectedItem() const { return GetNextItem(-1, LVNI_SELECTED); }
    bool SetItemState(int item, UINT state, UINT mask) const;
    UINT GetItemState(int item, UINT mask) const
    {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    // Selects the row and gives it the keyboard focus.
    bool SelectAndFocus(int item) const
    {
        return SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    bool EnsureVisible(int item, bool partialOk) const
    {
        return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk) != 0;
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    // One line up (negative) or down.
    void ScrollLines(int lines) const;
    // The row at `point` in the client area, or -1.
    int HitTest(POINT point) const;
    RECT GetItemRect(int item, int part) const;
    // The bottom of the first column header: where the rows begin.
    int GetHeaderHeight() const;
    // The narrowest column that shows `heading` whole: its width in the header's font and
    // the header's margins on both sides.
    int WidthToShowHeading(const std::string& heading) const;
    int GetColumnWidth(int column) const
    {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    // Painting suspended (false) or resumed (true).
    void SetRedraw(bool redraw) const { SendMessage(WM_SETREDRAW, redraw); }
};
