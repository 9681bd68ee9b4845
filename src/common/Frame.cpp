#include "common/Frame.h"

namespace purimo {

std::array<ColorRect, 4> FrameEdges(const Rect& r, Color topLeft, Color bottomRight) {
    return {ColorRect{{r.left, r.top, r.right - 1, r.top + 1}, topLeft},
            ColorRect{{r.left, r.top + 1, r.left + 1, r.bottom - 1}, topLeft},
            ColorRect{{r.right - 1, r.top, r.right, r.bottom}, bottomRight},
            ColorRect{{r.left, r.bottom - 1, r.right - 1, r.bottom}, bottomRight}};
}

void DrawFrame(Canvas& canvas, const Rect& r, Color topLeft, Color bottomRight) {
    for (const ColorRect& edge : FrameEdges(r, topLeft, bottomRight))
        canvas.Fill(edge.rect, edge.color);
}

} // namespace purimo
