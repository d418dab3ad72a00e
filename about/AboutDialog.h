#pragma once
// The version dialog: the product line and the legal notice from the program's own version
// information, and two links, the home page and the support address.
#include "about/HyperLinkLabel.h"
#include "framework/Dialog.h"

class CAboutDialog : public CDialog {
public:
    explicit CAboutDialog(CWnd* parent);

    CHyperLinkLabel& WebLink() { return webLink_; }
    CHyperLinkLabel& MailLink() { return mailLink_; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    // Mouse clicks on the dialog itself; the system's handling follows in every case.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CHyperLinkLabel webLink_;
    CHyperLinkLabel mailLink_;
};
