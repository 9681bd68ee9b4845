#include <windows.h>

#include "chart/ChartControl.h"
#include "chart/ChartRenderer.h"
#include "widgets/GdiCanvas.h"

namespace purimo {

ChartControl::ChartControl() {
    // A rebuild changes every point; one request for a paint serves them all until the next drawing.
    chart_.SetInvalidateHandler([this] {
        if (Hwnd() != nullptr && !paintRequested_) {
            InvalidateRect(Hwnd(), nullptr, FALSE);
            paintRequested_ = true;
        }
    });
}

void ChartControl::Create(HWND parent, int x, int y, int w, int h) {
    CreateWindowOf(L"PurimoChart", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, parent, nullptr);
}

void ChartControl::Redraw(HDC reference, int w, int h) {
    // The image and its DC stay from drawing to drawing, made anew only for another size: making
    // them took a third of each redraw. The drawing covers the whole image.
    if (!image_ || imageWidth_ != w || imageHeight_ != h) {
        imageDc_.Reset();
        image_ = BitmapHandle(CreateCompatibleBitmap(reference, w, h));
        imageDc_ = MemoryDc(CreateCompatibleDC(reference));
        SelectObject(imageDc_.Get(), image_.Get());
        imageWidth_ = w;
        imageHeight_ = h;
    }
    {
        GdiCanvas canvas(imageDc_.Get(), &fonts_);
        DrawChart(canvas, chart_, w, h);
    }
    chart_.MarkFresh();
    paintRequested_ = false;
    ++redraws_;
}

LRESULT ChartControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return OnPaint();
    default:
        return Window::HandleMessage(msg, wp, lp);
    }
}

LRESULT ChartControl::OnPaint() {
    // The kept image is an off-screen drawing already: it goes to the screen in one copy, without
    // a second buffer between.
    PaintScope paint(Hwnd());
    RECT client;
    GetClientRect(Hwnd(), &client);
    if (client.right > 0 && client.bottom > 0)
        PaintContent(paint.Dc(), client);
    return 0;
}

bool ChartControl::PaintContent(HDC dc, const RECT& client) {
    if (chart_.IsStale() || !image_ || imageWidth_ != client.right || imageHeight_ != client.bottom)
        Redraw(dc, client.right, client.bottom);
    BitBlt(dc, 0, 0, imageWidth_, imageHeight_, imageDc_.Get(), 0, 0, SRCCOPY);
    return true;
}

} // namespace purimo
