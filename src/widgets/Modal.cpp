#include <windows.h>

#include <algorithm>

#include "widgets/Dpi.h"
#include "widgets/MessageLoop.h"
#include "widgets/Modal.h"

namespace purimo {

void RunModal(HWND dialog, HWND owner, const std::function<void()>& shown, const std::function<bool()>& showing,
              const std::function<bool(const MSG&)>& preview) {
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    if (shown)
        shown();
    MSG msg;
    while (showing()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the main loop gets the word too.
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (preview && preview(msg))
            continue;
        DispatchThroughPreview(msg);
    }
    EndModal(dialog, owner);
}

void EndModal(HWND dialog, HWND owner) {
    // The owner comes back first, so that it, and not another program, becomes active again.
    if (owner != nullptr)
        EnableWindow(owner, TRUE);
    if (dialog != nullptr && IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_HIDE);
        if (owner != nullptr)
            SetActiveWindow(owner);
    }
}

ModalForm::ModalForm(HWND owner, int clientWidth, int clientHeight)
    : owner_(owner), clientWidth_(clientWidth), clientHeight_(clientHeight), scale_(OwnersFittingScale()) {}

// The owner's scale is fitted to the owner's size; a taller window such as the cycle window may need
// a smaller one to show its buttons.
DisplayScale ModalForm::OwnersFittingScale() const {
    return FittingScale(ScaleFor(owner_), MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), WindowDpi(owner_));
}

DisplayScale ModalForm::FittingScale(const DisplayScale& wanted, HMONITOR monitor, int frameDpi) const {
    return ScaleFittingMonitor(wanted, monitor, clientWidth_, clientHeight_, WS_CAPTION | WS_SYSMENU, false, frameDpi);
}

bool ModalForm::PaintContent(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

void ModalForm::ShowModally(const std::function<void()>& shown, const std::function<bool(const MSG&)>& preview) {
    modal_ = true;
    RunModal(
        Hwnd(), owner_, shown, [this] { return modal_; }, preview);
    modal_ = false;
}

bool ModalForm::FollowOwnersScale() {
    const DisplayScale now = OwnersFittingScale();
    if (now == scale_)
        return false;
    scale_ = now;
    return true;
}

// The frame is the system's, drawn at the DPI of the monitor the window stands on, which may exceed
// the scale of the content when the main window had to shrink its own to fit the screen.
void ModalForm::SizeClientTo(int clientWidth, int clientHeight) {
    const SIZE outer = OuterSizeForClient(
        scale_.Edge(clientWidth), scale_.Edge(clientHeight), static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE)),
        false, static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE)), WindowDpi(Hwnd()));
    SetWindowPos(Hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalForm::CreateOverOwner(const wchar_t* className, DWORD style, int clientWidth, int clientHeight,
                                const wchar_t* title, HFONT font) {
    // Made over its owner, the window stands on the owner's monitor.
    const SIZE outer =
        OuterSizeForClient(scale_.Edge(clientWidth), scale_.Edge(clientHeight), style, false, 0, WindowDpi(owner_));
    const int width = outer.cx;
    const int height = outer.cy;
    RECT over{};
    GetWindowRect(owner_, &over);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    const int x =
        std::max<int>(work.left, std::min<int>(over.left + (over.right - over.left - width) / 2, work.right - width));
    const int y =
        std::max<int>(work.top, std::min<int>(over.top + (over.bottom - over.top - height) / 2, work.bottom - height));
    CreateWindowOf(className, 0, style, x, y, width, height, owner_, nullptr, title);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT ModalForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        modal_ = false;
        return 0;
    }
    if (msg == WM_DPICHANGED) {
        const RECT* suggested = reinterpret_cast<const RECT*>(lp);
        const int dpi = LOWORD(wp);
        SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const DisplayScale scale =
            FittingScale(DisplayScale(dpi), MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST), dpi);
        if (scale != scale_) {
            scale_ = scale;
            Guarded(Hwnd(), [this] { LayOutAgain(); });
        }
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

} // namespace purimo
