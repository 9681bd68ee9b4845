#pragma once
// The grid steps of showing a month. The caller reads the month file between PrepareMonthColumns
// and ApplyMonthLines and rebuilds the chart after NormaliseTemperatures.
#include <string>
#include <vector>

#include "month/MonthGrid.h"

namespace purimo {

// Column 0's texts of rows 0 to 4 as the grid gets them at first show.
extern const char* const kRowLabels[kGridRowCount];

void LayOutGridTexts(MonthGrid& grid);

// Empties every day column of the month before, sizes the grid to the month's days and writes the
// day headers. Returns the number of days.
int PrepareMonthColumns(MonthGrid& grid, int year, int month);

// Fills rows 1 to 4 from the month file's lines and trims their day cells; with no line the grid
// stays as it is. Throws AppError when the file has fewer than four lines, leaving the rows read so
// far untrimmed. Lines after the fourth are ignored. Returns false when the rows do not hold all the
// text of the four lines (see CommaLineToRow).
bool ApplyMonthLines(MonthGrid& grid, int days, const std::vector<std::string>& lines);

// Rewrites every temperature with one decimal and empties those that are not numbers or lie
// outside 35.5 to 37.5.
void NormaliseTemperatures(MonthGrid& grid, int days);

// Leading and trailing bytes 0x00..0x20 removed.
std::string TrimBlanks(const std::string& text);

} // namespace purimo
