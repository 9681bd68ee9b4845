#include <windows.h>
#include <windowsx.h>

#include "common/Frame.h"
#include "widgets/Handles.h"
#include "widgets/StringGrid.h"

namespace purimo {

namespace {

NavKey NavKeyOf(WPARAM key) {
    switch (key) {
    case VK_LEFT:
        return NavKey::Left;
    case VK_RIGHT:
        return NavKey::Right;
    case VK_UP:
        return NavKey::Up;
    case VK_DOWN:
        return NavKey::Down;
    case VK_HOME:
        return NavKey::Home;
    case VK_END:
        return NavKey::End;
    case VK_PRIOR:
        return NavKey::PageUp;
    case VK_NEXT:
        return NavKey::PageDown;
    default:
        return NavKey::Other;
    }
}

} // namespace

void StringGrid::Create(HWND parent, int x, int y, int w, int h, const FontSpec& font) {
    font_ = font;
    CreateWindowOf(L"PurimoGrid", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, x, y, w, h, parent, nullptr);
}

LRESULT StringGrid::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        return OnButtonDown(MouseButton::Left, false, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_LBUTTONDBLCLK:
        return OnButtonDown(MouseButton::Left, true, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return OnButtonDown(MouseButton::Other, false, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_MOUSEMOVE:
        return OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
    case WM_LBUTTONUP:
        return OnLButtonUp();
    case WM_CAPTURECHANGED:
        return OnCaptureChanged();
    case WM_KEYDOWN:
        return OnKeyDown(wp);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocusChange();
    case WM_PAINT:
        return OnPaint();
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    default:
        return Window::HandleMessage(msg, wp, lp);
    }
}

std::optional<CellPos> StringGrid::CellAtPoint(int x, int y) const {
    const int border = Border();
    std::optional<CellPos> cell = layout_.CellAt(x - border, y - border);
    if (!cell)
        return std::nullopt;
    RECT client;
    GetClientRect(Hwnd(), &client);
    // A cell cut off by the border's far side is not under the pointer there.
    if (x >= client.right - border || y >= client.bottom - border)
        return std::nullopt;
    return cell;
}

LRESULT StringGrid::OnButtonDown(MouseButton button, bool doubleClick, int x, int y) {
    // The focus comes first, so that an open editor is written into the cell it was opened for
    // before the current cell moves.
    SetFocus(Hwnd());
    if (std::optional<CellPos> cell = mouse_.Press(button, doubleClick, CellAtPoint(x, y))) {
        SetCapture(Hwnd());
        MoveCurrent(*cell);
    }
    return 0;
}

LRESULT StringGrid::OnMouseMove(int x, int y) {
    if (std::optional<CellPos> cell = mouse_.Move(CellAtPoint(x, y)))
        MoveCurrent(*cell);
    return 0;
}

LRESULT StringGrid::OnLButtonUp() {
    bool report = mouse_.Release();
    if (GetCapture() == Hwnd())
        ReleaseCapture();
    if (report)
        ReportSelection();
    return 0;
}

LRESULT StringGrid::OnCaptureChanged() {
    mouse_.Cancel();
    return 0;
}

LRESULT StringGrid::OnKeyDown(WPARAM key) {
    bool shift = KeyHeld(VK_SHIFT);
    bool ctrl = KeyHeld(VK_CONTROL);
    if (OnKey)
        OnKey(static_cast<WORD>(key), shift, ctrl);
    if (key == VK_TAB) {
        if (OnTab)
            OnTab(!shift);
        return 0;
    }
    CellPos current = cells_.CurrentCell();
    std::optional<CellPos> next = NavigationTarget(NavKeyOf(key), ctrl, current, layout_.Extent());
    if (next && !(*next == current)) {
        MoveCurrent(*next);
        ReportSelection();
    }
    return 0;
}

LRESULT StringGrid::OnMouseWheel(int delta) {
    // Towards the user (a negative delta) moves down, one row a notch.
    wheelRest_ -= delta;
    int notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ %= WHEEL_DELTA;
    CellPos current = cells_.CurrentCell();
    CellPos next = WheelTarget(current, notches, layout_.Extent());
    if (!(next == current)) {
        MoveCurrent(next);
        ReportSelection();
    }
    return 0;
}

LRESULT StringGrid::OnFocusChange() {
    Refresh();
    return 0;
}

void StringGrid::MoveCurrent(CellPos cell) {
    cells_.SetCurrentCell(cell);
    Refresh();
}

void StringGrid::ReportSelection() {
    if (OnSelectCell)
        OnSelectCell();
}

void StringGrid::SetCurrent(int col, int row) {
    MoveCurrent(CellPos{col, row});
}

LRESULT StringGrid::OnPaint() {
    // The off-screen image is kept from paint to paint: making a bitmap of the grid's size took
    // a quarter of each repaint. It is made anew only when the grid's size changes.
    PaintScope paint(Hwnd());
    RECT client;
    GetClientRect(Hwnd(), &client);
    if (client.right <= 0 || client.bottom <= 0)
        return 0;
    if (!backDc_ || backWidth_ != client.right || backHeight_ != client.bottom) {
        backDc_.Reset();
        backImage_ = BitmapHandle(CreateCompatibleBitmap(paint.Dc(), client.right, client.bottom));
        backDc_ = MemoryDc(CreateCompatibleDC(paint.Dc()));
        SelectObject(backDc_.Get(), backImage_.Get());
        backWidth_ = client.right;
        backHeight_ = client.bottom;
    }
    PaintContent(backDc_.Get(), client);
    BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, backDc_.Get(), 0, 0, SRCCOPY);
    return 0;
}

bool StringGrid::PaintContent(HDC dc, const RECT& client) {
    GdiCanvas canvas(dc, &fonts_);
    canvas.Fill(Rect{client.left, client.top, client.right, client.bottom}, SystemColor(kSysWindow));
    const CellPos current = cells_.CurrentCell();
    const int border = Border();
    const bool active = IsActiveControl && IsActiveControl();
    // Each question about the focus goes to the Wine server and back: once, not once a cell.
    const bool focused = GetFocus() == Hwnd();
    const Color fixedLine = kBlack;
    const Color cellLine = Rgb(192, 192, 192);
    for (int row = 0; row < layout_.RowCount(); ++row) {
        for (int col = 0; col < layout_.ColCount(); ++col) {
            Rect r = layout_.CellRect(col, row);
            r = Rect{r.left + border, r.top + border, r.right + border, r.bottom + border};
            if (r.left >= client.right || r.top >= client.bottom)
                continue;
            // Grid lines: black between fixed cells, silver between the others.
            bool fixed = row == 0 || col == 0;
            Color line = fixed ? fixedLine : cellLine;
            canvas.Fill(Rect{r.right, r.top, r.right + kGridLine, r.bottom + kGridLine}, line);
            canvas.Fill(Rect{r.left, r.bottom, r.right + kGridLine, r.bottom + kGridLine}, line);

            // Every cell starts from the grid's own font.
            canvas.SetFont(font_);
            canvas.SetTextColor(SystemColor(kSysWindowText));
            cells_.PaintCell(canvas, col, row, r, fixed, focused);
            RECT cell{r.left, r.top, r.right, r.bottom};
            if (fixed)
                DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
            if (!fixed && active && col == current.col && row == current.row) {
                // The dotted pattern takes the DC's text and background colors.
                ::SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                DrawFocusRect(dc, &cell);
            }
        }
    }
    if (border == kGridBorder) {
        RECT edge = client;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        return true;
    }
    // Scaled, the sunken edge's outer line takes the larger half of its width.
    Rect band{client.left, client.top, client.right, client.bottom};
    for (int i = 0; i < border; ++i) {
        const bool outer = i < border - border / 2;
        DrawFrame(canvas, band, SystemColor(outer ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW),
                  SystemColor(outer ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT));
        band = Rect{band.left + 1, band.top + 1, band.right - 1, band.bottom - 1};
    }
    return true;
}

} // namespace purimo
