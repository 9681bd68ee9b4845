#include <windows.h>

#include "common/Frame.h"
#include "widgets/GdiCanvas.h"
#include "widgets/Panel.h"

namespace purimo {

void Panel::Create(HWND parent, int x, int y, int w, int h, const FontSpec& font, Color text, Color background) {
    font_ = font;
    text_ = text;
    background_ = background;
    CreateWindowOf(L"PurimoPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, parent, nullptr);
}

void Panel::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void Panel::SetFont(const FontSpec& font) {
    if (font == font_)
        return;
    font_ = font;
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool Panel::PaintContent(HDC dc, const RECT& client) {
    GdiCanvas canvas(dc, &fonts_);
    Rect r{0, 0, client.right, client.bottom};
    canvas.Fill(r, background_);
    DrawFrame(canvas, r, SystemColor(kSysBtnShadow), SystemColor(kSysBtnHighlight));
    canvas.SetFont(font_);
    canvas.SetTextColor(text_);
    canvas.WriteTextInRect(Rect{1, 1, r.right - 1, r.bottom - 1}, caption_);
    return true;
}

} // namespace purimo
