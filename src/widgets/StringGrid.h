#pragma once
// The month grid control: one fixed row and column, no scroll bars, one current cell. It holds
// no text of its own; the cells are the MonthGrid's, painted by the OnDrawCell callback.
#include <functional>

#include "entry/GridLayout.h"
#include "month/MonthGrid.h"
#include "widgets/Window.h"

namespace purimo {

class StringGrid : public Window {
public:
    StringGrid(MonthGrid& model, GridLayout& layout) : model_(model), layout_(layout) {}

    void Create(HWND parent, int x, int y, int w, int h, HFONT font);

    // Paints one cell: (dc, col, row, rectangle, fixed). The DC comes with the grid's font and
    // clipped to the cell.
    std::function<void(HDC, int, int, const RECT&, bool)> OnDrawCell;
    // The user made (col, row) the current cell with the mouse or the keyboard.
    std::function<void(int, int)> OnSelectCell;
    // Tab or Shift+Tab pressed in the grid: move the focus on (true = forward).
    std::function<void(bool)> OnTab;
    // Whether the grid counts as the window's active control (focus rectangle of the current cell).
    std::function<bool()> IsActiveControl;

    // Moves the current cell without a click: no OnSelectCell.
    void SetCurrent(int col, int row);
    void Refresh() { InvalidateRect(Hwnd(), nullptr, FALSE); }

    bool PaintContent(HDC dc, const RECT& client) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnLButtonDown(int x, int y);
    LRESULT OnKeyDown(WPARAM key);
    LRESULT OnFocusChange();
    void Select(int col, int row);

    MonthGrid& model_;
    GridLayout& layout_;
    HFONT font_ = nullptr;
};

} // namespace purimo
