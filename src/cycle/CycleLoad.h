#pragma once
// Reading the month files for the cycles: only reading, never writing, moving or backing up.
#include <windows.h>

#include <optional>
#include <string>

#include "cycle/CycleDays.h"
#include "cycle/Excluded.h"

namespace purimo {

// Adds every month file of the folder (with its trailing separator) to the series, but the month
// skipped (the one the grid shows). A file that cannot be read or loaded is named as unreadable.
void LoadMonthFiles(DaySeries& series, const std::wstring& folder, std::optional<YearMonth> skip);

// The readings left out, from excluded.txt in the folder: empty without the file, none when it
// cannot be read.
std::optional<ExcludedList> ReadExcludedList(const std::wstring& folder);
// Leaves the day's reading out (out) or takes it back in: the file is read again first and only that
// date changes, so that a change made on another PC stays. Written like the month files; removed
// when nothing is left in it. Returns the dates as they now stand; raises IoError.
std::vector<int> ChangeExcluded(const std::wstring& folder, int serial, bool out);

} // namespace purimo
