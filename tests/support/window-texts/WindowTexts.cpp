#include "tests/support/window-texts/WindowTexts.h"

#include "tests/support/window-texts/RemoteMemory.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <map>

namespace {

// A window that keeps its thread busy longer than this counts as not answering.
constexpr UINT answerMilliseconds = 5000;
// Room for one item's text; longer item texts come back cut, which shows as well.
constexpr int itemCapacity = 4096;

bool SameName(std::wstring a, std::wstring b)
{
    auto lower = [](std::wstring& s) { std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return std::towlower(c); }); };
    lower(a);
    lower(b);
    return a == b;
}

std::wstring ProgramNameOf(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    wchar_t path[MAX_PATH * 4];
    DWORD size = static_cast<DWORD>(std::size(path));
    std::wstring name;
    if (::QueryFullProcessImageNameW(process, 0, path, &size)) {
        name.assign(path, size);
        const std::size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos)
            name.erase(0, slash + 1);
    }
    ::CloseHandle(process);
    return name;
}

struct Search {
    const ProgramChoice* Choice;
    std::map<DWORD, bool> Taken;
    std::vector<HWND> Found;
};

BOOL CALLBACK TakeWindow(HWND window, LPARAM lParam)
{
    Search& search = *reinterpret_cast<Search*>(lParam);
    if (!::IsWindowVisible(window))
        return TRUE;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    auto taken = search.Taken.find(processId);
    if (taken == search.Taken.end()) {
        const bool take = search.Choice->ProcessId ? processId == search.Choice->ProcessId
                                                   : SameName(ProgramNameOf(processId), search.Choice->ProgramName);
        taken = search.Taken.emplace(processId, take).first;
    }
    if (taken->second)
        search.Found.push_back(window);
    return TRUE;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? length : 0);
}

// Memory in a window's process: an item structure at its start, the text after it.
class RemoteItem {
public:
    RemoteItem(HWND window, std::size_t itemSize)
        : process_(OpenProcessOf(window)), itemSize_(itemSize), textOffset_((itemSize + 15) / 16 * 16),
          memory_(process_, textOffset_ + itemCapacity * sizeof(wchar_t))
    {
    }
    ~RemoteItem()
    {
        if (process_)
            ::CloseHandle(process_);
    }
    RemoteItem(const RemoteItem&) = delete;
    RemoteItem& operator=(const RemoteItem&) = delete;

    bool Valid() const { return process_ && memory_.Valid(); }
    LPARAM Item() const { return reinterpret_cast<LPARAM>(memory_.At(0)); }
    wchar_t* Text() const { return static_cast<wchar_t*>(memory_.At(textOffset_)); }
    // The item written, its text emptied.
    bool Put(const void* item)
    {
        return memory_.Write(0, item, itemSize_) && memory_.Write(textOffset_, L"", sizeof(wchar_t));
    }
    bool Take(std::wstring& text) const
    {
        text.assign(itemCapacity, L'\0');
        if (!memory_.Read(textOffset_, text.data(), text.size() * sizeof(wchar_t)))
            return false;
        text.resize(std::min(text.find(L'\0'), text.size()));
        return true;
    }

private:
    static HANDLE OpenProcessOf(HWND window)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        return ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    }

    HANDLE process_;
    std::size_t itemSize_;
    std::size_t textOffset_;
    RemoteMemory memory_;
};

// One window's texts, read by messages that may cross into the window's process. Once the
// window has not answered, it is asked nothing more.
class Reader {
public:
    Reader(HWND window, WindowTexts& into) : window_(window), class_(ClassOf(window)), into_(into) {}

