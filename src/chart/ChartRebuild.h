#pragma once
// Refilling the chart from the month's temperatures when a month is shown, and the widths that
// follow the month's length.
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "common/DisplayScale.h"

namespace purimo {

// Both series get one point per day (X = day - 1, label the day number); the temperature series
// takes each day's temperature text (day 1 first), 0 for an empty one, the centre series 36.7. A
// text that is not a number, or a day beyond the texts, counts as a day without temperature.
void RebuildChart(Chart& chart, const std::vector<std::string>& temperatures, int dayCount);

// One day column is 30 pixels: 29 of width plus the grid line.
int ChartWidthForDays(int dayCount);

// Where the grid and the chart stand in the main window's client area, and its size, for a month
// of dayCount days at a display scale.
struct MonthArea {
    Rect grid;
    Rect chart;
    int clientWidth = 0;
    int clientHeight = 0;
};
MonthArea MonthAreaFor(int dayCount, const DisplayScale& scale);

} // namespace purimo
