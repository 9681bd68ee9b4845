#include <windows.h>

#include "widgets/GdiCanvas.h"
#include "widgets/WinText.h"

namespace purimo {

COLORREF ToColorRef(Color color) {
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

HFONT FontCache::Get(const FontSpec& wanted) {
    for (const auto& [cached, font] : fonts_)
        if (cached == wanted)
            return font.Get();
    fonts_.emplace_back(wanted, MakeFont(Widen(wanted.face).c_str(), wanted.height, wanted.bold, wanted.escapement));
    return fonts_.back().second.Get();
}

GdiCanvas::GdiCanvas(HDC dc, FontCache* fonts) : dc_(dc), saved_(SaveDC(dc)), fonts_(fonts) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

GdiCanvas::~GdiCanvas() {
    RestoreDC(dc_, saved_);
}

void GdiCanvas::SetPen(Color color, int width, PenStyle style) {
    // A chart asks for the same pen point after point: the one selected serves again.
    if (pen_ && color == penColor_ && width == penWidth_ && style == penStyle_)
        return;
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
    if (scaledPens_) {
        LOGBRUSH brush{BS_SOLID, ToColorRef(color), 0};
        DWORD pattern = style == PenStyle::Dot ? PS_DOT : style == PenStyle::Dash ? PS_DASH : PS_SOLID;
        PenHandle pen(ExtCreatePen(PS_GEOMETRIC | pattern | PS_ENDCAP_FLAT, static_cast<DWORD>(width), &brush, 0,
                                   nullptr));
        SelectObject(dc_, pen.Get());
        pen_ = std::move(pen);
        return;
    }
    // GDI draws styled pens one pixel wide only.
    PenHandle pen = style == PenStyle::Dot    ? MakePen(ToColorRef(color), 1, PS_DOT)
                    : style == PenStyle::Dash ? MakePen(ToColorRef(color), 1, PS_DASH)
                                              : MakePen(ToColorRef(color), width, PS_SOLID);
    SelectObject(dc_, pen.Get());
    pen_ = std::move(pen);
}

void GdiCanvas::SetBrush(Color color) {
    if (brush_ && color == brushColor_)
        return;
    brushColor_ = color;
    BrushHandle brush = MakeBrush(ToColorRef(color));
    SelectObject(dc_, brush.Get());
    brush_ = std::move(brush);
}

void GdiCanvas::SetClearBrush() {
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    brush_.Reset();
}

void GdiCanvas::SetFont(const FontSpec& font) {
    if (hasFont_ && font == fontSpec_)
        return;
    if (fonts_ != nullptr) {
        SelectObject(dc_, fonts_->Get(font));
    } else {
        FontHandle handle = MakeFont(Widen(font.face).c_str(), font.height, font.bold, font.escapement);
        SelectObject(dc_, handle.Get());
        font_ = std::move(handle);
    }
    fontSpec_ = font;
    hasFont_ = true;
}

void GdiCanvas::SetTextColor(Color color) {
    ::SetTextColor(dc_, ToColorRef(color));
}

void GdiCanvas::MoveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(int x, int y) {
    ::LineTo(dc_, x, y);
}

void GdiCanvas::DrawRectangle(const Rect& r) {
    ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::DrawEllipse(const Rect& r) {
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::Fill(const Rect& r, Color color) {
    // The DC's own brush: no object to create and free for every cell and bevel edge.
    SetDCBrushColor(dc_, ToColorRef(color));
    RECT rc{r.left, r.top, r.right, r.bottom};
    FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::WriteText(int x, int y, TextAlign align, const std::string& text) {
    UINT horizontal = align == TextAlign::Center ? TA_CENTER : align == TextAlign::Right ? TA_RIGHT : TA_LEFT;
    SetTextAlign(dc_, TA_TOP | horizontal | TA_NOUPDATECP);
    std::wstring wide = Widen(text);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

void GdiCanvas::WriteTextInRect(const Rect& r, const std::string& text) {
    RECT rc{r.left, r.top, r.right, r.bottom};
    std::wstring wide = Widen(text);
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

int GdiCanvas::TextWidth(const std::string& text) {
    std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int GdiCanvas::TextHeight(const std::string& text) {
    std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cy;
}

} // namespace purimo
