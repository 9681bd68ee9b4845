#pragma once
// Where a grid's cells lie: columns and rows with a 1-pixel grid line right of and below every
// cell. Rectangles are measured from the grid's first cell, inside any border the control draws.
// Widths and heights are set in 96-DPI pixels; the rectangles come at the display scale, with the
// cells' edges scaled and the grid lines kept 1 pixel wide.
#include <optional>
#include <vector>

#include "common/Canvas.h"
#include "common/DisplayScale.h"
#include "common/GridNavigation.h"

namespace purimo {

constexpr int kGridLine = 1;
// The grid control's sunken border at 96 DPI.
constexpr int kGridBorder = 2;
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
    void SetScale(const DisplayScale& scale) { scale_ = scale; }
    const DisplayScale& Scale() const { return scale_; }
    // The width of every column with its grid line, at the display scale.
    int ScaledWidth() const;

    Rect CellRect(int col, int row) const;
    // The cell under a point, or nothing when the point lies on a grid line or beyond the cells.
    std::optional<CellPos> CellAt(int x, int y) const;

private:
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    DisplayScale scale_;
};

} // namespace purimo
