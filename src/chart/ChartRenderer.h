#pragma once
// Draws the whole chart on a canvas of width x height pixels: background, bevels, back wall, the
// bottom then the left axis, the temperature line with its markers and value marks, and the centre
// line over everything.
#include "chart/Chart.h"
#include "common/Canvas.h"

namespace purimo {

void DrawChart(Canvas& canvas, const Chart& chart, int width, int height);

} // namespace purimo
