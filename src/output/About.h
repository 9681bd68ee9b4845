#pragma once
// The About dialog: created hidden at start-up, shown modally over the main window by the Help
// menu, hidden again when closed so that it reopens where the user left it.
#include <windows.h>

#include <string>

#include "widgets/Handles.h"
#include "widgets/Modal.h"
#include "widgets/Window.h"

namespace purimo {

class TAboutForm;

// Panel1: the double bevel, the icon and the three labels of the name and version.
class AboutPanel : public Window {
public:
    void Create(TAboutForm& form, HWND parent);
    bool PaintContent(HDC dc, const RECT& client) override;

private:
    TAboutForm* form_ = nullptr;
};

// pnlCopy: the notice lines in a lowered bevel.
class CopyPanel : public Window {
public:
    void Create(TAboutForm& form, HWND parent);
    bool PaintContent(HDC dc, const RECT& client) override;

private:
    TAboutForm* form_ = nullptr;
};

class TAboutForm : public ModalForm {
public:
    explicit TAboutForm(HWND owner);

    // Shows the dialog over its owner, which takes no input meanwhile, and returns when it is
    // closed. The version text is read anew each time.
    void ShowModal();

    // For the panels and for tests.
    const std::string& lblVersion() const { return lblVersion_; }
    HWND OKButton() const { return okButton_; }
    HWND Panel1() const { return panel1_.Hwnd(); }
    HWND pnlCopy() const { return pnlCopy_.Hwnd(); }
    HFONT AppNameFont() const { return appNameFont_.Get(); }
    HFONT VersionFont() const { return versionFont_.Get(); }
    HFONT ProductNameFont() const { return productNameFont_.Get(); }
    HFONT CopyFont() const { return copyFont_.Get(); }
    HICON ProgramIcon() const { return icon_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnCommand(UINT id);
    LRESULT OnSetCursor(HWND over, LPARAM lp);
    // Sizes the dialog, places its windows and makes its fonts and icon at its scale.
    void LayOut();
    void LayOutAgain() override { LayOut(); }

    bool placed_ = false;
    std::string lblVersion_ = "Version ";
    FontHandle formFont_;
    FontHandle appNameFont_;
    FontHandle versionFont_;
    FontHandle productNameFont_;
    FontHandle copyFont_;
    HICON icon_ = nullptr; // shared with the program, not owned
    AboutPanel panel1_;
    CopyPanel pnlCopy_;
    HWND okButton_ = nullptr;
};

} // namespace purimo
