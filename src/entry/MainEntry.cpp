#include <windows.h>

#include "app/Main.h"
#include "entry/CellColours.h"
#include "widgets/GdiCanvas.h"
#include "widgets/WinText.h"

namespace purimo {

void TMainForm::gridMainDrawCell(HDC dc, int col, int row, const RECT& rect, bool fixed) {
    CellPos current = gridModel_.Current();
    CellState state{col, row, fixed, GetFocus() == gridMain_.Hwnd(), current.col == col && current.row == row};
    CellColours colours = CellColoursFor(state);
    const std::string& text = gridModel_.Cell(col, row);
    {
        GdiCanvas canvas(dc);
        Rect r{rect.left, rect.top, rect.right, rect.bottom};
        canvas.Fill(r, colours.background);
        canvas.SetTextColor(colours.text);
        if (col >= 1 && row == kRowMemo) {
            // The memo runs top to bottom instead.
            canvas.Fill(r, colours.background);
        } else {
            canvas.WriteTextInRect(r, text);
        }
    }
    if (col >= 1 && row == kRowMemo && !text.empty()) {
        SetTextColor(dc, ToColorRef(colours.text));
        DrawVerticalText(dc, text, rect);
    }
}

void TMainForm::DrawVerticalText(HDC dc, const std::string& text, const RECT& rect) {
    FontHandle font = MakeFont(L"@MS UI Gothic", 14, false, -900);
    SelectScope select(dc, font.Get());
    SIZE w{};
    GetTextExtentPoint32W(dc, L"W", 1, &w);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    std::wstring wide = Widen(text);
    int x = rect.left + (rect.right - rect.left) / 2 + w.cx;
    TextOutW(dc, x, rect.top + 5, wide.c_str(), static_cast<int>(wide.size()));
}

} // namespace purimo
