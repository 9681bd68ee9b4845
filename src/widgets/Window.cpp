#include <windows.h>

#include "common/Cp932Convert.h"
#include "common/Errors.h"
#include "widgets/Handles.h"
#include "widgets/Window.h"

namespace purimo {

namespace {

// The window that hwnd belongs to: a child's parent, a top-level window's owner.
HWND BelongsTo(HWND hwnd) {
    if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) != 0)
        return GetParent(hwnd);
    return GetWindow(hwnd, GW_OWNER);
}

} // namespace

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

Window* Window::FromHwnd(HWND hwnd) {
    // Only the class of our own windows keeps a Window in the window's user data.
    if (hwnd == nullptr || reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)) != &Window::StaticProc)
        return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::ReportError(const std::string& message) {
    purimo::ReportError(hwnd_ != nullptr ? BelongsTo(hwnd_) : nullptr, message);
}

void ReportError(HWND hwnd, const std::string& message) {
    for (HWND at = hwnd; at != nullptr; at = BelongsTo(at)) {
        if (Window* window = Window::FromHwnd(at)) {
            window->ReportError(message);
            return;
        }
    }
    // No form of the program stands above the window: the error is still shown, in the system's
    // own error box.
    MessageBoxW(GetActiveWindow(), Widen(ErrorBoxText(message)).c_str(), nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
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
    if (!Guarded(hwnd, [&] { result = self->HandleMessage(msg, wp, lp); }))
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

LRESULT Window::PaintDirect() {
    PaintScope paint(hwnd_);
    RECT client;
    GetClientRect(hwnd_, &client);
    PaintContent(paint.Dc(), client);
    return 0;
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
