#pragma once
// The two months that the helper's save loop writes in turn, and that the kill test expects to
// find whole: one definition, so that the two cannot drift apart.
#include <string>

#include "month/MonthFile.h"
#include "month/ShowMonth.h"

namespace purimo {

inline std::string SaveLoopMonthBytes(char fill, size_t memoLength) {
    MonthGrid grid;
    LayOutGridTexts(grid);
    int days = PrepareMonthColumns(grid, 2026, 4);
    for (int day = 1; day <= days; ++day) {
        grid.SetCell(day, kRowTemperature, day % 2 ? "36.5" : "36.7");
        grid.SetCell(day, kRowMemo, std::string(memoLength, fill));
    }
    return MonthFileBytes(grid);
}

} // namespace purimo
