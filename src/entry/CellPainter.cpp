#include "entry/CellPainter.h"

#include "month/MonthGrid.h"

namespace purimo {

const char* const kVerticalMemoFace = "@MS UI Gothic";

CellColors CellColorsFor(const CellState& cell) {
    Color fixedColor = SystemColor(kSysInactiveCaption);
    Color gridColor = SystemColor(kSysWindow);
    CellColors colors{cell.fixed ? fixedColor : gridColor, kBlack};
    if (cell.gridFocused) {
        if (cell.current && !cell.fixed)
            colors = CellColors{kYellow, kBlack};
        else
            colors.text = SystemColor(kSysWindowText);
    }
    // The event-mark row shares the legend's color, focused or not.
    if (cell.col >= 1 && cell.row == kRowEvent)
        colors.background = kLightMagenta;
    return colors;
}

void PaintGridCell(Canvas& canvas, const CellState& cell, const std::string& text, const Rect& r,
                   const FontSpec& gridFont, const DisplayScale& scale) {
    CellColors colors = CellColorsFor(cell);
    canvas.Fill(r, colors.background);
    canvas.SetTextColor(colors.text);
    if (cell.col >= 1 && cell.row == kRowMemo) {
        DrawVerticalText(canvas, text, r, gridFont, scale);
        return;
    }
    // A TAB is drawn as a character of the font, not expanded.
    canvas.WriteTextInRect(r, text);
}

void DrawVerticalText(Canvas& canvas, const std::string& text, const Rect& r, const FontSpec& gridFont,
                      const DisplayScale& scale) {
    if (text.empty())
        return;
    FontSpec vertical = gridFont;
    vertical.face = kVerticalMemoFace;
    vertical.height = scale.FontHeight(kVerticalMemoHeight);
    vertical.escapement = kVerticalMemoEscapement;
    canvas.SetFont(vertical);
    int w = canvas.TextWidth("W");
    canvas.WriteText(r.left + r.Width() / 2 + w, r.top + scale.Edge(kVerticalMemoTopGap), TextAlign::Left, text);
}

} // namespace purimo
