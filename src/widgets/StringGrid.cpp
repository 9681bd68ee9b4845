#include <windows.h>
#include <windowsx.h>

#include "widgets/Handles.h"
#include "widgets/StringGrid.h"

namespace purimo {

void StringGrid::Create(HWND parent, int x, int y, int w, int h, HFONT font) {
    font_ = font;
    CreateWindowOf(L"PurimoGrid", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, w, h, parent, nullptr);
}

LRESULT StringGrid::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_KEYDOWN:
        return OnKeyDown(wp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocusChange();
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    default:
        return Window::HandleMessage(msg, wp, lp);
    }
}

LRESULT StringGrid::OnLButtonDown(int x, int y) {
    SetFocus(Hwnd());
    int col = 0;
    int row = 0;
    if (layout_.CellAt(x, y, col, row) && col >= 1 && row >= 1 && col < model_.ColCount())
        Select(col, row);
    return 0;
}

LRESULT StringGrid::OnKeyDown(WPARAM key) {
    CellPos pos = model_.Current();
    switch (key) {
    case VK_LEFT:
        pos.col = pos.col > 1 ? pos.col - 1 : pos.col;
        break;
    case VK_RIGHT:
        pos.col = pos.col < model_.ColCount() - 1 ? pos.col + 1 : pos.col;
        break;
    case VK_UP:
        pos.row = pos.row > 1 ? pos.row - 1 : pos.row;
        break;
    case VK_DOWN:
        pos.row = pos.row < kGridRowCount - 1 ? pos.row + 1 : pos.row;
        break;
    case VK_HOME:
        pos.col = 1;
        break;
    case VK_END:
        pos.col = model_.ColCount() - 1;
        break;
    case VK_TAB:
        if (OnTab)
            OnTab(GetKeyState(VK_SHIFT) >= 0);
        return 0;
    default:
        return 0;
    }
    if (!(pos == model_.Current()))
        Select(pos.col, pos.row);
    return 0;
}

LRESULT StringGrid::OnFocusChange() {
    Refresh();
    return 0;
}

void StringGrid::Select(int col, int row) {
    model_.SetCurrent(CellPos{col, row});
    Refresh();
    if (OnSelectCell)
        OnSelectCell(col, row);
}

void StringGrid::SetCurrent(int col, int row) {
    model_.SetCurrent(CellPos{col, row});
    Refresh();
}

bool StringGrid::PaintContent(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    SavedDc saved(dc);
    SelectObject(dc, font_);
    layout_.SetColCount(model_.ColCount());

    // Grid lines: black between fixed cells, silver between the others.
    BrushHandle fixedLine = MakeBrush(RGB(0, 0, 0));
    BrushHandle cellLine = MakeBrush(RGB(192, 192, 192));
    for (int row = 0; row < kGridRowCount; ++row) {
        for (int col = 0; col < model_.ColCount(); ++col) {
            Rect r = layout_.CellRect(col, row);
            if (r.left >= client.right || r.top >= client.bottom)
                continue;
            bool fixed = row == 0 || col == 0;
            HBRUSH line = fixed ? fixedLine.Get() : cellLine.Get();
            RECT right{r.right, r.top, r.right + kGridLine, r.bottom + kGridLine};
            RECT below{r.left, r.bottom, r.right + kGridLine, r.bottom + kGridLine};
            FillRect(dc, &right, line);
            FillRect(dc, &below, line);

            RECT cell{r.left, r.top, r.right, r.bottom};
            SavedDc cellState(dc);
            IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
            if (OnDrawCell)
                OnDrawCell(dc, col, row, cell, fixed);
            if (fixed)
                DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
            CellPos current = model_.Current();
            if (!fixed && col == current.col && row == current.row && IsActiveControl && IsActiveControl())
                DrawFocusRect(dc, &cell);
        }
    }
    RECT border = client;
    DrawEdge(dc, &border, EDGE_SUNKEN, BF_RECT);
    return true;
}

} // namespace purimo
