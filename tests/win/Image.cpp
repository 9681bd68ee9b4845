#include <windows.h>

#include "Image.h"
#include "widgets/Handles.h"

namespace purimo::test {

Image::Image(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height_), pixels_.data(), &bi, DIB_RGB_COLORS);
}

COLORREF Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    DWORD p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Image::SaveArtefact(const std::string& name) const {
    CreateDirectoryW(L"artefacts", nullptr);
    std::string path = "artefacts\\" + name + ".bmp";
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    DWORD dataSize = static_cast<DWORD>(pixels_.size() * sizeof(DWORD));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + dataSize;
    // Opaque, so that viewers do not take the unused fourth byte for transparency.
    std::vector<DWORD> opaque(pixels_);
    for (DWORD& p : opaque)
        p |= 0xFF000000u;
    FileHandle out(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!out)
        return;
    DWORD written = 0;
    WriteFile(out.Get(), &file, sizeof(file), &written, nullptr);
    WriteFile(out.Get(), &header, sizeof(header), &written, nullptr);
    WriteFile(out.Get(), opaque.data(), dataSize, &written, nullptr);
}

} // namespace purimo::test
