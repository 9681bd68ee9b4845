#pragma once
// The display scale of our windows. The calls that Windows 7 lacks (GetDpiForWindow,
// AdjustWindowRectExForDpi) are found at run time; without them the system's DPI serves.
#include <windows.h>

#include "common/DisplayScale.h"

namespace purimo {

// The DPI of the screen as the system reports it.
int SystemDpi();
// The DPI of the monitor the window stands on.
int WindowDpi(HWND window);
// The outer size of a window whose client area is clientWidth x clientHeight at dpi.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, bool menu, DWORD exStyle, int dpi);

// The scale wanted, or the largest below it at which a window whose client area is clientWidth x
// clientHeight 96-DPI pixels fits the work area of monitor; its frame (style, menu bar) is drawn at
// frameDpi, whatever the content's factor.
DisplayScale ScaleFittingMonitor(const DisplayScale& wanted, HMONITOR monitor, int clientWidth, int clientHeight,
                                 DWORD style, bool menu, int frameDpi);

// Moves and sizes a child to its box in its parent's client area (the box at the display scale).
void Place(HWND window, const Rect& box);

// The scale a top-level window lays itself out at, kept with the window so that the windows it
// owns (dialogs, the wait window, the cycle windows) take the same.
void KeepScaleWith(HWND topLevel, const DisplayScale& scale);
// Before the window goes: a property is not removed with it.
void ForgetScale(HWND topLevel);
// The scale kept with window's top-level owner, or its monitor's DPI when none was kept; the
// screen's DPI for no window.
DisplayScale ScaleFor(HWND window);

} // namespace purimo
