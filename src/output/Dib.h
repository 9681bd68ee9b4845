#pragma once
// A bitmap's pixels as a device-independent bitmap of its own color depth: the form a BMP file
// stores and a printer stretches.
#include <windows.h>

#include <vector>

#include "output/BmpFile.h"

namespace purimo {

// Rows bottom-up, with the color table at 8 bits per pixel or fewer.
BmpImage ReadDib(HBITMAP bitmap);

// The BITMAPINFO (header and color table) that describes image to GDI.
std::vector<unsigned char> BitmapInfoOf(const BmpImage& image);

} // namespace purimo
