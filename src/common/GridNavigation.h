#pragma once
// How the user moves the current cell of a grid with one fixed row and one fixed column: which
// cell a key, the wheel or the mouse makes current, and when the move counts as a selection.
#include <optional>

namespace purimo {

struct CellPos {
    int col = 1;
    int row = 1;
    bool operator==(const CellPos&) const = default;
};

// The grid's column and row counts, fixed ones included: the cells the user can reach are
// columns 1 .. colCount - 1 and rows 1 .. rowCount - 1.
struct GridExtent {
    int colCount = 0;
    int rowCount = 0;
};

enum class NavKey { Left, Right, Up, Down, Home, End, PageUp, PageDown, Other };

// The cell a key moves to, or nothing for a key that does not move the current cell.
std::optional<CellPos> NavigationTarget(NavKey key, bool ctrl, CellPos current, GridExtent extent);

// The cell after the wheel turned by whole notches (positive: towards the user, moving down).
CellPos WheelTarget(CellPos current, int notches, GridExtent extent);

enum class MouseButton { Left, Other };

// A left-button press on a day cell makes it current, the current cell follows the pointer over
// the day cells while the button is held, and the release reports the selection.
class GridMouse {
public:
    // A press on the cell under the pointer (nothing when it lies on no cell). Returns the cell
    // that becomes current, if any; the button is then followed until its release.
    std::optional<CellPos> Press(MouseButton button, bool doubleClick, std::optional<CellPos> cell);
    // The pointer moved while the button is held: the new current cell, if it changed.
    std::optional<CellPos> Move(std::optional<CellPos> cell);
    // Whether the release reports a selection.
    bool Release();
    // The grid lost the mouse before the release: nothing is reported.
    void Cancel() { tracking_ = false; }
    bool Tracking() const { return tracking_; }

private:
    bool IsDayCell(const std::optional<CellPos>& cell) const;
    bool tracking_ = false;
    CellPos last_;
};

} // namespace purimo
