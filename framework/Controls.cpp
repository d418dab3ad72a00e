#include "framework/Controls.h"

#include "platform/win32/WideText.h"

int SendText(const CWnd& window, UINT message, WPARAM wParam, const std::string& text)
{
    const std::wstring wide = platform::WideShown(text);
    return static_cast<int>(window.SendMessage(message, wParam, reinterpret_cast<LPARAM>(wide.c_str())));
}

namespace {

// An item's text through the pair of messages that give its length and its characters.
std::string ItemText(const CWnd& control, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = control.SendMessage(lengthMessage, static_cast<WPARAM>(index));
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        control.SendMessage(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return platform::NarrowShown(text);
}

}  // namespace

std::string CComboBox::GetLBText(int index) const
{
    return ItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

std::string CListBox::GetText(int index) const
{
    return ItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, index);
}
