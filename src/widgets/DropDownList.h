#pragma once
// A drop-down list without typing, drawn by us so that its items are exactly as high as asked
// whatever the font, in a background color of the owner's choosing.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Canvas.h"
#include "common/DisplayScale.h"
#include "widgets/Subclass.h"

namespace purimo {

class DropDownList {
public:
    DropDownList() = default;
    DropDownList(const DropDownList&) = delete;
    DropDownList& operator=(const DropDownList&) = delete;

    // x, y, w and h at the display scale; the items' heights are scaled here.
    void Create(HWND parent, int x, int y, int w, int h, HFONT font, const DisplayScale& scale);
    // The list's items are as high as it was made for: another scale needs the list made anew.
    void Destroy();
    HWND Hwnd() const { return hwnd_; }

    void SetItems(const std::vector<std::wstring>& items);
    // The selected item's index, -1 for none.
    int Selection() const;
    void SetSelection(int index);
    void SetColor(Color color);
    Color BackgroundColor() const { return color_; }
    void Show(bool visible);
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void MoveTo(int x, int y);

    // A notification of the list to its parent: CBN_SELCHANGE is a pick, CBN_KILLFOCUS the exit.
    void Notify(UINT code);
    // WM_MEASUREITEM and WM_DRAWITEM of the list, sent to its parent.
    static void MeasureItem(MEASUREITEMSTRUCT* item, const DisplayScale& scale);
    void DrawItem(const DRAWITEMSTRUCT* item) const;
    // The closed list as the screen shows it, for the window image: the system's list draws
    // nothing of its own there.
    void PaintContent(HDC dc) const;

    // The user changed the selection: mouse, keys or wheel.
    std::function<void()> OnPick;
    std::function<void()> OnExit;
    // Tab (true) or Shift+Tab pressed in the list.
    std::function<void(bool)> OnTab;

private:
    std::optional<LRESULT> Handle(UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    Subclass hook_;
    Subclass popupHook_;
    Color color_ = SystemColor(kSysWindow);
    DisplayScale scale_;
};

} // namespace purimo
