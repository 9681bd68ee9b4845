#pragma once
// Where the month grid's cells lie inside the grid control: a 2-pixel sunken border, then the
// columns and rows with a 1-pixel grid line right of and below every cell.
#include <vector>

#include "common/Canvas.h"

namespace purimo {

constexpr int kGridBorder = 2;
constexpr int kGridLine = 1;
constexpr int kDefaultColWidth = 29;
constexpr int kDefaultRowHeight = 17;
constexpr int kLabelColWidth = 50;
constexpr int kMemoRowHeight = 165;

class GridLayout {
public:
    GridLayout(int colCount, int rowCount);

    int ColCount() const { return static_cast<int>(colWidths_.size()); }
    int RowCount() const { return static_cast<int>(rowHeights_.size()); }
    // New columns take the default width; existing ones keep theirs.
    void SetColCount(int count);
    void SetColWidth(int col, int width) { colWidths_.at(static_cast<size_t>(col)) = width; }
    void SetRowHeight(int row, int height) { rowHeights_.at(static_cast<size_t>(row)) = height; }
    int ColWidth(int col) const { return colWidths_.at(static_cast<size_t>(col)); }
    int RowHeight(int row) const { return rowHeights_.at(static_cast<size_t>(row)); }

    Rect CellRect(int col, int row) const;
    // The cell under a point, or false when the point lies on a border, a grid line or beyond.
    bool CellAt(int x, int y, int& col, int& row) const;

private:
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
};

} // namespace purimo