    void ReadAll()
    {
        if (!ShowsImage())
            ReadOwnText();
        if (SameName(class_, L"ListBox") || SameName(class_, L"ComboLBox"))
            ReadListBox();
        else if (SameName(class_, L"ComboBox"))
            ReadComboBox();
        else if (SameName(class_, WC_LISTVIEWW))
            ReadListView();
        else if (SameName(class_, WC_HEADERW))
            ReadHeader();
        else if (SameName(class_, STATUSCLASSNAMEW))
            ReadStatusBar();
        else if (class_ == L"#32768")
            ReadMenu(reinterpret_cast<HMENU>(Send(MN_GETHMENU, 0, 0)));
        if (!(::GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD))
            ReadMenu(::GetMenu(window_));
    }

private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR result = 0;
        if (failed_)
            return 0;
        if (!::SendMessageTimeoutW(window_, message, wParam, lParam, SMTO_ABORTIFHUNG, answerMilliseconds, &result)) {
            Unread(L"no answer to message " + std::to_wstring(message));
            return 0;
        }
        return static_cast<LRESULT>(result);
    }

    void Unread(const std::wstring& what)
    {
        into_.Unread.push_back(class_ + L": " + what);
        failed_ = true;
    }

    void Add(const std::wstring& text, const wchar_t* part = L"")
    {
        if (!text.empty())
            into_.Texts.push_back({class_ + part, text});
    }

    // The text of a static control that shows an icon or a bitmap names that image's
    // resource (0xFFFF and its number): it is not shown.
    bool ShowsImage() const
    {
        const LONG_PTR type = ::GetWindowLongPtrW(window_, GWL_STYLE) & SS_TYPEMASK;
        return SameName(class_, L"Static") && (type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE);
    }

    void ReadOwnText()
    {
        const LRESULT length = Send(WM_GETTEXTLENGTH, 0, 0);
        if (length <= 0)
            return;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT got = Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        Add(text.substr(0, static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, length))));
    }

    bool HoldsStrings(LONG_PTR ownerDraw, LONG_PTR hasStrings)
    {
        const LONG_PTR style = ::GetWindowLongPtrW(window_, GWL_STYLE);
        return !(style & ownerDraw) || (style & hasStrings);
    }

    // The strings of a list box or a combo box, which the system carries across processes.
    void ReadStrings(UINT lengthMessage, UINT textMessage, LRESULT first, LRESULT end)
    {
        for (LRESULT i = first; i < end && !failed_; ++i) {
            const LRESULT length = Send(lengthMessage, i, 0);
            if (length <= 0)
                continue;
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            const LRESULT got = Send(textMessage, i, reinterpret_cast<LPARAM>(text.data()));
            Add(text.substr(0, static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, length))), L" item");
        }
    }

    void ReadListBox()
    {
        if (!HoldsStrings(LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE, LBS_HASSTRINGS))
            return;
        const LRESULT count = Send(LB_GETCOUNT, 0, 0);
        const LRESULT top = Send(LB_GETTOPINDEX, 0, 0);
        const LRESULT height = Send(LB_GETITEMHEIGHT, 0, 0);
        RECT client{};
        ::GetClientRect(window_, &client);
        if (count > 0 && top >= 0 && height > 0)
            ReadStrings(LB_GETTEXTLEN, LB_GETTEXT, top, std::min<LRESULT>(count, top + client.bottom / height + 1));
    }

    void ReadComboBox()
    {
        if (HoldsStrings(CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE, CBS_HASSTRINGS))
            ReadStrings(CB_GETLBTEXTLEN, CB_GETLBTEXT, 0, Send(CB_GETCOUNT, 0, 0));
    }

    // Item by item, through memory in the window's process: `ask` sends the message for
    // one item, given what it is to point at.
    template <typename Item, typename Ask>
    void ReadRemote(const wchar_t* part, int count, Ask ask)
    {
        RemoteItem remote(window_, sizeof(Item));
        if (!remote.Valid() && count > 0)
            Unread(L"no memory in its process for its items");
        for (int i = 0; i < count && !failed_; ++i) {
            Item item{};
            std::wstring text;
            if (!ask(item, remote, i) || failed_ || !remote.Take(text)) {
                Unread(L"item " + std::to_wstring(i) + L" could not be read");
                return;
            }
            Add(text, part);
        }
    }

    void ReadListView()
    {
        const LRESULT count = Send(LVM_GETITEMCOUNT, 0, 0);
        const LRESULT top = Send(LVM_GETTOPINDEX, 0, 0);
        const LRESULT end = std::min<LRESULT>(count, top + Send(LVM_GETCOUNTPERPAGE, 0, 0) + 1);
        const HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER, 0, 0));
        DWORD_PTR headerItems = 0;
        if (header && !::SendMessageTimeoutW(header, HDM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, answerMilliseconds, &headerItems))
            Unread(L"its header did not answer");
        const int columns = std::max(1, static_cast<int>(headerItems));
        if (top < 0 || end <= top)
            return;
        ReadRemote<LVITEMW>(L" item", static_cast<int>(end - top) * columns, [&](LVITEMW& item, RemoteItem& remote, int i) {
            item.iSubItem = i % columns;
            item.pszText = remote.Text();
            item.cchTextMax = itemCapacity;
            if (!remote.Put(&item))
                return false;
            Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(top + i / columns), remote.Item());
            return true;
        });
    }

    void ReadHeader()
    {
        ReadRemote<HDITEMW>(L" item", static_cast<int>(Send(HDM_GETITEMCOUNT, 0, 0)), [&](HDITEMW& item, RemoteItem& remote, int i) {
            item.mask = HDI_TEXT;
            item.pszText = remote.Text();
            item.cchTextMax = itemCapacity;
            if (!remote.Put(&item))
                return false;
            Send(HDM_GETITEMW, static_cast<WPARAM>(i), remote.Item());
            return true;
        });
    }

    void ReadStatusBar()
    {
        // SB_GETTEXTW takes the part and the address of the text alone.
        ReadRemote<char>(L" part", static_cast<int>(Send(SB_GETPARTS, 0, 0)), [&](char& item, RemoteItem& remote, int i) {
            if (!remote.Put(&item))
                return false;
            Send(SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.Text()));
            return true;
        });
    }

    void ReadMenu(HMENU menu)
    {
        if (!menu || failed_)
            return;
        const int count = ::GetMenuItemCount(menu);
        if (count < 0) {
            into_.Skipped.push_back(class_ + L": its menu, which Wine lets only the program's own process read");
            return;
        }
        for (int i = 0; i < count; ++i) {
            wchar_t text[512];
            const int length = ::GetMenuStringW(menu, static_cast<UINT>(i), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
            Add(std::wstring(text, std::max(length, 0)), L" menu item");
            ReadMenu(::GetSubMenu(menu, i));
        }
    }

    HWND window_;
    std::wstring class_;
    WindowTexts& into_;
    bool failed_ = false;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM lParam)
{
    if (::IsWindowVisible(child))
        Reader(child, *reinterpret_cast<WindowTexts*>(lParam)).ReadAll();
    return TRUE;
}

}  // namespace

std::vector<HWND> ProgramWindows(const ProgramChoice& choice)
{
    Search search{&choice, {}, {}};
    ::EnumWindows(TakeWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void ReadWindowTexts(HWND topLevel, WindowTexts& into)
{
    Reader(topLevel, into).ReadAll();
    ::EnumChildWindows(topLevel, ReadChild, reinterpret_cast<LPARAM>(&into));
}
