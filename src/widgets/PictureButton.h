#pragma once
// A push button that shows a 32 x 16 picture strip: the left half while enabled, the right half
// while disabled; olive pixels show the button face. At a display scale the picture is laid on the
// face first and then scaled, so that no olive fringe is left at its edges.
#include <functional>

#include "common/DisplayScale.h"

#include "widgets/Handles.h"
#include "widgets/Window.h"

namespace purimo {

class PictureButton : public Window {
public:
    void Create(HWND parent, int x, int y, int w, int h, int bitmapId);
    // The picture is drawn at the display scale.
    void SetScale(const DisplayScale& scale);

    std::function<void()> OnClick;
    // The mouse moved over the button; the message as it came.
    std::function<void(const MSG&)> OnHover;
    bool Pressed() const { return pressed_; }
    // Presses the button as the mouse would: focus, then the click.
    void Click();

    bool PaintContent(HDC dc, const RECT& client) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnLButtonDown();
    LRESULT OnMouseMove(int x, int y);
    LRESULT OnLButtonUp(int x, int y);
    LRESULT OnCaptureChanged(HWND newCapture);
    LRESULT OnKeyUp(WPARAM key);
    bool Inside(int x, int y) const;

    // The DC holding the picture on the button face, made when first needed.
    HDC PictureOnFace();
    BitmapHandle picture_;
    // The picture laid on the button face once, kept in a DC of its own: each paint is one copy of
    // it: the transparent copy and a new DC made every paint of the pressed button slow. Made again
    // when the system's face color changes.
    BitmapHandle onFace_;
    MemoryDc onFaceDc_;
    COLORREF onFaceColor_ = CLR_INVALID;
    DisplayScale scale_;
    bool pressed_ = false;
    bool tracking_ = false;
};

} // namespace purimo
