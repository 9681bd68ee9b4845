#include <windows.h>

#include "app/Application.h"
#include "app/Splash.h"
#include "widgets/Dpi.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {
constexpr int kClientWidth = 385;
constexpr int kClientHeight = 80;
constexpr Rect kTitleRect{0, 17, 385, 17 + 41};
constexpr int kTitleFontHeight = -15;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
} // namespace

// Made before the main window, the wait window takes the screen's scale.
TSplashForm::TSplashForm()
    : scale_(ScaleFor(nullptr)), titleFont_(MakeFont(L"ＭＳ ゴシック", scale_.FontHeight(kTitleFontHeight), true)) {
    const SIZE outer = OuterSizeForClient(scale_.Edge(kClientWidth), scale_.Edge(kClientHeight), kStyle, false,
                                          kExStyle, scale_.Dpi());
    int w = outer.cx;
    int h = outer.cy;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    CreateWindowOf(L"PurimoSplash", kExStyle, kStyle, x, y, w, h, nullptr, nullptr, L"しばらくおまちください…");
}

void TSplashForm::SetTitle(const std::string& text) {
    lblTitle_ = text;
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void TSplashForm::ShowNow() {
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(Hwnd());
}

void TSplashForm::Close() {
    ShowWindow(Hwnd(), SW_HIDE);
}

bool TSplashForm::PaintContent(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SelectScope font(dc, titleFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 128));
    const Rect box = scale_.Box(kTitleRect);
    RECT title{box.left, box.top, box.right, box.bottom};
    std::wstring text = Widen(lblTitle_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return true;
}

void TSplashForm::ReportError(const std::string& message) {
    ShowErrorBox(message);
}

} // namespace purimo
