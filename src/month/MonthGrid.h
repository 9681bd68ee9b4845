#pragma once
// The month grid: the only in-memory store of the shown month. Row 0 holds the day headers,
// rows 1 to 4 cycle day, temperature, event mark and memo; column 0 the row labels, columns 1 to N
// the days. Cells are code page 932 bytes.
#include <string>
#include <vector>

#include "common/GridNavigation.h"

namespace purimo {

constexpr int kGridRowCount = 5;
constexpr int kRowHeader = 0;
constexpr int kRowCycleDay = 1;
constexpr int kRowTemperature = 2;
constexpr int kRowEvent = 3;
constexpr int kRowMemo = 4;
constexpr int kInitialColCount = 32;
// The label column and the memo row as the grid is laid out at first show.
constexpr int kLabelColWidth = 50;
constexpr int kMemoRowHeight = 165;

class MonthGrid {
public:
    MonthGrid();

    int ColCount() const { return colCount_; }
    // Cells beyond the new count are dropped; new cells are empty. A current cell beyond the new
    // last column moves to the last column of its row.
    void SetColCount(int count);

    const std::string& Cell(int col, int row) const;
    // The day cells of a row, day 1 first.
    std::vector<std::string> DayCells(int row) const;
    void SetCell(int col, int row, std::string text);

    CellPos Current() const { return current_; }
    void SetCurrent(CellPos pos) { current_ = pos; }

private:
    int colCount_;
    std::vector<std::vector<std::string>> rows_; // rows_[row][col]
    CellPos current_;
};

} // namespace purimo
