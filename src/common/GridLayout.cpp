#include "common/GridLayout.h"

#include <utility>

namespace purimo {

namespace {

// The index of the span that holds the scaled point p, with a grid line after every span; -1 on a
// line or beyond.
int SpanAt(const std::vector<int>& sizes, const DisplayScale& scale, int p) {
    int start = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        int next = start + sizes[i] + kGridLine;
        if (p >= scale.Edge(start) && p < scale.Edge(next) - kGridLine)
            return static_cast<int>(i);
        start = next;
    }
    return -1;
}

// Where the span begins and where its grid line begins, at 96 DPI.
std::pair<int, int> SpanEdges(const std::vector<int>& sizes, int index) {
    int start = 0;
    for (int i = 0; i < index; ++i)
        start += sizes.at(static_cast<size_t>(i)) + kGridLine;
    return {start, start + sizes.at(static_cast<size_t>(index)) + kGridLine};
}

} // namespace

GridLayout::GridLayout(int colCount, int rowCount)
    : colWidths_(static_cast<size_t>(colCount), kDefaultColWidth),
      rowHeights_(static_cast<size_t>(rowCount), kDefaultRowHeight) {}

void GridLayout::SetColCount(int count) {
    colWidths_.resize(static_cast<size_t>(count), kDefaultColWidth);
}

Rect GridLayout::CellRect(int col, int row) const {
    auto [left, right] = SpanEdges(colWidths_, col);
    auto [top, bottom] = SpanEdges(rowHeights_, row);
    return Rect{scale_.Edge(left), scale_.Edge(top), scale_.Edge(right) - kGridLine, scale_.Edge(bottom) - kGridLine};
}

int GridLayout::ScaledWidth() const {
    int width = 0;
    for (int w : colWidths_)
        width += w + kGridLine;
    return scale_.Edge(width);
}

std::optional<CellPos> GridLayout::CellAt(int x, int y) const {
    int col = SpanAt(colWidths_, scale_, x);
    int row = SpanAt(rowHeights_, scale_, y);
    if (col < 0 || row < 0)
        return std::nullopt;
    return CellPos{col, row};
}

} // namespace purimo
