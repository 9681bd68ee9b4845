#pragma once
// The nested event loop of a modal window: its owner takes no input meanwhile, and gets the
// activation back when the window goes.
#include <windows.h>

#include <functional>

#include "common/DisplayScale.h"
#include "widgets/Window.h"

namespace purimo {

// Shows dialog over owner, calls shown, and handles messages while showing() holds. preview sees
// each message first; true means it was handled. A WM_QUIT ends the loop and is left for the main
// loop.
void RunModal(HWND dialog, HWND owner, const std::function<void()>& shown, const std::function<bool()>& showing,
              const std::function<bool(const MSG&)>& preview);
// Ends the modal showing's look: the owner enabled first, then the dialog hidden.
void EndModal(HWND dialog, HWND owner);

// A window shown modally over its owner on the dialog face: the About box, the memo dialog and the
// cycle window are run and ended alike. It is laid out at the scale its owner keeps, or at the
// largest below it at which a client area of clientWidth x clientHeight 96-DPI pixels fits the
// work area of the owner's monitor.
class ModalForm : public Window {
public:
    ModalForm(HWND owner, int clientWidth, int clientHeight);

    bool IsShownModally() const { return modal_; }
    // The scale the window is laid out at.
    const DisplayScale& Scale() const { return scale_; }
    bool PaintContent(HDC dc, const RECT& client) override;

protected:
    // Runs the modal loop until EndShowing or a close request: shown runs once the window stands,
    // preview sees each message first (true: handled).
    void ShowModally(const std::function<void()>& shown, const std::function<bool(const MSG&)>& preview);
    void EndShowing() { modal_ = false; }
    // Tab, Enter and Esc among the window's controls, as a dialog handles them.
    bool DialogMessage(const MSG& msg) { return IsDialogMessageW(Hwnd(), const_cast<MSG*>(&msg)) != FALSE; }
    // A close request ends the showing; the window itself stays for the next time.
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    HWND Owner() const { return owner_; }
    // Takes the scale its owner keeps now, which changes when the owner moves to a monitor of
    // another DPI; true when it changed, and a window that is kept must lay itself out anew.
    bool FollowOwnersScale();
    // Sizes the window, its top-left corner kept, so that its client area is clientWidth x
    // clientHeight 96-DPI pixels at its scale.
    void SizeClientTo(int clientWidth, int clientHeight);
    // Makes the window with a client area of the size (96-DPI pixels, scaled), centred over its
    // owner and kept on the owner's monitor, with font as the window's font.
    void CreateOverOwner(const wchar_t* className, DWORD style, int clientWidth, int clientHeight, const wchar_t* title,
                         HFONT font);
    // Sizes, places and gives fonts to the window and its children at Scale() anew: the window was
    // moved, open, to a monitor of another DPI.
    virtual void LayOutAgain() {}

private:
    // The scale wanted, or the largest below it at which the window fits the monitor's work area;
    // its frame is drawn at frameDpi.
    DisplayScale FittingScale(const DisplayScale& wanted, HMONITOR monitor, int frameDpi) const;
    DisplayScale OwnersFittingScale() const;

    HWND owner_;
    int clientWidth_;
    int clientHeight_;
    DisplayScale scale_;
    bool modal_ = false;
};

} // namespace purimo
