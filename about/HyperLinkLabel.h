#pragma once
// A static text of a dialog that looks and acts like a link: blue, red while it has the
// focus, orange and underlined while the pointer is over it; a focus frame; a pointing
// hand. A left click released on it, or Enter while it has the focus, opens its own text
// with the system: a text without a colon as a "mailto:" address.
#include <functional>
#include <string>

#include "framework/SubclassedWnd.h"

class CHyperLinkLabel : public CSubclassedWnd {
public:
    CHyperLinkLabel();
    ~CHyperLinkLabel() override;

    // While the pointer is over it, the label holds the mouse capture.
    enum class Look { Normal, Hot };
    Look CurrentLook() const { return look_; }
    COLORREF TextColour() const { return textColour_; }
    bool IsUnderlined() const { return font_.lfUnderline != 0; }
    bool IsPressed() const { return pressed_; }
    HCURSOR Cursor() const { return cursor_; }

    // Receives what the label opens instead of the system (tests look at it this way).
    void SetOpener(std::function<void(const std::string& target)> opener) { opener_ = std::move(opener); }

    bool PreTranslateMessage(MSG& message) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);
    void OnPaint();
    void FitToText();
    void TakeDialogFont();
    void OpenLink();
    void EnterNormalLook();
    void EnterHotLook();
    void ApplyFont();
    void DrawFrame() const;
    bool HasCapture() const { return ::GetCapture() == m_hWnd; }
    bool IsInside(POINT point) const;

    LOGFONTW font_{};
    bool fontTaken_ = false;
    bool fitted_ = false;
    bool pressed_ = false;
    HCURSOR cursor_ = nullptr;
    bool ownCursor_ = false;
    HFONT ownFont_ = nullptr;
    COLORREF textColour_ = RGB(0, 0, 255);
    HBRUSH background_ = nullptr;
    Look look_ = Look::Normal;
    std::function<void(const std::string&)> opener_;
};
