#pragma once
// The lines of text under a cycle window's chart or table: static controls one under another, as
// many shown as there are lines.
#include <windows.h>

#include <string>
#include <vector>

#include "common/DisplayScale.h"

namespace purimo {

// The cycle windows' own look: a captioned pop-up, and its rows of text and buttons.
constexpr DWORD kCycleFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kCycleLineHeight = 17;
constexpr int kCycleButtonWidth = 110;
constexpr int kCycleButtonHeight = 25;

class TextLines {
public:
    // count lines of width from (left, top) down (96-DPI pixels, laid out at scale), in font.
    void Create(HWND parent, int left, int top, int width, int count, HFONT font, const DisplayScale& scale);
    // The same lines at another scale, in font.
    void Place(int left, int top, int width, HFONT font, const DisplayScale& scale);
    // Shows the lines given, hides the rest.
    void Set(const std::vector<std::string>& lines);
    // The visible lines, top to bottom (code page 932).
    std::vector<std::string> Texts() const;

private:
    std::vector<HWND> lines_;
};

} // namespace purimo
