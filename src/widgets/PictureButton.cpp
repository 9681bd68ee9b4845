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
            OnHover(
                MSG{Hwnd(), msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}});
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

void PictureButton::SetScale(const DisplayScale& scale) {
    if (scale == scale_)
        return;
    scale_ = scale;
    onFaceColor_ = CLR_INVALID;
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool PictureButton::Inside(int x, int y) const {
    RECT client;
    GetClientRect(Hwnd(), &client);
    return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

HDC PictureButton::PictureOnFace() {
    if (!picture_)
        return nullptr;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (onFaceDc_ && face == onFaceColor_)
        return onFaceDc_.Get();
    BITMAP size{};
    GetObjectW(picture_.Get(), sizeof(size), &size);
    // Made like the screen, whatever DC the button is drawn on (the screen, a window image).
    WindowDc screen(nullptr);
    onFaceDc_.Reset();
    onFace_ = BitmapHandle(CreateCompatibleBitmap(screen.Get(), size.bmWidth, size.bmHeight));
    onFaceDc_ = MemoryDc(CreateCompatibleDC(screen.Get()));
    SelectObject(onFaceDc_.Get(), onFace_.Get());
    RECT all{0, 0, size.bmWidth, size.bmHeight};
    FillRect(onFaceDc_.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    MemoryDc source(CreateCompatibleDC(screen.Get()));
    SelectScope select(source.Get(), picture_.Get());
    TransparentBlt(onFaceDc_.Get(), 0, 0, size.bmWidth, size.bmHeight, source.Get(), 0, 0, size.bmWidth, size.bmHeight,
                   kTransparent);
    if (!scale_.IsDesignSize()) {
        // Whole factors repeat pixels; others blend neighbours, which now are face and picture only.
        const int w = 2 * scale_.Edge(kPictureSize);
        const int h = scale_.Edge(kPictureSize);
        BitmapHandle scaled(CreateCompatibleBitmap(screen.Get(), w, h));
        MemoryDc scaledDc(CreateCompatibleDC(screen.Get()));
        SelectObject(scaledDc.Get(), scaled.Get());
        const bool whole = scale_.Dpi() % kDesignDpi == 0;
        SetStretchBltMode(scaledDc.Get(), whole ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(scaledDc.Get(), 0, 0, nullptr);
        StretchBlt(scaledDc.Get(), 0, 0, w, h, onFaceDc_.Get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        onFaceDc_ = std::move(scaledDc);
        onFace_ = std::move(scaled);
    }
    onFaceColor_ = face;
    return onFaceDc_.Get();
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
    if (HDC picture = PictureOnFace()) {
        const int side = scale_.Edge(kPictureSize);
        const int shift = pressed_ ? scale_.Edge(1) : 0;
        int srcX = IsWindowEnabled(Hwnd()) ? 0 : side;
        int x = (client.right - side) / 2 + shift;
        int y = (client.bottom - side) / 2 + shift;
        BitBlt(dc, x, y, side, side, picture, srcX, 0, SRCCOPY);
    }
    return true;
}

} // namespace purimo
