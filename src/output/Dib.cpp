#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "output/Dib.h"
#include "widgets/Handles.h"

namespace purimo {

namespace {

std::vector<unsigned char> InfoFor(int width, int height, int bits, size_t colors) {
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height; // bottom-up, as a BMP file stores the rows
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bits);
    header->biCompression = BI_RGB;
    header->biClrUsed = 0;
    return info;
}

} // namespace

BmpImage ReadDib(HBITMAP bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof(info), &info) == 0)
        throw std::runtime_error("no bitmap");
    BmpImage image;
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    int bits = info.bmBitsPixel * info.bmPlanes;
    // A depth that a DIB does not have (15 is stored as 16) is read at the next one up.
    image.bitsPerPixel = bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : bits <= 16 ? 16 : bits <= 24 ? 24 : 32;
    size_t colors = image.bitsPerPixel <= 8 ? (size_t{1} << image.bitsPerPixel) : 0;
    std::vector<unsigned char> bi = InfoFor(image.width, image.height, image.bitsPerPixel, colors);
    image.pixels.assign(
        static_cast<size_t>(BmpRowBytes(image.width, image.bitsPerPixel) * static_cast<std::uint64_t>(image.height)),
        '\0');
    WindowDc screen(nullptr);
    // The bitmap must not be selected into a DC for this; the window image never is by now.
    int rows = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(image.height), image.pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(bi.data()), DIB_RGB_COLORS);
    if (rows != image.height)
        throw std::runtime_error("bitmap pixels cannot be read");
    const auto* quads = reinterpret_cast<const RGBQUAD*>(bi.data() + sizeof(BITMAPINFOHEADER));
    for (size_t i = 0; i < colors; ++i) {
        const RGBQUAD& q = quads[i];
        image.palette.push_back(static_cast<std::uint32_t>(q.rgbBlue) | (static_cast<std::uint32_t>(q.rgbGreen) << 8) |
                                (static_cast<std::uint32_t>(q.rgbRed) << 16));
    }
    return image;
}

std::vector<unsigned char> BitmapInfoOf(const BmpImage& image) {
    std::vector<unsigned char> info = InfoFor(image.width, image.height, image.bitsPerPixel, image.palette.size());
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biClrUsed = static_cast<DWORD>(image.palette.size());
    if (!image.palette.empty())
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), image.palette.data(),
                    image.palette.size() * sizeof(RGBQUAD));
    return info;
}

} // namespace purimo
