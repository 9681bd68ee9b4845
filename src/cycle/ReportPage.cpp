#include <windows.h>

#include "cycle/Report.h"
#include "cycle/ReportPage.h"
#include "output/OutputGeometry.h"
#include "widgets/GdiCanvas.h"

namespace purimo {

void DrawReportPage(HDC dc, const DaySeries& series, const CycleAnalysis& analysis, const std::vector<int>& indexes,
                    int printedSerial) {
    const int pageWidth = GetDeviceCaps(dc, HORZRES);
    const int pageHeight = GetDeviceCaps(dc, VERTRES);
    const int height = static_cast<int>(MulDivRounded(kReportWidth, pageHeight, pageWidth));
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kReportWidth, height, nullptr);
    SetViewportExtEx(dc, pageWidth, pageHeight, nullptr);
    GdiCanvas canvas(dc);
    canvas.SetScaledPens(true);
    ReportLayout layout = LayOutReport(canvas, analysis, indexes, printedSerial, kReportWidth, height);
    DrawReport(canvas, layout, analysis, series.Days());
}

} // namespace purimo
