#pragma once
// The doctor's report drawn onto a device context: the page in report units, mapped onto the
// device's own pixels, so that text and lines are drawn at its resolution, never a screen image
// stretched.
#include <windows.h>

#include <vector>

#include "cycle/Cycles.h"

namespace purimo {

void DrawReportPage(HDC dc, const DaySeries& series, const CycleAnalysis& analysis, const std::vector<int>& indexes,
                    int printedSerial);

} // namespace purimo
