#include <windows.h>

#include "entry/ComEdit.h"

namespace purimo {

TComEditForm::TComEditForm(HWND owner) {
    CreateWindowOf(L"TComEditForm", WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                   CW_USEDEFAULT, 320, 200, owner, nullptr, L"");
}

} // namespace purimo
