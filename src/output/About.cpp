#include <windows.h>

#include "common/ComType.h"
#include "common/Frame.h"
#include "output/About.h"
#include "widgets/Modal.h"
#include "output/OutputGeometry.h"
#include "resource.h"
#include "widgets/GdiCanvas.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

// A single fixed frame and a caption bar without any buttons.
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr int kClientWidth = 577;
constexpr int kClientHeight = 319;

constexpr RECT kPanel1{8, 8, 8 + 561, 8 + 265};
constexpr RECT kCopy{12, 152, 12 + 537, 152 + 93}; // in Panel1
constexpr RECT kOKButton{493, 284, 493 + 75, 284 + 25};
constexpr POINT kIconAt{18, 18};
constexpr int kIconSize = 32;

struct Label {
    POINT at;
    const char* text;
    Color color;
};
const Label kAppName{{96, 20}, "Purimo Manage", SystemColor(kSysWindowText)};
const Label kProductName{{28, 62}, "基礎体温管理ツール【プリモ】", Rgb(255, 0, 255)};
constexpr POINT kVersionAt{376, 24};

const char* const kNotices[] = {
    "このソフトウェアは毎朝の基礎体温を記録するためのものです。",
    "記録やグラフは医師の診断に代わるものではありません。",
    "データはプログラムと同じフォルダの client に保存されます。",
};
constexpr int kNoticeTops[] = {14, 40, 64};

// Sizes are character heights in pixels.
FontHandle MakeCharsetFont(const wchar_t* face, int height, bool bold, BYTE charset) {
    return MakeFont(face, -height, bold, 0, charset);
}

void DrawLabel(HDC dc, HFONT font, POINT at, const std::string& text, Color color) {
    SelectScope select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(color));
    std::wstring wide = Widen(text);
    TextOutW(dc, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
}

} // namespace

void AboutPanel::Create(TAboutForm& form, HWND parent) {
    form_ = &form;
    CreateWindowOf(L"PurimoAboutPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kPanel1.left, kPanel1.top,
                   kPanel1.right - kPanel1.left, kPanel1.bottom - kPanel1.top, parent, nullptr);
}

bool AboutPanel::PaintContent(HDC dc, const RECT& client) {
    {
        GdiCanvas canvas(dc);
        Rect r{0, 0, client.right, client.bottom};
        canvas.Fill(r, SystemColor(kSysBtnFace));
        // Lowered outside, raised inside.
        DrawFrame(canvas, r, SystemColor(kSysBtnShadow), SystemColor(kSysBtnHighlight));
        DrawFrame(canvas, Rect{1, 1, r.right - 1, r.bottom - 1}, SystemColor(kSysBtnHighlight),
                  SystemColor(kSysBtnShadow));
    }
    DrawIconEx(dc, kIconAt.x, kIconAt.y, form_->ProgramIcon(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    DrawLabel(dc, form_->AppNameFont(), kAppName.at, kAppName.text, kAppName.color);
    DrawLabel(dc, form_->VersionFont(), kVersionAt, form_->lblVersion(), SystemColor(kSysWindowText));
    DrawLabel(dc, form_->ProductNameFont(), kProductName.at, kProductName.text, kProductName.color);
    return true;
}

void CopyPanel::Create(TAboutForm& form, HWND parent) {
    form_ = &form;
    CreateWindowOf(L"PurimoAboutCopy", 0, WS_CHILD | WS_VISIBLE, kCopy.left, kCopy.top, kCopy.right - kCopy.left,
                   kCopy.bottom - kCopy.top, parent, nullptr);
}

bool CopyPanel::PaintContent(HDC dc, const RECT& client) {
    {
        GdiCanvas canvas(dc);
        Rect r{0, 0, client.right, client.bottom};
        canvas.Fill(r, SystemColor(kSysBtnFace));
        DrawFrame(canvas, r, SystemColor(kSysBtnShadow), SystemColor(kSysBtnHighlight));
    }
    SelectScope select(dc, form_->CopyFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    for (size_t i = 0; i < std::size(kNotices); ++i) {
        std::wstring line = Widen(kNotices[i]);
        TextOutW(dc, client.right / 2, kNoticeTops[i], line.c_str(), static_cast<int>(line.size()));
    }
    return true;
}

TAboutForm::TAboutForm(HWND owner)
    : ModalForm(owner), formFont_(MakeCharsetFont(L"ＭＳ ゴシック", 15, false, SHIFTJIS_CHARSET)),
      appNameFont_(MakeCharsetFont(L"Century", 24, true, ANSI_CHARSET)),
      versionFont_(MakeCharsetFont(L"Century", 19, false, ANSI_CHARSET)),
      productNameFont_(MakeCharsetFont(L"ＭＳ ゴシック", 27, true, SHIFTJIS_CHARSET)),
      copyFont_(MakeCharsetFont(L"ＭＳ 明朝", 15, false, SHIFTJIS_CHARSET)) {
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PURIMO), IMAGE_ICON,
                                          kIconSize, kIconSize, LR_SHARED));
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    CreateWindowOf(L"TAboutForm", 0, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                   frame.bottom - frame.top, owner, nullptr, L"バージョン情報");
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.Get()), FALSE);
    panel1_.Create(*this, Hwnd());
    pnlCopy_.Create(*this, panel1_.Hwnd());
    okButton_ =
        CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kOKButton.left,
                        kOKButton.top, kOKButton.right - kOKButton.left, kOKButton.bottom - kOKButton.top, Hwnd(),
                        reinterpret_cast<HMENU>(IDOK), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(okButton_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.Get()), FALSE);
}

void TAboutForm::ShowModal() {
    lblVersion_ = "Version " + FileVersionText;
    InvalidateRect(panel1_.Hwnd(), nullptr, FALSE);
    if (!placed_) {
        // The first time on the main window's monitor; afterwards where the user left it.
        placed_ = true;
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        GetMonitorInfoW(MonitorFromWindow(Owner(), MONITOR_DEFAULTTOPRIMARY), &info);
        RECT w;
        GetWindowRect(Hwnd(), &w);
        const RECT& m = info.rcMonitor;
        Point at = PlaceCentred(Rect{m.left, m.top, m.right, m.bottom}, w.right - w.left, w.bottom - w.top);
        SetWindowPos(Hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowModally([this] { SetFocus(okButton_); }, [this](const MSG& msg) { return DialogMessage(msg); });
}

LRESULT TAboutForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wp));
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wp), lp);
    default:
        return ModalForm::HandleMessage(msg, wp, lp);
    }
}

LRESULT TAboutForm::OnCommand(UINT id) {
    // Only OK closes: the dialog has no cancel.
    if (id == IDOK)
        EndShowing();
    return 0;
}

LRESULT TAboutForm::OnSetCursor(HWND over, LPARAM lp) {
    if (over == okButton_ && LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return Default(WM_SETCURSOR, reinterpret_cast<WPARAM>(over), lp);
}

} // namespace purimo
