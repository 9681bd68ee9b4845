#pragma once
// The 1-pixel frames of bevels: top and left edges in one color, right and bottom in the other;
// the top-right and bottom-left corner pixels take the right/bottom color.
#include <array>

#include "common/Canvas.h"

namespace purimo {

struct ColorRect {
    Rect rect;
    Color color = 0;
};

std::array<ColorRect, 4> FrameEdges(const Rect& r, Color topLeft, Color bottomRight);
void DrawFrame(Canvas& canvas, const Rect& r, Color topLeft, Color bottomRight);

} // namespace purimo
