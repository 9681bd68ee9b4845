#pragma once
// Two writers of one month: this window and another copy or another PC. A save reads the month file
// again, and when the file changed since the month was loaded its cells are merged with the
// window's instead of being overwritten, the loaded month being the base.
#include <string>
#include <vector>

#include "month/MonthGrid.h"

namespace purimo {

// The month's cells as loading shows them: the file's lines read into an empty month, trimmed and
// with its temperatures normalised. Throws AppError as loading does. whole, when given, tells
// whether the cells hold all the lines' text.
MonthGrid MonthGridFromLines(int year, int month, const std::vector<std::string>& lines, bool* whole = nullptr);

// Whether rows 1 to 4 of days 1 to days hold the same trimmed texts.
bool SameMonthCells(const MonthGrid& a, const MonthGrid& b, int days);

// Merges the file's cells into the window's, cell by cell over rows 1 to 4 and days 1 to days: a
// cell that only the file changed takes the file's text; every other cell keeps the window's
// (where both changed it to different texts she is looking at hers). A side changed a cell when
// its trimmed text differs from the base's. Returns the days on which both sides changed a cell to
// different texts, ascending.
std::vector<int> MergeMonthCells(MonthGrid& window, const MonthGrid& base, const MonthGrid& file, int days);

// What the user is told after such a save: the month file's name, the days and the backup's name.
std::string MergeNotice(const std::string& fileName, const std::vector<int>& days, const std::string& backupName);

} // namespace purimo
