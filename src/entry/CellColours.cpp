#include "entry/CellColours.h"
#include "month/MonthGrid.h"

namespace purimo {

CellColours CellColoursFor(const CellState& cell) {
    Color fixedColour = SystemColor(kSysInactiveCaption);
    Color gridColour = SystemColor(kSysWindow);
    CellColours colours{cell.fixed ? fixedColour : gridColour, kBlack};
    if (cell.gridFocused) {
        if (cell.current && !cell.fixed)
            colours = CellColours{kYellow, kBlack};
        else
            colours.text = SystemColor(kSysWindowText);
    }
    // The event-mark row shares the legend's colour, focused or not.
    if (cell.col >= 1 && cell.row == kRowEvent)
        colours.background = kLightMagenta;
    return colours;
}

} // namespace purimo
