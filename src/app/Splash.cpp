#include <windows.h>

#include "app/Application.h"
#include "app/Splash.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {
constexpr int kClientWidth = 385;
constexpr int kClientHeight = 80;
constexpr RECT kTitleRect{0, 17, 385, 17 + 41};
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
} // namespace

TSplashForm::TSplashForm() : titleFont_(MakeFont(L"ＭＳ ゴシック", -15, true)) {
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    int w = frame.right - frame.left;
    int h = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    CreateWindowOf(L"PurimoSplash", WS_EX_DLGMODALFRAME, kStyle, x, y, w, h, nullptr, nullptr,
                   L"しばらくおまちください…");
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
    RECT title = kTitleRect;
    std::wstring text = Widen(lblTitle_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return true;
}

void TSplashForm::ReportError(const std::string& message) {
    ShowErrorBox(message);
}

} // namespace purimo
