#pragma once
// The display scale: every window is laid out in pixels of a 96-DPI screen and drawn at the
// monitor's DPI. Edges are scaled, not sizes, so that neighbours stay flush; a size is the
// difference of its scaled edges.
#include <functional>

#include "common/Canvas.h"

namespace purimo {

constexpr int kDesignDpi = 96;

class DisplayScale {
public:
    constexpr DisplayScale() = default;
    // A DPI below 96 (or none) lays out at 96.
    explicit DisplayScale(int dpi) : dpi_(dpi < kDesignDpi ? kDesignDpi : dpi) {}

    int Dpi() const { return dpi_; }
    bool IsDesignSize() const { return dpi_ == kDesignDpi; }
    bool operator==(const DisplayScale&) const = default;

    // The edge at 96-DPI coordinate x: round(x * dpi / 96), halves away from zero.
    int Edge(int x) const;
    // The size of a span that begins at x and is w wide.
    int Size(int x, int w) const { return Edge(x + w) - Edge(x); }
    // A line 1 pixel wide stays so; thicker lines are scaled.
    int Line(int width) const { return width <= 1 ? width : Edge(width); }
    // A LOGFONT height (character height when negative), sign kept.
    int FontHeight(int height) const { return Edge(height); }
    FontSpec Font(FontSpec font) const {
        font.height = FontHeight(font.height);
        return font;
    }
    Rect Box(const Rect& r) const { return Rect{Edge(r.left), Edge(r.top), Edge(r.right), Edge(r.bottom)}; }
    // The box of x, y, w, h in 96-DPI pixels.
    Rect Box(int x, int y, int w, int h) const { return Box(Rect{x, y, x + w, y + h}); }

private:
    int dpi_ = kDesignDpi;
};

// The largest DPI from 96 to dpi at which fits holds (fits grows false as the DPI grows); 96 when it
// holds at none, since nothing is drawn smaller than its design.
int FittingDpi(int dpi, const std::function<bool(int)>& fits);

} // namespace purimo
