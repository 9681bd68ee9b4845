#pragma once
// Text of windows and of the clipboard, in UTF-16 as the system keeps it; Widen and Narrow turn it
// into the program's code page 932 bytes and back.
#include <windows.h>

#include <string>

#include "common/Cp932Convert.h"

namespace purimo {

std::wstring WindowText(HWND hwnd);
// The clipboard's text, empty when it holds none.
std::wstring ClipboardText(HWND owner);

} // namespace purimo
