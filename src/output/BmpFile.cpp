#include "output/BmpFile.h"

#include <limits>
#include <stdexcept>

namespace purimo {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool ValidDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

std::uint64_t BmpRowBytes(int width, int bitsPerPixel) {
    if (width <= 0 || !ValidDepth(bitsPerPixel))
        return 0;
    std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel);
    return (bits + 31) / 32 * 4;
}

std::string BmpHeaderBytes(const BmpImage& image) {
    std::uint64_t rowBytes = BmpRowBytes(image.width, image.bitsPerPixel);
    if (rowBytes == 0 || image.height <= 0)
        throw std::invalid_argument("BMP: no image");
    std::uint64_t paletteLimit = image.bitsPerPixel <= 8 ? (1u << image.bitsPerPixel) : 0;
    if (image.palette.size() > paletteLimit || (paletteLimit > 0 && image.palette.empty()))
        throw std::invalid_argument("BMP: color table does not fit the depth");
    std::uint64_t dataBytes = rowBytes * static_cast<std::uint64_t>(image.height);
    std::uint64_t offset = kFileHeaderBytes + kInfoHeaderBytes + 4 * image.palette.size();
    std::uint64_t fileBytes = offset + dataBytes;
    // The sizes are 32-bit fields of the headers.
    if (fileBytes > std::numeric_limits<std::uint32_t>::max())
        throw std::invalid_argument("BMP: image too large");
    if (image.pixels.size() != dataBytes)
        throw std::invalid_argument("BMP: pixel bytes do not fit the size");

    std::string out;
    out.reserve(static_cast<size_t>(offset));
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(fileBytes));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));

    Put32(out, kInfoHeaderBytes);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(image.bitsPerPixel));
    Put32(out, 0); // no compression
    Put32(out, static_cast<std::uint32_t>(dataBytes));
    Put32(out, 0);
    Put32(out, 0);
    // A shorter table than the depth allows must say how long it is; a full one is given as 0.
    std::uint32_t colorsUsed =
        image.palette.size() < paletteLimit ? static_cast<std::uint32_t>(image.palette.size()) : 0;
    Put32(out, colorsUsed);
    Put32(out, 0);
    for (std::uint32_t entry : image.palette)
        Put32(out, entry & 0x00FFFFFFu);
    return out;
}

std::string BmpFileBytes(const BmpImage& image) {
    std::string out = BmpHeaderBytes(image);
    out += image.pixels;
    return out;
}

} // namespace purimo
