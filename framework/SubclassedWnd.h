#pragma once
// A control made by a dialog template whose messages an object takes first: the object
// puts its own window procedure in front of the control's and hands on what it leaves.
#include "framework/Window.h"

class CSubclassedWnd : public CWnd {
public:
    ~CSubclassedWnd() override;

    bool SubclassDlgItem(int id, const CWnd& parent);
    bool SubclassWindow(HWND hwnd);

protected:
    // true when the message was handled here, with its result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The control's own handling of the message being handled.
    LRESULT Default();

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Unsubclass();

    struct CurrentMessage {
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
    };
    WNDPROC original_ = nullptr;
    CurrentMessage current_{};
};
