#pragma once
#include "common/Canvas.h"

namespace purimo {

// A 1-pixel frame: top and left edges in one colour, right and bottom in the other; the
// top-right and bottom-left corner pixels take the right/bottom colour.
void DrawFrame(Canvas& canvas, const Rect& r, Color topLeft, Color bottomRight);

} // namespace purimo
