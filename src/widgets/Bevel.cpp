#include "widgets/Bevel.h"

namespace purimo {

void DrawFrame(Canvas& canvas, const Rect& r, Color topLeft, Color bottomRight) {
    canvas.Fill(Rect{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    canvas.Fill(Rect{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    canvas.Fill(Rect{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    canvas.Fill(Rect{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

} // namespace purimo
