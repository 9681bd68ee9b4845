#pragma once
// The About dialog: created hidden at start-up, filled and shown by the Help menu.
#include "widgets/Window.h"

namespace purimo {

class TAboutForm : public Window {
public:
    explicit TAboutForm(HWND owner);
};

} // namespace purimo
