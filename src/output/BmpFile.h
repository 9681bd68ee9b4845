#pragma once
// Windows BMP files: the 14-byte file header, the 40-byte information header, the color table
// at 8 bits per pixel or fewer, and the pixel rows bottom-up, each padded to 4 bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace purimo {

struct BmpImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32; // 1, 4, 8, 16, 24 or 32
    // Color table entries as stored (blue, green, red, 0); only at 8 bits per pixel or fewer.
    std::vector<std::uint32_t> palette;
    // The rows from the bottom of the image up, each BmpRowBytes long.
    std::string pixels;
};

// Bytes of one stored row, padding included; 0 for a width or depth that a BMP cannot hold.
std::uint64_t BmpRowBytes(int width, int bitsPerPixel);

// Both headers and the color table. Raises std::invalid_argument for an image whose size, depth,
// color table or pixel bytes do not make a valid BMP file.
std::string BmpHeaderBytes(const BmpImage& image);

// The whole file.
std::string BmpFileBytes(const BmpImage& image);

} // namespace purimo
