#pragma once
// Reading the month files for the cycles: only reading, never writing, moving or backing up.
#include <windows.h>

#include <optional>
#include <string>

#include "cycle/CycleDays.h"

namespace purimo {

// Adds every month file of the folder (with its trailing separator) to the series, but the month
// skipped (the one the grid shows). A file that cannot be read or loaded is named as unreadable.
void LoadMonthFiles(DaySeries& series, const std::wstring& folder, std::optional<YearMonth> skip);

} // namespace purimo
