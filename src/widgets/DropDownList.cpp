#include <windows.h>

#include "widgets/DropDownList.h"
#include "widgets/GdiCanvas.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {
constexpr int kItemHeight = 12;
// The selection field keeps the list 20 pixels high.
constexpr int kFieldHeight = 14;
constexpr int kDropItems = 10;
} // namespace

void DropDownList::Create(HWND parent, int x, int y, int w, int h, HFONT font, const DisplayScale& scale) {
    scale_ = scale;
    hwnd_ = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                            x, y, w, h + scale.Edge(kItemHeight * kDropItems) + 2, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    hook_.Attach(hwnd_, [this](UINT msg, WPARAM wp, LPARAM lp) { return Handle(msg, wp, lp); });
    // The list's pop-up is a top-level window of the program, and a close request from outside (a
    // log-off, taskkill) goes to every top-level window: destroyed before the main window's own
    // close had saved the month, it took the pick with it and the month stored the first item.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(hwnd_, &info) && info.hwndList != nullptr)
        popupHook_.Attach(info.hwndList, [](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_CLOSE)
                return 0;
            return std::nullopt;
        });
}

void DropDownList::Destroy() {
    if (hwnd_ == nullptr)
        return;
    // The hooks let go of the list and its pop-up as they are destroyed.
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

std::optional<LRESULT> DropDownList::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PRINTCLIENT || (msg == WM_PRINT && (lp & PRF_CLIENT) != 0)) {
        PaintContent(reinterpret_cast<HDC>(wp));
        return 0;
    }
    if (msg == WM_KEYDOWN && wp == VK_TAB) {
        SendMessageW(hwnd_, CB_SHOWDROPDOWN, FALSE, 0);
        if (OnTab)
            OnTab(GetKeyState(VK_SHIFT) >= 0);
        return 0;
    }
    // The Tab's character would otherwise look for an item starting with it.
    if (msg == WM_CHAR && wp == L'\t')
        return 0;
    return std::nullopt;
}

void DropDownList::SetItems(const std::vector<std::wstring>& items) {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int DropDownList::Selection() const {
    return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
}

void DropDownList::SetSelection(int index) {
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DropDownList::SetColor(Color color) {
    color_ = color;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void DropDownList::Show(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void DropDownList::MoveTo(int x, int y) {
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DropDownList::Notify(UINT code) {
    if (code == CBN_SELCHANGE && OnPick)
        OnPick();
    else if (code == CBN_KILLFOCUS && OnExit)
        OnExit();
}

void DropDownList::PaintContent(HDC dc) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(hwnd_, &info))
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
    DrawFrameControl(dc, &info.rcButton, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = static_cast<UINT>(Selection());
    item.itemAction = ODA_DRAWENTIRE;
    bool focused = GetFocus() == hwnd_;
    item.itemState = ODS_COMBOBOXEDIT | (focused ? ODS_FOCUS | ODS_SELECTED : 0);
    item.hwndItem = hwnd_;
    item.hDC = dc;
    // The list draws its field one pixel inside the item rectangle that it reports.
    item.rcItem = info.rcItem;
    InflateRect(&item.rcItem, -1, -1);
    DrawItem(&item);
}

void DropDownList::MeasureItem(MEASUREITEMSTRUCT* item, const DisplayScale& scale) {
    item->itemHeight =
        static_cast<UINT>(scale.Edge(item->itemID == static_cast<UINT>(-1) ? kFieldHeight : kItemHeight));
}

void DropDownList::DrawItem(const DRAWITEMSTRUCT* item) const {
    // In the open list the item under the pointer is highlighted; the field shows the list's own
    // color with a focus rectangle while the list has the focus.
    bool field = (item->itemState & ODS_COMBOBOXEDIT) != 0;
    bool highlighted = !field && (item->itemState & ODS_SELECTED) != 0;
    COLORREF background = highlighted ? GetSysColor(COLOR_HIGHLIGHT) : ToColorRef(color_);
    SetDCBrushColor(item->hDC, background);
    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (item->itemID != static_cast<UINT>(-1)) {
        int length = static_cast<int>(SendMessageW(hwnd_, CB_GETLBTEXTLEN, item->itemID, 0));
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(hwnd_, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        SetBkMode(item->hDC, TRANSPARENT);
        SetTextColor(item->hDC, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT r = item->rcItem;
        r.left += scale_.Edge(2);
        DrawTextW(item->hDC, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    }
    if (field && (item->itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item->hDC, &item->rcItem);
}

} // namespace purimo
