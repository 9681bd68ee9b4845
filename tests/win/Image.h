#pragma once
// Pixels of a captured bitmap, for checking colors at known places, and a BMP copy of it as a
// test artefact (build/win64/artefacts; the test script turns them into PNG).
#include <windows.h>

#include <string>
#include <vector>

namespace purimo::test {

class Image {
public:
    explicit Image(HBITMAP bitmap);
    // Pixels top-down as 0x00RRGGBB.
    Image(int width, int height, std::vector<DWORD> pixels);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel's color as RGB(r, g, b).
    COLORREF At(int x, int y) const;
    void SaveArtefact(const std::string& name) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_; // top-down, 0x00RRGGBB
};

// What the window's client area shows on the screen.
Image ScreenImageOf(HWND window);

} // namespace purimo::test
