#pragma once
// The program's windows at the display scale of the screen they run on: their 96-DPI measures
// against what the windows made of them.
#include <windows.h>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "common/DisplayScale.h"

namespace purimo::test {

class ScaleTest : public FormFixture {
public:
    static SIZE ClientSize(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        return SIZE{r.right, r.bottom};
    }
    // The LOGFONT height the font was made with.
    static LONG FontHeight(HFONT font) {
        LOGFONTW log{};
        GetObjectW(font, sizeof(log), &log);
        return log.lfHeight;
    }
    static LONG FontHeightOf(HWND window) {
        return FontHeight(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    }
    // A child's rectangle in its parent's client coordinates.
    static Rect ChildBox(HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        return Rect{r.left, r.top, r.right, r.bottom};
    }
    // The client area is width x height scaled: exactly at 96 DPI, within a pixel at any other.
    static void ExpectClientScaled(HWND window, const DisplayScale& scale, int width, int height, const char* name) {
        const SIZE client = ClientSize(window);
        const int slack = scale.IsDesignSize() ? 0 : 1;
        EXPECT_NEAR(client.cx, scale.Edge(width), slack) << name << " at " << scale.Dpi() << " DPI";
        EXPECT_NEAR(client.cy, scale.Edge(height), slack) << name << " at " << scale.Dpi() << " DPI";
    }
};

} // namespace purimo::test
