#pragma once
// The memo dialog: created hidden at start-up, opened over the memo row by the grid.
#include "widgets/Window.h"

namespace purimo {

class TComEditForm : public Window {
public:
    explicit TComEditForm(HWND owner);
};

} // namespace purimo
