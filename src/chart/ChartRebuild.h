#pragma once
// Refilling the chart from the month grid when a month is shown, and the widths that follow the
// month's length.
#include "chart/Chart.h"
#include "month/MonthGrid.h"

namespace purimo {

// Both series get one point per day (X = day - 1, label the day number); the temperature series
// takes each day's temperature from row 2, 0 for an empty cell, the centre series 36.7. A cell that
// is not a number, or a day beyond the grid's columns, counts as a day without temperature.
void RebuildChart(Chart& chart, const MonthGrid& grid, int dayCount);

// One day column is 30 pixels: 29 of width plus the grid line.
int ChartWidthForDays(int dayCount);
int WindowWidthForDays(int dayCount);

} // namespace purimo
