#include <windows.h>

#include "common/ComType.h"
#include "common/Frame.h"
#include "output/About.h"
#include "widgets/Dpi.h"
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

constexpr Rect kPanel1{8, 8, 8 + 561, 8 + 265};
constexpr Rect kCopy{12, 152, 12 + 537, 152 + 93}; // in Panel1
constexpr Rect kOKButton{493, 284, 493 + 75, 284 + 25};
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

// Sizes are character heights in 96-DPI pixels.
FontHandle MakeCharsetFont(const DisplayScale& scale, const wchar_t* face, int height, bool bold, BYTE charset) {
    return MakeFont(face, scale.FontHeight(-height), bold, 0, charset);
}

void DrawLabel(HDC dc, const DisplayScale& scale, HFONT font, POINT at, const std::string& text, Color color) {
    SelectScope select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(color));
    std::wstring wide = Widen(text);
    TextOutW(dc, scale.Edge(at.x), scale.Edge(at.y), wide.c_str(), static_cast<int>(wide.size()));
}

} // namespace

void AboutPanel::Create(TAboutForm& form, HWND parent) {
    form_ = &form;
    CreateWindowOf(L"PurimoAboutPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr);
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
    const DisplayScale& scale = form_->Scale();
    const int iconSize = scale.Size(kIconAt.x, kIconSize);
    DrawIconEx(dc, scale.Edge(kIconAt.x), scale.Edge(kIconAt.y), form_->ProgramIcon(), iconSize, iconSize, 0, nullptr,
               DI_NORMAL);
    DrawLabel(dc, scale, form_->AppNameFont(), kAppName.at, kAppName.text, kAppName.color);
    DrawLabel(dc, scale, form_->VersionFont(), kVersionAt, form_->lblVersion(), SystemColor(kSysWindowText));
    DrawLabel(dc, scale, form_->ProductNameFont(), kProductName.at, kProductName.text, kProductName.color);
    return true;
}

void CopyPanel::Create(TAboutForm& form, HWND parent) {
    form_ = &form;
    CreateWindowOf(L"PurimoAboutCopy", 0, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr);
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
        TextOutW(dc, client.right / 2, form_->Scale().Edge(kNoticeTops[i]), line.c_str(),
                 static_cast<int>(line.size()));
    }
    return true;
}

TAboutForm::TAboutForm(HWND owner) : ModalForm(owner, kClientWidth, kClientHeight) {
    CreateWindowOf(L"TAboutForm", 0, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner, nullptr, L"バージョン情報");
    panel1_.Create(*this, Hwnd());
    pnlCopy_.Create(*this, panel1_.Hwnd());
    okButton_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                                Hwnd(), reinterpret_cast<HMENU>(IDOK), GetModuleHandleW(nullptr), nullptr);
    LayOut();
}

void TAboutForm::LayOut() {
    const DisplayScale& scale = Scale();
    // The windows take the new fonts before the old ones go.
    FontHandle formFont = MakeCharsetFont(scale, L"ＭＳ ゴシック", 15, false, SHIFTJIS_CHARSET);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont.Get()), FALSE);
    SendMessageW(okButton_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont.Get()), FALSE);
    formFont_ = std::move(formFont);
    appNameFont_ = MakeCharsetFont(scale, L"Century", 24, true, ANSI_CHARSET);
    versionFont_ = MakeCharsetFont(scale, L"Century", 19, false, ANSI_CHARSET);
    productNameFont_ = MakeCharsetFont(scale, L"ＭＳ ゴシック", 27, true, SHIFTJIS_CHARSET);
    copyFont_ = MakeCharsetFont(scale, L"ＭＳ 明朝", 15, false, SHIFTJIS_CHARSET);
    const int iconSize = scale.Size(kIconAt.x, kIconSize);
    icon_ = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PURIMO), IMAGE_ICON, iconSize, iconSize, LR_SHARED));
    SizeClientTo(kClientWidth, kClientHeight);
    Place(panel1_.Hwnd(), scale.Box(kPanel1));
    // pnlCopy stands in Panel1: its edges are scaled in the dialog's coordinates.
    const Rect copy = scale.Box(Rect{kPanel1.left + kCopy.left, kPanel1.top + kCopy.top, kPanel1.left + kCopy.right,
                                     kPanel1.top + kCopy.bottom});
    const Rect panel = scale.Box(kPanel1);
    Place(pnlCopy_.Hwnd(),
          Rect{copy.left - panel.left, copy.top - panel.top, copy.right - panel.left, copy.bottom - panel.top});
    Place(okButton_, scale.Box(kOKButton));
}

void TAboutForm::ShowModal() {
    lblVersion_ = "Version " + FileVersionText;
    if (FollowOwnersScale())
        LayOut();
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
