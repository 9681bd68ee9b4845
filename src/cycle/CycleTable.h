#pragma once
// Every cycle in one table, newest first, with the cycle window's figures: the rows as text, and the
// same rows as tab-separated text for a spreadsheet.
#include <string>
#include <vector>

#include "cycle/Cycles.h"

namespace purimo {

constexpr int kCycleTableColumns = 12;
extern const char* const kCycleTableHeaders[kCycleTableColumns];

// One row a cycle, the newest first; each row's cycle index is given beside it.
struct CycleTableRow {
    int cycle = 0;
    std::vector<std::string> cells;
};
std::vector<CycleTableRow> CycleTableRows(const CycleAnalysis& analysis);

// The header line and the rows, tab-separated, CR LF after each line.
std::string CycleTableText(const std::vector<CycleTableRow>& rows);

} // namespace purimo
