#include "output/OutputGeometry.h"

#include <limits>

namespace purimo {

namespace {

int ClampToInt(std::int64_t v) {
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

} // namespace

std::int64_t MulDivRounded(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0)
        return 0;
    // |a * b| < 2^62 for int arguments, so the product and the half divisor fit in 64 bits.
    std::int64_t product = a * b;
    bool negative = (product < 0) != (c < 0);
    std::int64_t n = product < 0 ? -product : product;
    std::int64_t d = c < 0 ? -c : c;
    std::int64_t q = (n + d / 2) / d;
    return negative ? -q : q;
}

Size FitToPage(int width, int height, int pageWidth, int pageHeight) {
    if (width <= 0 || height <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return {};
    std::int64_t w = MulDivRounded(width, pageHeight, height);
    std::int64_t h = pageHeight;
    if (w >= pageWidth) {
        w = pageWidth;
        h = MulDivRounded(height, pageWidth, width);
    }
    return Size{ClampToInt(w), ClampToInt(h)};
}

Point PlaceAtUpperThird(const Rect& monitor, int width, int height) {
    return Point{monitor.left + (monitor.Width() - width) / 2, monitor.top + (monitor.Height() - height) / 3};
}

Point PlaceCentred(const Rect& monitor, int width, int height) {
    return Point{monitor.left + (monitor.Width() - width) / 2, monitor.top + (monitor.Height() - height) / 2};
}

std::wstring WithExtension(const std::wstring& name, const std::wstring& extension) {
    size_t nameStart = name.find_last_of(L"\\/:");
    nameStart = nameStart == std::wstring::npos ? 0 : nameStart + 1;
    if (name.find(L'.', nameStart) == std::wstring::npos)
        return name + extension;
    return name;
}

} // namespace purimo
