#pragma once
// Where a grid's cells lie: columns and rows with a 1-pixel grid line right of and below every
// cell. Rectangles are measured from the grid's first cell, inside any border the control draws.
#include <optional>
#include <vector>

#include "common/Canvas.h"
#include "common/GridNavigation.h"

namespace purimo {

constexpr int kGridLine = 1;
constexpr int kDefaultColWidth = 29;
constexpr int kDefaultRowHeight = 17;

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
    GridExtent Extent() const { return GridExtent{ColCount(), RowCount()}; }

    Rect CellRect(int col, int row) const;
    // The cell under a point, or nothing when the point lies on a grid line or beyond the cells.
    std::optional<CellPos> CellAt(int x, int y) const;

private:
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
};

} // namespace purimo
