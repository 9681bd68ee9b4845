#include "entry/CellPainter.h"

#include "month/MonthGrid.h"

namespace purimo {

const char* const kVerticalMemoFace = "@MS UI Gothic";

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

void PaintGridCell(Canvas& canvas, const CellState& cell, const std::string& text, const Rect& r,
                   const FontSpec& gridFont) {
    CellColours colours = CellColoursFor(cell);
    canvas.Fill(r, colours.background);
    canvas.SetTextColor(colours.text);
    if (cell.col >= 1 && cell.row == kRowMemo) {
        DrawVerticalText(canvas, text, r, gridFont);
        return;
    }
    // A TAB is drawn as a character of the font, not expanded.
    canvas.WriteTextInRect(r, text);
}

void DrawVerticalText(Canvas& canvas, const std::string& text, const Rect& r, const FontSpec& gridFont) {
    if (text.empty())
        return;
    FontSpec vertical = gridFont;
    vertical.face = kVerticalMemoFace;
    vertical.height = kVerticalMemoHeight;
    vertical.escapement = kVerticalMemoEscapement;
    canvas.SetFont(vertical);
    int w = canvas.TextWidth("W");
    canvas.WriteText(r.left + r.Width() / 2 + w, r.top + kVerticalMemoTopGap, TextAlign::Left, text);
}

} // namespace purimo
