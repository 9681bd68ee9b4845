#include "month/MonthGrid.h"

namespace purimo {

MonthGrid::MonthGrid()
    : colCount_(kInitialColCount), rows_(kGridRowCount, std::vector<std::string>(kInitialColCount)) {}

void MonthGrid::SetColCount(int count) {
    colCount_ = count;
    for (auto& row : rows_)
        row.resize(static_cast<size_t>(count));
    if (current_.col > count - 1)
        current_.col = count - 1;
}

const std::string& MonthGrid::Cell(int col, int row) const {
    return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(col));
}

std::vector<std::string> MonthGrid::DayCells(int row) const {
    const auto& cells = rows_.at(static_cast<size_t>(row));
    return std::vector<std::string>(cells.begin() + 1, cells.end());
}

void MonthGrid::SetCell(int col, int row, std::string text) {
    rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(col)) = std::move(text);
}

} // namespace purimo
