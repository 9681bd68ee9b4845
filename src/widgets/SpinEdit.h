#pragma once
// The cycle-day editor: a one-line field with up and down arrows at its right. What it accepts
// and what the arrows do are the owner's rules.
#include <windows.h>

#include <functional>
#include <string>

#include "widgets/TextField.h"
#include "widgets/Window.h"

namespace purimo {

// The arrows' width at 96 DPI.
constexpr int kSpinArrowsWidth = 15;

// The two arrows, drawn by us so that the window image has them too. A held arrow repeats.
class SpinArrows : public Window {
public:
    void Create(HWND parent, int x, int y, int w, int h);
    // +1 for the upper arrow, -1 for the lower.
    std::function<void(int)> OnStep;
    int Pressed() const { return pressed_; }

    bool PaintContent(HDC dc, const RECT& client) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnLButtonDown(int y);
    LRESULT OnLButtonUp();
    LRESULT OnTimer();
    void Release();
    int DirectionAt(int y) const;

    int pressed_ = 0; // +1, -1, or 0 when no arrow is held
};

class SpinEdit {
public:
    SpinEdit() = default;
    SpinEdit(const SpinEdit&) = delete;
    SpinEdit& operator=(const SpinEdit&) = delete;

    // At the display scale: x, y, w, h and the arrows' width.
    void Create(HWND parent, int x, int y, int w, int h, HFONT font, int maxChars, int arrowsWidth);
    // Another size and font for another display scale.
    void Resize(int w, int h, HFONT font, int arrowsWidth);
    HWND Edit() const { return field_.Hwnd(); }
    HWND Arrows() const { return arrows_.Hwnd(); }
    TextField& Field() { return field_; }
    // Adds ES_CENTER to the edit and has its frame recomputed without moving or sizing it.
    void CentreText();
    void Show(bool visible);
    bool Visible() const { return field_.Visible(); }
    void MoveTo(int x, int y);
    std::wstring Text() const { return field_.Text(); }
    void SetText(const std::wstring& text) { field_.SetText(text); }

    // A notification of the field to its parent (EN_KILLFOCUS: the field was left).
    void Notify(UINT code);

    // The Up and Down keys and the arrows: +1 or -1.
    std::function<void(int)> OnStep;
    std::function<void()> OnExit;
    // Tab (true) or Shift+Tab pressed in the field.
    std::function<void(bool)> OnTab;

private:
    TextField field_;
    SpinArrows arrows_;
};

} // namespace purimo
