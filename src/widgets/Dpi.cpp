#include "widgets/Dpi.h"
#include "widgets/Handles.h"

namespace purimo {

namespace {

constexpr const wchar_t* kScaleProperty = L"PurimoDpi";

template <typename Function> Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

} // namespace

int SystemDpi() {
    WindowDc screen(nullptr);
    int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kDesignDpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window != nullptr && getDpi != nullptr) {
        UINT dpi = getDpi(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, bool menu, DWORD exStyle, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (adjust == nullptr || !adjust(&frame, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, menu ? TRUE : FALSE, exStyle);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

DisplayScale ScaleFittingMonitor(const DisplayScale& wanted, HMONITOR monitor, int clientWidth, int clientHeight,
                                 DWORD style, bool menu, int frameDpi) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (wanted.IsDesignSize() || monitor == nullptr || !GetMonitorInfoW(monitor, &info))
        return wanted;
    const LONG workWidth = info.rcWork.right - info.rcWork.left;
    const LONG workHeight = info.rcWork.bottom - info.rcWork.top;
    return DisplayScale(FittingDpi(wanted.Dpi(), [&](int dpi) {
        const DisplayScale scale(dpi);
        const SIZE outer =
            OuterSizeForClient(scale.Edge(clientWidth), scale.Edge(clientHeight), style, menu, 0, frameDpi);
        return outer.cx <= workWidth && outer.cy <= workHeight;
    }));
}

void Place(HWND window, const Rect& box) {
    SetWindowPos(window, nullptr, box.left, box.top, box.Width(), box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeepScaleWith(HWND topLevel, const DisplayScale& scale) {
    SetPropW(topLevel, kScaleProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(scale.Dpi())));
}

void ForgetScale(HWND topLevel) {
    RemovePropW(topLevel, kScaleProperty);
}

DisplayScale ScaleFor(HWND window) {
    if (window == nullptr)
        return DisplayScale(SystemDpi());
    HWND root = GetAncestor(window, GA_ROOTOWNER);
    for (HWND w : {window, root}) {
        if (w == nullptr)
            continue;
        auto kept = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(w, kScaleProperty)));
        if (kept > 0)
            return DisplayScale(kept);
    }
    return DisplayScale(WindowDpi(window));
}

} // namespace purimo
