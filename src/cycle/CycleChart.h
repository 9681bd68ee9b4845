#pragma once
// The chart of one cycle by cycle day, as data, and its drawing on a Canvas: the same layout serves
// the cycle window and the printed report. It reads like the month chart: the same temperature
// scale, guide lines, red centre line and label fonts.
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartLayout.h"
#include "common/DisplayScale.h"
#include "cycle/Cycles.h"

namespace purimo {

constexpr Color kCoverLineColor = Rgb(0, 128, 0);
constexpr Color kLeftOutColor = Rgb(128, 128, 128);

struct CyclePoint {
    int x = 0;
    int y = 0;
    Rect marker;
    bool high = false;    // a high-phase point: a red circle; else a blue square
    bool leftOut = false; // a reading she left out: a hollow grey circle whatever its phase
};

struct CycleChartLayout {
    int width = 0;
    int height = 0;
    FontSpec leftFont;   // the temperatures and marks
    FontSpec bottomFont; // the cycle days and dates
    int centreLineWidth = 2;
    std::vector<ColorRect> bevels;
    Rect backWall;
    int dayCount = 0; // days the width is divided into: at least the cycle's
    AxisScale leftScale;
    std::vector<AxisLabel> leftLabels;
    std::vector<Segment> guides;          // across the plot at every tenth of a degree
    std::vector<Segment> dayLines;        // dotted, at the labelled days
    Segment centreLine;                   // 36.7
    std::vector<Segment> temperatureLine; // between days next to each other that both have a reading
                                          // taken into the rules
    std::vector<CyclePoint> points;
    std::optional<Segment> coverLine; // dashed, across the plot
    std::optional<AxisLabel> coverLabel;
    std::optional<Segment> shiftLine;  // dotted, just before the first higher day
    std::vector<AxisLabel> dayLabels;  // cycle days
    std::vector<AxisLabel> dateLabels; // "3/17", under the same days
    std::vector<AxisLabel> markLabels; // the event marks, without their TAB
    int plotLeft = 0;                  // the days' columns: dayCount of them across plotWidth
    int plotWidth = 1;
    // On the screen only: the selected day's column and its "M/D 36.5℃" in the plot's corner.
    std::optional<Rect> selectedBand;
    std::optional<AxisLabel> selectedLabel;
};

constexpr Color kSelectedDayColor = Rgb(255, 255, 192);

// The index of the day whose column holds x (from 0, within the cycle's days), as a click picks it.
int DayIndexAt(const CycleChartLayout& layout, int x, int cycleDays);

// Lays out the cycle over dayCount days (its own length when smaller) in a chart of the size.
// days: the diary's days in date order; those of the cycle are picked out. selected: the day (serial)
// the window marks. scale: the screen's, for fonts, gaps, markers and thick lines.
CycleChartLayout LayOutCycleChart(Canvas& canvas, const Cycle& cycle, const std::vector<DayRecord>& days, int width,
                                  int height, int dayCount = 0, std::optional<int> selected = std::nullopt,
                                  const DisplayScale& scale = {});
void DrawCycleChart(Canvas& canvas, const CycleChartLayout& layout);

} // namespace purimo
