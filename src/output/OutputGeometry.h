#pragma once
// Where printed pages and dialogs go: the window image fitted to the page, and a dialog placed on
// the monitor that shows the main window.
#include <cstdint>
#include <string>

#include "common/Canvas.h"

namespace purimo {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// a * b / c rounded to the nearest whole number, halves away from zero, without overflow for
// any int arguments; 0 when c is 0.
std::int64_t MulDivRounded(std::int64_t a, std::int64_t b, std::int64_t c);

// The image of width x height scaled as large as the page of pageWidth x pageHeight allows,
// keeping its proportions: full page height unless that would be at least as wide as the page,
// else full page width. Empty for an empty image or page.
Size FitToPage(int width, int height, int pageWidth, int pageHeight);

// A dialog of the size given, centred horizontally on the monitor, its top at one third of the
// height left free above and below it.
Point PlaceAtUpperThird(const Rect& monitor, int width, int height);

// A file name that comes back from a save dialog without an extension gets the extension (".bmp").
std::wstring WithExtension(const std::wstring& name, const std::wstring& extension);

// A window of the size given, centred on the monitor.
Point PlaceCentred(const Rect& monitor, int width, int height);

} // namespace purimo
