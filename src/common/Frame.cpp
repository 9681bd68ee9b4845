#include "common/Frame.h"

namespace purimo {

std::array<ColourRect, 4> FrameEdges(const Rect& r, Color topLeft, Color bottomRight) {
    return {ColourRect{{r.left, r.top, r.right - 1, r.top + 1}, topLeft},
            ColourRect{{r.left, r.top + 1, r.left + 1, r.bottom - 1}, topLeft},
            ColourRect{{r.right - 1, r.top, r.right, r.bottom}, bottomRight},
            ColourRect{{r.left, r.bottom - 1, r.right - 1, r.bottom}, bottomRight}};
}

void DrawFrame(Canvas& canvas, const Rect& r, Color topLeft, Color bottomRight) {
    for (const ColourRect& edge : FrameEdges(r, topLeft, bottomRight))
        canvas.Fill(edge.rect, edge.colour);
}

} // namespace purimo
