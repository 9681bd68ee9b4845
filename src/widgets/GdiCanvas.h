#pragma once
// The drawing surface over a GDI device context. Objects it creates stay selected until they
// are replaced; the DC's original state comes back when the canvas goes.
#include <windows.h>

#include <utility>
#include <vector>

#include "common/Canvas.h"
#include "widgets/Handles.h"

namespace purimo {

COLORREF ToColorRef(Color color);

// Fonts made once and kept for every later paint, so that a paint selects fonts without
// creating any.
class FontCache {
public:
    HFONT Get(const FontSpec& wanted);

private:
    std::vector<std::pair<FontSpec, FontHandle>> fonts_;
};

class GdiCanvas : public Canvas {
public:
    // With a cache, the canvas takes its fonts from it instead of making its own.
    explicit GdiCanvas(HDC dc, FontCache* fonts = nullptr);
    ~GdiCanvas() override;
    // On a device whose units are scaled up (a printer page in page units), dotted and dashed
    // lines keep their pattern at the pen's scaled width instead of turning solid.
    void SetScaledPens(bool scaled) { scaledPens_ = scaled; }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void SetPen(Color color, int width, PenStyle style) override;
    void SetBrush(Color color) override;
    void SetClearBrush() override;
    void SetFont(const FontSpec& font) override;
    void SetTextColor(Color color) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawRectangle(const Rect& r) override;
    void DrawEllipse(const Rect& r) override;
    void Fill(const Rect& r, Color color) override;
    void WriteText(int x, int y, TextAlign align, const std::string& text) override;
    void WriteTextInRect(const Rect& r, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;

    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    int saved_;
    PenHandle pen_;
    Color penColor_ = 0;
    int penWidth_ = 0;
    PenStyle penStyle_ = PenStyle::Solid;
    bool scaledPens_ = false;
    BrushHandle brush_;
    Color brushColor_ = 0;
    FontCache* fonts_;
    FontHandle font_;
    FontSpec fontSpec_;
    bool hasFont_ = false;
};

} // namespace purimo
