// The floors that the diary's start and month switch are measured against: the least program
// that shows what the diary must show at its start, and does what a switch to a month of another
// length must do to the windows. Like the diary it declares itself aware of the display scale (its
// manifest) and lays every window out at the screen's DPI, so that a start at 150 % stands beside
// the floor's start at 150 %.
//   start_floor.exe            a main window of the diary's frame, size and menu; the wait window
//                              shown and painted with its line; the main window painting one line
//                              in each font the diary uses at its start; the wait window hidden.
//   start_floor.exe --switch N the same window with plain child windows at the places and sizes of
//                              the diary's, widened or narrowed by 30 pixels and redrawn at once, N
//                              times; prints "timing switch_floor <median ms> <N>" and ends.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 1002;
constexpr int kClientHeight = 585;

struct Font {
    const wchar_t* face;
    int height;
    bool bold;
};
// Every font the diary draws with before its first month stands.
constexpr Font kFonts[] = {{L"ＭＳ ゴシック", -15, false}, {L"ＭＳ ゴシック", -21, true}, {L"ＭＳ ゴシック", -13, false},
                           {L"ＭＳ ゴシック", -12, false}, {L"ＭＳ Ｐ明朝", -12, false}};

// The diary's children: grid, chart, guide, buttons, date, year and month panels.
constexpr RECT kChildren[] = {{8, 40, 993, 281},  {8, 281, 993, 578},  {248, 8, 641, 33}, {204, 8, 240, 34},
                              {16, 8, 51, 34},    {648, 8, 895, 33},   {58, 8, 115, 33},  {144, 8, 173, 33}};

// The screen's DPI, and a length of a 96-DPI screen at it.
int g_dpi = 96;
int Scaled(int x) {
    return MulDiv(x, g_dpi, 96);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 96 ? dpi : 96;
}

// The frame around a client area at the DPI; Windows 7 lacks AdjustWindowRectExForDpi.
void AdjustFrame(RECT* r, DWORD style, bool menu, DWORD exStyle) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust == nullptr || !adjust(r, style, menu, exStyle, static_cast<UINT>(g_dpi)))
        AdjustWindowRectEx(r, style, menu, exStyle);
}

HFONT MakeFont(const Font& f) {
    return CreateFontW(Scaled(f.height), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, f.face);
}

void PaintLines(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_INACTIVECAPTION));
    SetBkMode(dc, TRANSPARENT);
    int y = 40;
    for (const Font& f : kFonts) {
        HFONT font = MakeFont(f);
        HGDIOBJ old = SelectObject(dc, font);
        TextOutW(dc, Scaled(8), Scaled(y), L"2026年12月 36.5", 13);
        SelectObject(dc, old);
        DeleteObject(font);
        y += 24;
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        PaintLines(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT CALLBACK SplashProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT)
        return DefWindowProcW(hwnd, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    HFONT font = MakeFont({L"ＭＳ ゴシック", -15, true});
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT r{0, Scaled(17), Scaled(385), Scaled(58)};
    DrawTextW(dc, L"アプリケーションを起動中です。", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT CALLBACK FillProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT)
        return DefWindowProcW(hwnd, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    EndPaint(hwnd, &ps);
    return 0;
}

void Register(const wchar_t* name, WNDPROC proc, HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

HMENU MakeMenu() {
    const std::vector<std::pair<const wchar_t*, std::vector<const wchar_t*>>> menus{
        {L"ファイル(&F)", {L"ビットマップで保存...(&A)", L"画面印刷...(&P)", nullptr, L"終了(&X)"}},
        {L"グラフ設定(&S)", {L"マーカー表示(&M)"}},
        {L"周期(&C)", {L"周期グラフ...(&G)", L"受診用レポート印刷...(&R)", L"CSV 形式で書き出し...(&E)"}},
        {L"ヘルプ(&H)", {L"操作手順書(&M)", L"著作権者ホームページ(&H)", nullptr, L"バージョン情報(&A)"}}};
    HMENU bar = CreateMenu();
    UINT id = 100;
    for (const auto& [title, items] : menus) {
        HMENU sub = CreatePopupMenu();
        for (const wchar_t* item : items)
            AppendMenuW(sub, item != nullptr ? MF_STRING : MF_SEPARATOR, item != nullptr ? ++id : 0, item);
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), title);
    }
    return bar;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Each switch: the window and its two wide children 30 pixels wider or narrower, then one redraw.
void MeasureSwitches(HWND main, const std::vector<HWND>& children, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const int delta = i % 2 == 0 ? -30 : 30;
        LARGE_INTEGER from;
        LARGE_INTEGER to;
        QueryPerformanceCounter(&from);
        for (HWND wide : {children[0], children[1]}) {
            RECT r;
            GetClientRect(wide, &r);
            SetWindowPos(wide, nullptr, 0, 0, r.right + delta, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        RECT frame;
        GetWindowRect(main, &frame);
        SetWindowPos(main, nullptr, 0, 0, frame.right - frame.left + delta, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        QueryPerformanceCounter(&to);
        times.push_back(Milliseconds(from, to));
    }
    std::sort(times.begin(), times.end());
    std::printf("timing switch_floor %.3f %d\n", times[times.size() / 2], runs);
    std::fflush(stdout);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    int switches = 0;
    if (std::wcsncmp(commandLine, L"--switch ", 9) == 0)
        switches = _wtoi(commandLine + 9);
    Register(L"StartFloor", MainProc, instance);
    // The launcher tells the wait window from the main window by the diary's class name for it.
    Register(L"PurimoSplash", SplashProc, instance);
    Register(L"FloorChild", FillProc, instance);
    g_dpi = ScreenDpi();
    RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustFrame(&frame, kFormStyle, true, 0);
    HWND main = CreateWindowW(L"StartFloor", L"プリモ  [for Version 1.0.0.1]", kFormStyle, 214, 165,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, MakeMenu(), instance, nullptr);
    std::vector<HWND> children;
    if (switches > 0)
        for (const RECT& r : kChildren)
            children.push_back(CreateWindowW(L"FloorChild", L"", WS_CHILD | WS_VISIBLE, Scaled(r.left), Scaled(r.top),
                                             Scaled(r.right) - Scaled(r.left), Scaled(r.bottom) - Scaled(r.top), main,
                                             nullptr, instance, nullptr));
    RECT splashFrame{0, 0, Scaled(385), Scaled(80)};
    AdjustFrame(&splashFrame, WS_POPUP | WS_CAPTION, false, WS_EX_DLGMODALFRAME);
    const int w = splashFrame.right - splashFrame.left;
    const int h = splashFrame.bottom - splashFrame.top;
    HWND splash = CreateWindowExW(WS_EX_DLGMODALFRAME, L"PurimoSplash", L"しばらくおまちください…",
                                  WS_POPUP | WS_CAPTION, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr, instance, nullptr);
    ShowWindow(main, showCommand);
    ShowWindow(splash, SW_SHOWNOACTIVATE);
    UpdateWindow(splash);
    ShowWindow(splash, SW_HIDE);
    UpdateWindow(main);
    if (switches > 0) {
        MeasureSwitches(main, children, switches);
        DestroyWindow(main);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
