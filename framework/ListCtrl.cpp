#include "framework/ListCtrl.h"

#include <cstring>

#include "framework/ChildControl.h"

bool CListCtrl::Create(DWORD style, DWORD exStyle, HWND parent, int id)
{
    m_hWnd = CreateChildControl(WC_LISTVIEWA, style, exStyle, RECT{}, parent, id);
    return m_hWnd != nullptr;
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) const
{
    LVCOLUMNA description{};
    description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    description.fmt = format;
    description.cx = width;
    description.pszText = const_cast<char*>(heading.c_str());
    description.iSubItem = column;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description)));
}

int CListCtrl::InsertItem(int index, const std::string& text) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int item, int column) const
{
    std::string text(256, '\0');
    for (;;) {
        LVITEMA request{};
        request.iSubItem = column;
        request.pszText = text.data();
        request.cchTextMax = static_cast<int>(text.size());
        SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
        // The answer may count characters, not bytes; a text that fills the buffer may have
        // been cut.
        const std::size_t copied = std::strlen(text.c_str());
        if (copied + 2 < text.size()) {
            text.resize(copied);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

bool CListCtrl::SetItemText(int item, int column, const std::string& text) const
{
    LVITEMA request{};
    request.iSubItem = column;
    request.pszText = const_cast<char*>(text.c_str());
    return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)) != 0;
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) const
{
    LVITEMA request{};
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
    const int margin = static_cast<int>(::SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    return TextWidthIn(header, heading) + 2 * margin + ::GetSystemMetrics(SM_CXEDGE);
}

int CListCtrl::GetHeaderHeight() const
{
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    RECT rect{};
    if (!header || !::SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)))
        return 0;
    return rect.bottom;
}
