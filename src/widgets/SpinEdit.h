#pragma once
// The cycle-day editor: a one-line edit with up and down arrows at its right, 0 to 99.
#include <windows.h>

namespace purimo {

class SpinEdit {
public:
    SpinEdit() = default;
    SpinEdit(const SpinEdit&) = delete;
    SpinEdit& operator=(const SpinEdit&) = delete;

    void Create(HWND parent, int x, int y, int w, int h, HFONT font);
    HWND Edit() const { return edit_; }
    HWND Arrows() const { return arrows_; }
    // Adds ES_CENTER to the edit and has its frame recomputed without moving or sizing it.
    void CentreText();
    void Show(bool visible);
    bool Visible() const { return IsWindowVisible(edit_) != FALSE; }

private:
    HWND edit_ = nullptr;
    HWND arrows_ = nullptr;
};

} // namespace purimo
