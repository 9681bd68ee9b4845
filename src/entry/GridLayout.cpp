#include "entry/GridLayout.h"

namespace purimo {

GridLayout::GridLayout(int colCount, int rowCount)
    : colWidths_(static_cast<size_t>(colCount), kDefaultColWidth),
      rowHeights_(static_cast<size_t>(rowCount), kDefaultRowHeight) {}

void GridLayout::SetColCount(int count) {
    colWidths_.resize(static_cast<size_t>(count), kDefaultColWidth);
}

Rect GridLayout::CellRect(int col, int row) const {
    int x = kGridBorder;
    for (int c = 0; c < col; ++c)
        x += ColWidth(c) + kGridLine;
    int y = kGridBorder;
    for (int r = 0; r < row; ++r)
        y += RowHeight(r) + kGridLine;
    return Rect{x, y, x + ColWidth(col), y + RowHeight(row)};
}

bool GridLayout::CellAt(int x, int y, int& col, int& row) const {
    int left = kGridBorder;
    col = -1;
    for (int c = 0; c < ColCount(); ++c) {
        if (x >= left && x < left + ColWidth(c)) {
            col = c;
            break;
        }
        left += ColWidth(c) + kGridLine;
    }
    int top = kGridBorder;
    row = -1;
    for (int r = 0; r < RowCount(); ++r) {
        if (y >= top && y < top + RowHeight(r)) {
            row = r;
            break;
        }
        top += RowHeight(r) + kGridLine;
    }
    return col >= 0 && row >= 0;
}

} // namespace purimo
