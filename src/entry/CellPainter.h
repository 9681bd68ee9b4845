#pragma once
// How one cell of the month grid is painted: its colors, its text on one line, and the memo
// written top to bottom.
#include <string>

#include "common/Canvas.h"
#include "common/DisplayScale.h"

namespace purimo {

struct CellColors {
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

// The memo's vertical face: "@" selects the face's vertical-writing form.
extern const char* const kVerticalMemoFace;
constexpr int kVerticalMemoHeight = 14; // cell height, a positive font height
constexpr int kVerticalMemoEscapement = -900;
constexpr int kVerticalMemoTopGap = 5;

CellColors CellColorsFor(const CellState& cell);

// Paints cell r. The canvas comes with the grid's font, which the memo's font is made from.
void PaintGridCell(Canvas& canvas, const CellState& cell, const std::string& text, const Rect& r,
                   const FontSpec& gridFont, const DisplayScale& scale = DisplayScale());

// Writes text downward from 5 pixels below r's top, its glyphs left of the middle of r plus the
// width of "W"; not clipped to r.
void DrawVerticalText(Canvas& canvas, const std::string& text, const Rect& r, const FontSpec& gridFont,
                      const DisplayScale& scale = DisplayScale());

} // namespace purimo
