#pragma once
// The window image: a window's client area drawn by its controls into an off-screen bitmap, so
// that a covered or partly hidden window gives the same complete picture.
#include <windows.h>

#include "widgets/Handles.h"

namespace purimo {

// A bitmap compatible with the screen, as large as the window's client area.
BitmapHandle CaptureWindowImage(HWND window);

// Draws the window's client area and then its visible children, back to front, each at its own
// position, recursively.
void DrawWindowInto(HWND window, HDC dc, POINT origin);

} // namespace purimo
