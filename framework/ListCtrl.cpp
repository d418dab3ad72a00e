#include "framework/ListCtrl.h"

#include <cwchar>

#include "framework/ChildControl.h"
#include "platform/win32/WideText.h"

bool CListCtrl::Create(DWORD style, DWORD exStyle, HWND parent, int id)
{
    m_hWnd = CreateChildControl(WC_LISTVIEWW, style, exStyle, RECT{}, parent, id);
    return m_hWnd != nullptr;
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) const
{
    std::wstring wide = platform::WideShown(heading);
    LVCOLUMNW description{};
    description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    description.fmt = format;
    description.cx = width;
    description.pszText = wide.data();
    description.iSubItem = column;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description)));
}

int CListCtrl::InsertItem(int index, const std::string& text) const
{
    std::wstring wide = platform::WideShown(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = wide.data();
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int item, int column) const
{
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = text.data();
        request.cchTextMax = static_cast<int>(text.size());
        SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
        // A text that fills the buffer may have been cut.
        const std::size_t copied = std::wcslen(text.c_str());
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return platform::NarrowShown(text);
        }
        text.resize(text.size() * 2);
    }
}

bool CListCtrl::SetItemText(int item, int column, const std::string& text) const
{
    std::wstring wide = platform::WideShown(text);
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = wide.data();
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)) != 0;
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) const
{
    LVITEMW request{};
    request.state = state;
    request.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)) != 0;
}

void CListCtrl::ScrollLines(int lines) const
{
    for (; lines < 0; ++lines)
        SendMessage(WM_VSCROLL, SB_LINEUP);
    for (; lines > 0; --lines)
        SendMessage(WM_VSCROLL, SB_LINEDOWN);
}

int CListCtrl::HitTest(POINT point) const
{
    LVHITTESTINFO test{};
    test.pt = point;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&test)));
}

RECT CListCtrl::GetItemRect(int item, int part) const
{
    RECT rect{};
    rect.left = part;
    SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int CListCtrl::WidthToShowHeading(const std::string& heading) const
{
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!header)
        return 0;
    // The header keeps this margin on each side of a heading, and draws the divider
    // between two columns inside the left one.
    const int margin = static_cast<int>(::SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
    return TextWidthIn(header, heading) + 2 * margin + ::GetSystemMetrics(SM_CXEDGE);
}

int CListCtrl::GetHeaderHeight() const
{
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    RECT rect{};
    if (!header || !::SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)))
        return 0;
    return rect.bottom;
}
