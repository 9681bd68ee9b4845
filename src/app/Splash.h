#pragma once
// The wait window shown while the first month is being prepared.
#include <string>

#include "common/DisplayScale.h"
#include "widgets/Handles.h"
#include "widgets/Window.h"

namespace purimo {

class TSplashForm : public Window {
public:
    TSplashForm();

    void SetTitle(const std::string& text);
    const std::string& Title() const { return lblTitle_; }
    HFONT TitleFont() const { return titleFont_.Get(); }
    // Shows without taking the focus and paints at once, before the caller goes on working.
    void ShowNow();
    void Close();

    bool PaintContent(HDC dc, const RECT& client) override;
    // In the application's error box: the wait window stands apart from the main window.
    void ReportError(const std::string& message) override;

private:
    std::string lblTitle_;
    DisplayScale scale_;
    FontHandle titleFont_;
};

} // namespace purimo
