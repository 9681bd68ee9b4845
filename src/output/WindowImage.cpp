#include <windows.h>

#include "common/Errors.h"
#include "output/WindowImage.h"

namespace purimo {

namespace {

// Draws window at origin (its client area's top-left for the window captured, its outer top-left
// for a child, whose frame is part of the picture), then its visible children back to front.
void DrawWindowAt(HWND window, HDC dc, POINT origin, bool withFrame) {
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    RECT outer;
    GetWindowRect(window, &outer);
    POINT clientAt =
        withFrame ? POINT{origin.x + clientOrigin.x - outer.left, origin.y + clientOrigin.y - outer.top} : origin;
    RECT client;
    GetClientRect(window, &client);
    if (withFrame && (clientAt.x != origin.x || clientAt.y != origin.y)) {
        // A control with a frame of its own (the cycle-day field's sunken edge): under Wine its
        // WM_PRINT draws no frame and puts the client area at the frame's corner, so the frame is
        // drawn here and the client area printed at its own place.
        SavedDc saved(dc);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        RECT frame{0, 0, outer.right - outer.left, outer.bottom - outer.top};
        if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0)
            DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
        else
            FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    {
        SavedDc saved(dc);
        SetViewportOrgEx(dc, clientAt.x, clientAt.y, nullptr);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        // Our own windows paint their client area through WM_PRINTCLIENT; the system's controls
        // draw theirs through WM_PRINT.
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    }
    HWND child = GetWindow(window, GW_CHILD);
    if (child == nullptr)
        return;
    for (HWND back = GetWindow(child, GW_HWNDLAST); back != nullptr; back = GetWindow(back, GW_HWNDPREV)) {
        if (!IsWindowVisible(back))
            continue;
        RECT r;
        GetWindowRect(back, &r);
        DrawWindowAt(back, dc, POINT{clientAt.x + r.left - clientOrigin.x, clientAt.y + r.top - clientOrigin.y}, true);
    }
}

} // namespace

void DrawWindowInto(HWND window, HDC dc, POINT origin) {
    DrawWindowAt(window, dc, origin, false);
}

BitmapHandle CaptureWindowImage(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    WindowDc screen(nullptr);
    BitmapHandle image(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!image)
        throw AppError("ウィンドウの画像を作成できません");
    MemoryDc memory(CreateCompatibleDC(screen.Get()));
    SelectScope select(memory.Get(), image.Get());
    FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_INACTIVECAPTION));
    DrawWindowInto(window, memory.Get(), POINT{0, 0});
    return image;
}

} // namespace purimo
