#include <windows.h>

#include <algorithm>

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

// The off-screen image of the small windows' paints (panels, buttons, the wait window), kept from
// paint to paint: making a memory DC and a bitmap anew costs time at each paint, for every panel
// and button at the start and for the clock every second. A larger window gets an image of its own
// for the paint, so that the kept one stays small.
constexpr LONG kKeptImagePixels = 400 * 100;

// The DC goes before the bitmap selected into it.
struct OffscreenImage {
    BitmapHandle bitmap;
    MemoryDc dc;
    LONG width = 0;
    LONG height = 0;
};

OffscreenImage MakeImage(HDC screen, LONG width, LONG height) {
    OffscreenImage image{BitmapHandle(CreateCompatibleBitmap(screen, width, height)), MemoryDc(CreateCompatibleDC(screen)),
                         width, height};
    SelectObject(image.dc.Get(), image.bitmap.Get());
    return image;
}

// A memory DC of at least width x height pixels for one paint: the kept image when the window is
// small, else own, made for this paint.
HDC ImageFor(HDC screen, LONG width, LONG height, OffscreenImage& own) {
    static OffscreenImage kept;
    const LONG keptWidth = std::max(kept.width, width);
    const LONG keptHeight = std::max(kept.height, height);
    if (keptWidth * keptHeight > kKeptImagePixels) {
        own = MakeImage(screen, width, height);
        return own.dc.Get();
    }
    if (!kept.dc || keptWidth != kept.width || keptHeight != kept.height) {
        kept.dc.Reset();
        kept = MakeImage(screen, keptWidth, keptHeight);
    }
    return kept.dc.Get();
}

// Whether the window has a frame, caption, menu or scroll bar around its client area.
bool HasNonClientArea(HWND hwnd) {
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

} // namespace

Window::~Window() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateWindowOf(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int w, int h,
                            HWND parent, HMENU menu, const wchar_t* title, const ClassLook& look) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = look.style;
        wc.lpfnWndProc = &Window::StaticProc;
        wc.hInstance = instance;
        wc.hCursor = look.cursor != nullptr ? look.cursor : LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = look.icon;
        wc.hIconSm = look.smallIcon;
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
    case WM_NCPAINT:
        // A window without a frame has nothing to paint outside its client area, yet the system's
        // handling gets a DC of the whole window for it, for every child at each showing of the
        // main window under Wine.
        return HasNonClientArea(hwnd_) ? Default(msg, wp, lp) : 0;
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
    OffscreenImage own;
    HDC image = ImageFor(paint.Dc(), client.right, client.bottom, own);
    // Each paint starts from the DC's first state, whatever the last window left selected in it.
    int saved = SaveDC(image);
    PaintContent(image, client);
    RestoreDC(image, saved);
    BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, image, 0, 0, SRCCOPY);
    return 0;
}

} // namespace purimo
