#include <windows.h>

#include "widgets/Handles.h"
#include "widgets/Window.h"

namespace purimo {

Window::~Window() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateWindowOf(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int w, int h,
                            HWND parent, HMENU menu, const wchar_t* title, UINT classStyle, HCURSOR cursor) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::StaticProc;
        wc.hInstance = instance;
        wc.hCursor = cursor != nullptr ? cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, menu, instance, this);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (!Guarded([&] { result = self->HandleMessage(msg, wp, lp); }))
        return 0;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return PaintBuffered();
    case WM_PRINTCLIENT:
        return OnPrintClient(reinterpret_cast<HDC>(wp)) ? 0 : Default(msg, wp, lp);
    case WM_ERASEBKGND:
        return 1;
    default:
        return Default(msg, wp, lp);
    }
}

bool Window::OnPrintClient(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    return PaintContent(dc, client);
}

LRESULT Window::PaintBuffered() {
    PaintScope paint(hwnd_);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return 0;
    MemoryDc memory(CreateCompatibleDC(paint.Dc()));
    BitmapHandle bitmap(CreateCompatibleBitmap(paint.Dc(), client.right, client.bottom));
    SelectScope select(memory.Get(), bitmap.Get());
    PaintContent(memory.Get(), client);
    BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    return 0;
}

} // namespace purimo
