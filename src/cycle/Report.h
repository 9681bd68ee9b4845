#pragma once
// The doctor's report: one page with up to three cycles one below the other on one day scale, each
// with a line of its figures, then the statistics, the legend and the notice. The layout is data in
// page units; the printer maps them onto its own resolution.
#include <string>
#include <vector>

#include "chart/ChartLayout.h"
#include "cycle/Cycles.h"

namespace purimo {

// Page units across the printable width; the height follows the page's proportions.
constexpr int kReportWidth = 900;
constexpr int kReportCycles = 3;

struct ReportText {
    int x = 0;
    int y = 0;
    TextAlign align = TextAlign::Left;
    FontSpec font;
    std::string text;
};

struct ReportCycle {
    int index = 0; // in the analysis
    Rect chart;
    ReportText figures;
};

struct ReportLayout {
    int width = 0;
    int height = 0;
    int dayCount = 0; // one day scale for every chart
    std::vector<ReportText> texts;
    std::vector<Segment> rules;
    std::vector<ReportCycle> cycles; // oldest at the top
};

// The cycles a report shows, oldest first: the one at newest and up to two before it.
std::vector<int> ReportCycleIndexes(const CycleAnalysis& analysis, int newest);
// One line of a cycle's figures in the cycle window's words.
std::string CycleFiguresLine(const Cycle& cycle);

ReportLayout LayOutReport(Canvas& canvas, const CycleAnalysis& analysis, const std::vector<int>& indexes,
                          int printedSerial, int width, int height);
void DrawReport(Canvas& canvas, const ReportLayout& layout, const CycleAnalysis& analysis,
                const std::vector<DayRecord>& days);

} // namespace purimo
