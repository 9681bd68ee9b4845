#pragma once
// The grid control: one fixed row and column, no scroll bars, one current cell, a 2-pixel sunken
// border. It holds no cells of its own: what they show and which one is current is asked of
// GridCells, where they lie of the GridLayout.
#include <functional>

#include "common/Canvas.h"
#include "common/GridLayout.h"
#include "common/GridNavigation.h"
#include "widgets/GdiCanvas.h"
#include "widgets/Window.h"

namespace purimo {

class GridCells {
public:
    virtual ~GridCells() = default;
    virtual CellPos CurrentCell() const = 0;
    virtual void SetCurrentCell(CellPos cell) = 0;
    // Paints cell (col, row) in r; the canvas comes with the grid's font and text color. focused:
    // the grid holds the keyboard focus, asked of the system once for the whole paint.
    virtual void PaintCell(Canvas& canvas, int col, int row, const Rect& r, bool fixed, bool focused) = 0;
};

class StringGrid : public Window {
public:
    StringGrid(GridCells& cells, GridLayout& layout) : cells_(cells), layout_(layout) {}

    void Create(HWND parent, int x, int y, int w, int h, const FontSpec& font);
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font) {
        font_ = font;
        Refresh();
    }

    // The user made the current cell a selection with the mouse, the keyboard or the wheel.
    std::function<void()> OnSelectCell;
    // A key went down while the grid has the focus, before the grid moves the current cell:
    // (virtual key, shift, ctrl).
    std::function<void(WORD, bool, bool)> OnKey;
    // Tab or Shift+Tab pressed in the grid: move the focus on (true = forward).
    std::function<void(bool)> OnTab;
    // Whether the grid is the window's active control (focus rectangle of the current cell).
    std::function<bool()> IsActiveControl;

    // Moves the current cell without a selection.
    void SetCurrent(int col, int row);
    void Refresh() { InvalidateRect(Hwnd(), nullptr, FALSE); }
    // The sunken border's width at the display scale of the layout.
    int Border() const { return layout_.Scale().Line(kGridBorder); }
    // The cell's rectangle in the grid's client area, inside its border.
    Rect CellRect(int col, int row) const { return layout_.CellRect(col, row); }

    bool PaintContent(HDC dc, const RECT& client) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnButtonDown(MouseButton button, bool doubleClick, int x, int y);
    LRESULT OnMouseMove(int x, int y);
    LRESULT OnLButtonUp();
    LRESULT OnCaptureChanged();
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnMouseWheel(int delta);
    LRESULT OnFocusChange();
    LRESULT OnPaint();
    std::optional<CellPos> CellAtPoint(int x, int y) const;
    void MoveCurrent(CellPos cell);
    void ReportSelection();

    GridCells& cells_;
    GridLayout& layout_;
    FontSpec font_;
    FontCache fonts_;
    GridMouse mouse_;
    int wheelRest_ = 0;
    // The off-screen image of the last paint; the DC goes before the bitmap selected into it.
    BitmapHandle backImage_;
    MemoryDc backDc_;
    int backWidth_ = 0;
    int backHeight_ = 0;
};

} // namespace purimo
