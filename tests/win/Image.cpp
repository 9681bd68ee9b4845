#include <windows.h>

#include "FormFixture.h"
#include "Image.h"
#include "app/Application.h"
#include "output/BmpFile.h"
#include "widgets/WinText.h"
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

Image::Image(int width, int height, std::vector<DWORD> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

COLORREF Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    DWORD p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Image::SaveArtefact(const std::string& name) const {
    // Beside the test program, wherever a file dialog has left the current folder.
    std::wstring folder = ExecutableFolder() + L"artefacts\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    BmpImage bmp{width_, height_, 32, {}, {}};
    bmp.pixels.reserve(pixels_.size() * 4);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            DWORD p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
            // Opaque, so that viewers do not take the unused fourth byte for transparency.
            bmp.pixels.push_back(static_cast<char>(p & 0xFF));
            bmp.pixels.push_back(static_cast<char>((p >> 8) & 0xFF));
            bmp.pixels.push_back(static_cast<char>((p >> 16) & 0xFF));
            bmp.pixels.push_back(static_cast<char>(0xFF));
        }
    }
    WriteFileBytes(folder + Widen(name) + L".bmp", BmpFileBytes(bmp));
}

Image ScreenImageOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    // The window's own pixels on the screen, its children's among them, whatever stands in front.
    WindowDc source(window);
    BitmapHandle bitmap(CreateCompatibleBitmap(source.Get(), client.right, client.bottom));
    {
        MemoryDc memory(CreateCompatibleDC(source.Get()));
        SelectScope select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
    }
    return Image(bitmap.Get());
}

} // namespace purimo::test
