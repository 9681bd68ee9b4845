#include "common/GridNavigation.h"

#include <algorithm>

namespace purimo {

std::optional<CellPos> NavigationTarget(NavKey key, bool ctrl, CellPos current, GridExtent extent) {
    const int lastCol = extent.colCount - 1;
    const int lastRow = extent.rowCount - 1;
    CellPos next = current;
    switch (key) {
    case NavKey::Left:
        next.col = ctrl ? 1 : std::max(1, current.col - 1);
        break;
    case NavKey::Right:
        next.col = ctrl ? lastCol : std::min(lastCol, current.col + 1);
        break;
    case NavKey::Up:
    case NavKey::Down:
        // Ctrl with Up or Down scrolls a grid, and this one never scrolls.
        if (ctrl)
            return std::nullopt;
        next.row = key == NavKey::Up ? std::max(1, current.row - 1) : std::min(lastRow, current.row + 1);
        break;
    case NavKey::Home:
        next = ctrl ? CellPos{1, 1} : CellPos{1, current.row};
        break;
    case NavKey::End:
        next = ctrl ? CellPos{lastCol, lastRow} : CellPos{lastCol, current.row};
        break;
    case NavKey::PageUp:
        next.row = 1;
        break;
    case NavKey::PageDown:
        next.row = lastRow;
        break;
    case NavKey::Other:
        return std::nullopt;
    }
    return next;
}

CellPos WheelTarget(CellPos current, int notches, GridExtent extent) {
    CellPos next = current;
    next.row = std::clamp(current.row + notches, 1, std::max(1, extent.rowCount - 1));
    return next;
}

bool GridMouse::IsDayCell(const std::optional<CellPos>& cell) const {
    return cell && cell->col >= 1 && cell->row >= 1;
}

std::optional<CellPos> GridMouse::Press(MouseButton button, bool doubleClick, std::optional<CellPos> cell) {
    tracking_ = false;
    if (button != MouseButton::Left || doubleClick || !IsDayCell(cell))
        return std::nullopt;
    tracking_ = true;
    last_ = *cell;
    return cell;
}

std::optional<CellPos> GridMouse::Move(std::optional<CellPos> cell) {
    if (!tracking_ || !IsDayCell(cell) || *cell == last_)
        return std::nullopt;
    last_ = *cell;
    return cell;
}

bool GridMouse::Release() {
    bool report = tracking_;
    tracking_ = false;
    return report;
}

} // namespace purimo
