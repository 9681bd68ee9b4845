#include <windows.h>
#include <windowsx.h>

#include "widgets/PictureButton.h"

namespace purimo {

namespace {
constexpr COLORREF kTransparent = RGB(128, 128, 0);
constexpr int kPictureSize = 16;
} // namespace

void PictureButton::Create(HWND parent, int x, int y, int w, int h, int bitmapId) {
    picture_ = BitmapHandle(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    CreateWindowOf(L"PurimoPictureButton", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, parent, nullptr, L"",
                   {CS_DBLCLKS, LoadCursorW(nullptr, IDC_HAND)});
}

LRESULT PictureButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return OnLButtonDown();
    case WM_MOUSEMOVE:
        if (OnHover)
            OnHover(MSG{Hwnd(), msg, wp, lp, GetMessageTime(), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}});
        return OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_LBUTTONUP:
        return OnLButtonUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lp));
    case WM_KEYUP:
        return OnKeyUp(wp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(Hwnd(), nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    default:
        return Window::HandleMessage(msg, wp, lp);
    }
}

LRESULT PictureButton::OnLButtonDown() {
    SetFocus(Hwnd());
    SetCapture(Hwnd());
    tracking_ = true;
    pressed_ = true;
    InvalidateRect(Hwnd(), nullptr, FALSE);
    return 0;
}

LRESULT PictureButton::OnMouseMove(int x, int y) {
    if (tracking_ && pressed_ != Inside(x, y)) {
        pressed_ = !pressed_;
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    return 0;
}

LRESULT PictureButton::OnLButtonUp(int x, int y) {
    if (!tracking_)
        return 0;
    tracking_ = false;
    pressed_ = false;
    ReleaseCapture();
    InvalidateRect(Hwnd(), nullptr, FALSE);
    if (Inside(x, y) && OnClick)
        OnClick();
    return 0;
}

// Another window took the mouse (Alt+Tab, a message box): the press is over, and a later release
// over the button is no click.
LRESULT PictureButton::OnCaptureChanged(HWND newCapture) {
    if (newCapture != Hwnd() && tracking_) {
        tracking_ = false;
        pressed_ = false;
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    return 0;
}

LRESULT PictureButton::OnKeyUp(WPARAM key) {
    if (key == VK_SPACE && OnClick)
        OnClick();
    return 0;
}

void PictureButton::Click() {
    SetFocus(Hwnd());
    if (OnClick)
        OnClick();
}

bool PictureButton::Inside(int x, int y) const {
    RECT client;
    GetClientRect(Hwnd(), &client);
    return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

bool PictureButton::PaintContent(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = client;
    if (pressed_) {
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    } else {
        FrameRect(dc, &edge, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&edge, -1, -1);
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    if (picture_) {
        MemoryDc source(CreateCompatibleDC(dc));
        SelectScope select(source.Get(), picture_.Get());
        int srcX = IsWindowEnabled(Hwnd()) ? 0 : kPictureSize;
        int x = (client.right - kPictureSize) / 2 + (pressed_ ? 1 : 0);
        int y = (client.bottom - kPictureSize) / 2 + (pressed_ ? 1 : 0);
        TransparentBlt(dc, x, y, kPictureSize, kPictureSize, source.Get(), srcX, 0, kPictureSize, kPictureSize,
                       kTransparent);
    }
    return true;
}

} // namespace purimo
