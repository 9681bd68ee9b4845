#include <windows.h>
#include <windowsx.h>

#include "widgets/SpinEdit.h"

namespace purimo {

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;
} // namespace

void SpinArrows::Create(HWND parent, int x, int y, int w, int h) {
    CreateWindowOf(L"PurimoSpinArrows", 0, WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, L"", {0});
}

LRESULT SpinArrows::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return OnLButtonDown(GET_Y_LPARAM(lp));
    case WM_LBUTTONUP:
        return OnLButtonUp();
    case WM_CAPTURECHANGED:
        Release();
        return 0;
    case WM_TIMER:
        return OnTimer();
    default:
        return Window::HandleMessage(msg, wp, lp);
    }
}

int SpinArrows::DirectionAt(int y) const {
    RECT client;
    GetClientRect(Hwnd(), &client);
    return y < client.bottom / 2 ? 1 : -1;
}

LRESULT SpinArrows::OnLButtonDown(int y) {
    // The arrows never take the focus: the field keeps it and its text.
    pressed_ = DirectionAt(y);
    SetCapture(Hwnd());
    InvalidateRect(Hwnd(), nullptr, FALSE);
    SetTimer(Hwnd(), kRepeatTimer, kFirstRepeatMs, nullptr);
    if (OnStep)
        OnStep(pressed_);
    return 0;
}

LRESULT SpinArrows::OnLButtonUp() {
    if (GetCapture() == Hwnd())
        ReleaseCapture();
    Release();
    return 0;
}

LRESULT SpinArrows::OnTimer() {
    SetTimer(Hwnd(), kRepeatTimer, kRepeatMs, nullptr);
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Hwnd(), &p);
    RECT client;
    GetClientRect(Hwnd(), &client);
    if (pressed_ != 0 && PtInRect(&client, p) && DirectionAt(p.y) == pressed_ && OnStep)
        OnStep(pressed_);
    return 0;
}

void SpinArrows::Release() {
    KillTimer(Hwnd(), kRepeatTimer);
    if (pressed_ != 0) {
        pressed_ = 0;
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

bool SpinArrows::PaintContent(HDC dc, const RECT& client) {
    RECT up{client.left, client.top, client.right, client.top + client.bottom / 2};
    RECT down{client.left, up.bottom, client.right, client.bottom};
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | (pressed_ > 0 ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | (pressed_ < 0 ? DFCS_PUSHED : 0));
    return true;
}

void SpinEdit::Create(HWND parent, int x, int y, int w, int h, HFONT font, int maxChars, int arrowsWidth) {
    // Centred from the start as well: Wine's edit control takes no alignment change after its
    // creation, which CentreText alone would rely on.
    field_.Create(parent, x, y, w, h, font, WS_CLIPCHILDREN | ES_CENTER);
    SendMessageW(field_.Hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    RECT client;
    GetClientRect(field_.Hwnd(), &client);
    arrows_.Create(field_.Hwnd(), client.right - arrowsWidth, 0, arrowsWidth, client.bottom);
    SendMessageW(field_.Hwnd(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, arrowsWidth));
    arrows_.OnStep = [this](int delta) {
        if (OnStep)
            OnStep(delta);
    };
    field_.OnKey = [this](WPARAM key) {
        if ((key == VK_UP || key == VK_DOWN) && OnStep) {
            OnStep(key == VK_UP ? 1 : -1);
            return true;
        }
        if (key == VK_TAB && OnTab) {
            OnTab(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
        return false;
    };
}

void SpinEdit::Resize(int w, int h, HFONT font, int arrowsWidth) {
    HWND edit = field_.Hwnd();
    SetWindowPos(edit, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    RECT client;
    GetClientRect(edit, &client);
    SetWindowPos(arrows_.Hwnd(), nullptr, client.right - arrowsWidth, 0, arrowsWidth, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, arrowsWidth));
    InvalidateRect(edit, nullptr, TRUE);
}

void SpinEdit::CentreText() {
    HWND edit = field_.Hwnd();
    LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
    SetWindowLongPtrW(edit, GWL_STYLE, style | ES_CENTER);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SpinEdit::Show(bool visible) {
    field_.Show(visible);
}

void SpinEdit::MoveTo(int x, int y) {
    SetWindowPos(field_.Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SpinEdit::Notify(UINT code) {
    if (code == EN_KILLFOCUS && OnExit)
        OnExit();
}

} // namespace purimo
