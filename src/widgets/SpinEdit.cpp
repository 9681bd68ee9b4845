#include <windows.h>
#include <commctrl.h>

#include "widgets/SpinEdit.h"

namespace purimo {

void SpinEdit::Create(HWND parent, int x, int y, int w, int h, HFONT font) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"0", WS_CHILD | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, x, y,
                            w, h, parent, nullptr, instance, nullptr);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(edit_, EM_LIMITTEXT, 2, 0);
    arrows_ = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                              WS_CHILD | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                              parent, nullptr, instance, nullptr);
    SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    SendMessageW(arrows_, UDM_SETRANGE32, 0, 99);
    SendMessageW(arrows_, UDM_SETPOS32, 0, 0);
}

void SpinEdit::CentreText() {
    LONG_PTR style = GetWindowLongPtrW(edit_, GWL_STYLE);
    SetWindowLongPtrW(edit_, GWL_STYLE, style | ES_CENTER);
    SetWindowPos(edit_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SpinEdit::Show(bool visible) {
    ShowWindow(edit_, visible ? SW_SHOW : SW_HIDE);
    ShowWindow(arrows_, visible ? SW_SHOW : SW_HIDE);
}

} // namespace purimo
