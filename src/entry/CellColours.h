#pragma once
// How one cell of the month grid is coloured.
#include "common/Canvas.h"

namespace purimo {

struct CellColours {
    Color background;
    Color text;
};

struct CellState {
    int col = 0;
    int row = 0;
    bool fixed = false;
    bool gridFocused = false; // the grid holds the keyboard focus
    bool current = false;     // the grid's current cell
};

CellColours CellColoursFor(const CellState& cell);

} // namespace purimo
