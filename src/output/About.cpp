#include <windows.h>

#include "output/About.h"

namespace purimo {

TAboutForm::TAboutForm(HWND owner) {
    CreateWindowOf(L"TAboutForm", WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                   320, 200, owner, nullptr, L"バージョン情報");
}

} // namespace purimo
