#include "common/GridLayout.h"

namespace purimo {

namespace {

// The index of the span that holds p, with a grid line after every span; -1 on a line or beyond.
int SpanAt(const std::vector<int>& sizes, int p) {
    int start = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (p >= start && p < start + sizes[i])
            return static_cast<int>(i);
        start += sizes[i] + kGridLine;
    }
    return -1;
}

int SpanStart(const std::vector<int>& sizes, int index) {
    int start = 0;
    for (int i = 0; i < index; ++i)
        start += sizes.at(static_cast<size_t>(i)) + kGridLine;
    return start;
}

} // namespace

GridLayout::GridLayout(int colCount, int rowCount)
    : colWidths_(static_cast<size_t>(colCount), kDefaultColWidth),
      rowHeights_(static_cast<size_t>(rowCount), kDefaultRowHeight) {}

void GridLayout::SetColCount(int count) {
    colWidths_.resize(static_cast<size_t>(count), kDefaultColWidth);
}

Rect GridLayout::CellRect(int col, int row) const {
    int x = SpanStart(colWidths_, col);
    int y = SpanStart(rowHeights_, row);
    return Rect{x, y, x + ColWidth(col), y + RowHeight(row)};
}

std::optional<CellPos> GridLayout::CellAt(int x, int y) const {
    int col = SpanAt(colWidths_, x);
    int row = SpanAt(rowHeights_, y);
    if (col < 0 || row < 0)
        return std::nullopt;
    return CellPos{col, row};
}

} // namespace purimo
