#pragma once
// The message map of a window class: which member handles which command and which message.
// A class `T` derived from MessageMapped<T, Base> declares its table in
//     static const MessageMap<T>& GetMessageMap();
// and the routing tries the table first, then the base class.
#include <windows.h>

#include <span>

template <typename T>
struct CommandRoute {
    int Id;
    int Code;  // the notification code: BN_CLICKED (0) for buttons and menu commands
    void (T::*Handler)();
};

template <typename T>
struct MessageRoute {
    UINT Message;
    LRESULT (T::*Handler)(WPARAM, LPARAM);
};

// A notification (WM_NOTIFY) from the child with the id `Id`.
template <typename T>
struct NotifyRoute {
    UINT_PTR Id;
    UINT Code;
    LRESULT (T::*Handler)(NMHDR*);
};

template <typename T>
struct MessageMap {
    std::span<const CommandRoute<T>> Commands;
    std::span<const MessageRoute<T>> Messages;
    std::span<const NotifyRoute<T>> Notifications = {};
};

template <typename T, typename Base>
class MessageMapped : public Base {
public:
    using Base::Base;

protected:
    bool OnCommand(int id, int code, HWND control) override
    {
        for (const CommandRoute<T>& route : T::GetMessageMap().Commands)
            if (route.Id == id && route.Code == code) {
                (static_cast<T*>(this)->*route.Handler)();
                return true;
            }
        return Base::OnCommand(id, code, control);
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            for (const NotifyRoute<T>& route : T::GetMessageMap().Notifications)
                if (route.Id == header->idFrom && route.Code == header->code) {
                    result = (static_cast<T*>(this)->*route.Handler)(header);
                    return true;
                }
        }
        for (const MessageRoute<T>& route : T::GetMessageMap().Messages)
            if (route.Message == message) {
                result = (static_cast<T*>(this)->*route.Handler)(wParam, lParam);
                return true;
            }
        return Base::OnMessage(message, wParam, lParam, result);
    }
};
