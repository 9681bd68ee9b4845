#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "app/Main.h"
#include "app/Settings.h"
#include "chart/ChartRebuild.h"
#include "common/Clock.h"
#include "common/ComFunction.h"
#include "common/ComType.h"
#include "common/LateBinding.h"
#include "month/ShowMonth.h"
#include "resource.h"
#include "widgets/GdiCanvas.h"
#include "widgets/Dpi.h"
#include "widgets/MessageLoop.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR kTimer1 = 1;
// Top of the labels 年 and 月 beside the year and month.
constexpr int kLabelTop = 10;
constexpr const wchar_t* kFace = L"ＭＳ ゴシック";
const FontSpec kPanelDateFont{"ＭＳ ゴシック", -15, false, 0};
const FontSpec kPanelYearFont{"ＭＳ ゴシック", -21, true, 0};
const FontSpec kPanelGuideFont{"ＭＳ ゴシック", -13, false, 0};
const FontSpec kGridFont{"ＭＳ ゴシック", -12, false, 0};
constexpr int kFormFontHeight = -15;
constexpr int kLabelFontHeight = -21;

// The header strip at 96 DPI: x, y, width, height.
constexpr Rect kMonthPanel{144, 8, 144 + 29, 8 + 25};
constexpr Rect kYearPanel{58, 8, 58 + 57, 8 + 25};
constexpr Rect kDatePanel{648, 8, 648 + 247, 8 + 25};
constexpr Rect kPrevButton{16, 8, 16 + 35, 8 + 26};
constexpr Rect kNextButton{204, 8, 204 + 36, 8 + 26};
constexpr Rect kGuidePanel{248, 8, 248 + 393, 8 + 25};

} // namespace

TMainForm::TMainForm(AppContext context) : context_(std::move(context)), gridLayout_(kInitialColCount, kGridRowCount) {}

TMainForm::~TMainForm() {
    SetMessagePreview(nullptr);
    // The window and its children go while the controls they call into still exist.
    if (Hwnd() != nullptr) {
        KillTimer(Hwnd(), kTimer1);
        DestroyWindow(Hwnd());
    }
}

void TMainForm::Create() {
    CreateMenuBar();
    const int dpi = SystemDpi();
    scale_ = FittingScale(dpi, MonitorFromPoint(POINT{kDesignLeft, kDesignTop}, MONITOR_DEFAULTTOPRIMARY));
    gridLayout_.SetScale(scale_);
    chartMain_.Model().SetScale(scale_);
    MakeFonts();
    const MonthArea widest = MonthAreaFor(31, scale_);
    const SIZE frame = OuterSizeForClient(widest.clientWidth, widest.clientHeight, kFormStyle, true, 0, dpi);
    // The icons come with the window's class: set afterwards, each of them has Wine make the
    // window's icons anew for the desktop.
    ClassLook look;
    look.icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PURIMO), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    look.smallIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PURIMO), IMAGE_ICON, 16, 16, LR_SHARED));
    CreateWindowOf(L"TMainForm", 0, kFormStyle, kDesignLeft, kDesignTop, frame.cx, frame.cy, nullptr, menu_, L"", look);
    SetMessagePreview([this](const MSG& msg) { return PreviewKey(msg); });
}

bool TMainForm::PreviewKey(const MSG& msg) {
    if (Hwnd() == nullptr || (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd)) || !IsWindowEnabled(Hwnd()))
        return false;
    const bool alt = (msg.lParam & (1 << 29)) != 0;
    if (msg.message == WM_SYSKEYDOWN && alt && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)) {
        pagedWithAlt_ = true;
        // A held key pages once.
        if ((msg.lParam & (1 << 30)) != 0)
            return true;
        Guarded(Hwnd(), [this, &msg] {
            CommitOpenEditor();
            if (msg.wParam == VK_LEFT)
                btnPrevClick();
            else
                btnNextClick();
        });
        return true;
    }
    // The system opens the menu bar when Alt is released with no other key seen since it went down;
    // the arrow was not seen, so the keys' releases are not let through either.
    if ((msg.message == WM_SYSKEYUP || msg.message == WM_KEYUP) && pagedWithAlt_) {
        if (msg.wParam == VK_MENU || msg.wParam == VK_LMENU || msg.wParam == VK_RMENU) {
            pagedWithAlt_ = false;
            return true;
        }
        return msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT;
    }
    return false;
}

namespace {

struct WorkAreaSearch {
    RECT caption;
    bool reached = false;
};

BOOL CALLBACK CaptionOnMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* search = reinterpret_cast<WorkAreaSearch*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT common;
    if (GetMonitorInfoW(monitor, &info) && IntersectRect(&common, &search->caption, &info.rcWork))
        search->reached = true;
    return !search->reached;
}

} // namespace

void TMainForm::KeepOnScreen() {
    RECT window;
    GetWindowRect(Hwnd(), &window);
    WorkAreaSearch search;
    search.caption = window;
    search.caption.bottom = window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    EnumDisplayMonitors(nullptr, nullptr, &CaptionOnMonitor, reinterpret_cast<LPARAM>(&search));
    if (search.reached)
        return;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& work = info.rcWork;
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    // Just enough to stand whole in the work area; at its top-left corner where it is larger.
    const LONG x = std::max(work.left, std::min(window.left, work.right - width));
    const LONG y = std::max(work.top, std::min(window.top, work.bottom - height));
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DisplayScale TMainForm::FittingScale(int dpi, HMONITOR monitor) const {
    // The window of a 31-day month, the widest.
    const MonthArea widest = MonthAreaFor(31, DisplayScale());
    return ScaleFittingMonitor(DisplayScale(dpi), monitor, widest.clientWidth, widest.clientHeight, kFormStyle, true,
                               dpi);
}

void TMainForm::MakeFonts() {
    formFont_ = MakeFont(kFace, scale_.FontHeight(kFormFontHeight), false);
    labelFont_ = MakeFont(kFace, scale_.FontHeight(kLabelFontHeight), true);
    gridFont_ = MakeFont(kFace, scale_.FontHeight(kGridFont.height), false);
}

void TMainForm::PlaceControls() {
    Place(pnlMonth_.Hwnd(), scale_.Box(kMonthPanel));
    Place(pnlYear_.Hwnd(), scale_.Box(kYearPanel));
    Place(pnlDate_.Hwnd(), scale_.Box(kDatePanel));
    Place(btnPrev_.Hwnd(), scale_.Box(kPrevButton));
    Place(btnNext_.Hwnd(), scale_.Box(kNextButton));
    Place(pnlGuide_.Hwnd(), scale_.Box(kGuidePanel));
    MonthArea area = MonthAreaFor(gridModel_.ColCount() - 1, scale_);
    Place(gridMain_.Hwnd(), area.grid);
    Place(chartMain_.Hwnd(), area.chart);
    RECT client;
    GetClientRect(Hwnd(), &client);
    RECT frame;
    GetWindowRect(Hwnd(), &frame);
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left + area.clientWidth - client.right,
                 frame.bottom - frame.top + area.clientHeight - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::ApplyDpi(int dpi, const RECT* suggested) {
    HMONITOR monitor = suggested != nullptr ? MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST)
                                            : MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST);
    if (suggested != nullptr)
        SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DisplayScale scale = FittingScale(dpi, monitor);
    if (scale == scale_)
        return;
    // What is open is written into its cell first: the lists are made anew for their items' height.
    CommitOpenEditor();
    cmbEvent_.Destroy();
    cmbTemp_.Destroy();
    scale_ = scale;
    KeepScaleWith(Hwnd(), scale_);
    MakeFonts();
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.Get()), FALSE);
    pnlMonth_.SetFont(scale_.Font(kPanelYearFont));
    pnlYear_.SetFont(scale_.Font(kPanelYearFont));
    pnlDate_.SetFont(scale_.Font(kPanelDateFont));
    pnlGuide_.SetFont(scale_.Font(kPanelGuideFont));
    btnPrev_.SetScale(scale_);
    btnNext_.SetScale(scale_);
    gridLayout_.SetScale(scale_);
    gridMain_.SetFont(scale_.Font(kGridFont));
    chartMain_.Model().SetScale(scale_);
    if (spinEdit_.Edit() != nullptr) {
        Rect box = scale_.Box(kSpinEditBox);
        spinEdit_.Resize(box.Width(), box.Height(), gridFont_.Get(), scale_.Edge(kSpinArrowsWidth));
    }
    ScaleTooltipFont();
    PlaceControls();
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TMainForm::Show(int showCommand) {
    ShowWindow(Hwnd(), showCommand);
    // The first paint waits for FormShow to fill the window: painted before, the user saw an
    // empty grid and chart for a moment, and the start paid for a whole paint more.
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    UpdateWindow(Hwnd());
}

bool TMainForm::RequestClose() {
    SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
    return Hwnd() == nullptr;
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate();
    case WM_COMMAND:
        return OnCommand(wp, lp);
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_TIMER:
        return OnTimer();
    case WM_CLOSE:
        return OnClose();
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_ENDSESSION:
        // A log-off that another program refused: she goes on, and is told of merges again.
        endingSession_ = endingSession_ && wp != FALSE;
        return 0;
    case WM_ACTIVATE:
        return OnActivate(LOWORD(wp));
    case WM_MEASUREITEM:
        return OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
    case WM_PAINT:
        return PaintDirect();
    case WM_DRAWITEM:
        return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    case WM_DPICHANGED:
        Guarded(Hwnd(), [this, wp, lp] { ApplyDpi(LOWORD(wp), reinterpret_cast<const RECT*>(lp)); });
        return 0;
    case WM_DESTROY:
        ForgetScale(Hwnd());
        PostQuitMessage(0);
        return 0;
    default:
        return Window::HandleMessage(msg, wp, lp);
    }
}

LRESULT TMainForm::OnCreate() {
    KeepScaleWith(Hwnd(), scale_);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.Get()), FALSE);
    CreateControls();
    SetTimer(Hwnd(), kTimer1, 1000, nullptr);
    FormCreate();
    return 0;
}

LRESULT TMainForm::OnCommand(WPARAM wp, LPARAM lp) {
    // Controls name themselves by their window; menu items by their identifier.
    if (lp != 0)
        return OnControlCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
    switch (LOWORD(wp)) {
    case kCmdFileSaves:
        menuFileSavesClick();
        break;
    case kCmdFilePrint:
        menuFilePrintClick();
        break;
    case kCmdFileExit:
        menuFileExitClick();
        break;
    case kCmdSettingMarks:
        menuSettingMarksClick();
        break;
    case kCmdHelpManual:
        menuHelpManualClick();
        break;
    case kCmdHelpHomePage:
        menuHelpHomePageClick();
        break;
    case kCmdHelpAbout:
        menuHelpAboutClick();
        break;
    case kCmdCycleGraph:
        menuCycleGraphClick();
        break;
    case kCmdCycleReport:
        menuCycleReportClick();
        break;
    case kCmdCycleTable:
        menuCycleTableClick();
        break;
    case kCmdCycleCsv:
        menuCycleCsvClick();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT TMainForm::OnControlCommand(HWND control, UINT code) {
    // Leaving an editor for another program or a dialog keeps it open: it gets the focus back
    // when the window is active again.
    bool leaving = code == EN_KILLFOCUS || code == CBN_KILLFOCUS;
    if (leaving && FocusLeftTheWindow())
        return 0;
    if (control == spinEdit_.Edit())
        spinEdit_.Notify(code);
    else if (control == cmbTemp_.Hwnd())
        cmbTemp_.Notify(code);
    else if (control == cmbEvent_.Hwnd())
        cmbEvent_.Notify(code);
    return 0;
}

LRESULT TMainForm::OnCtlColorEdit(HDC dc, HWND control) {
    if (control == spinEdit_.Edit())
        return spinEdit_.Field().ColorFor(dc);
    return Default(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

bool TMainForm::FocusLeftTheWindow() const {
    HWND focus = GetFocus();
    return focus == nullptr || (focus != Hwnd() && !IsChild(Hwnd(), focus));
}

HWND TMainForm::ActiveControl() const {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(Hwnd(), focus))
        return focus;
    return activeControl_;
}

LRESULT TMainForm::OnClose() {
    if (FormCloseQuery())
        DestroyWindow(Hwnd());
    return 0;
}

LRESULT TMainForm::OnTimer() {
    Guarded(Hwnd(), [this] { Timer1Timer(); });
    return 0;
}

LRESULT TMainForm::OnActivate(UINT state) {
    // The control that had the focus gets it back when the window is active again, as the user
    // left it; the system alone would give it to the window itself.
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        activeControl_ = focus != nullptr && IsChild(Hwnd(), focus) ? focus : activeControl_;
        gridMain_.Refresh();
        return 0;
    }
    Guarded(Hwnd(), [this] { PickUpChangesElsewhere(); });
    HWND target = activeControl_ != nullptr && IsWindowVisible(activeControl_) ? activeControl_ : gridMain_.Hwnd();
    if (!IsIconic(Hwnd()))
        SetFocus(target);
    // The current cell's focus rectangle follows the active control.
    gridMain_.Refresh();
    return 0;
}

LRESULT TMainForm::OnMeasureItem(MEASUREITEMSTRUCT* item) {
    // Asked while the lists are being made, before their windows are known: both are alike.
    if (item->CtlType != ODT_COMBOBOX)
        return FALSE;
    DropDownList::MeasureItem(item, scale_);
    return TRUE;
}

LRESULT TMainForm::OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->hwndItem == cmbTemp_.Hwnd())
        cmbTemp_.DrawItem(item);
    else if (item->hwndItem == cmbEvent_.Hwnd())
        cmbEvent_.DrawItem(item);
    else
        return FALSE;
    return TRUE;
}

LRESULT TMainForm::OnQueryEndSession() {
    // No box may hold up a log-off or a shutdown.
    endingSession_ = true;
    return FormCloseQuery() ? TRUE : FALSE;
}

void TMainForm::CreateMenuBar() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kCmdFileSaves, L"ビットマップで保存...(&A)");
    AppendMenuW(file, MF_STRING, kCmdFilePrint, L"画面印刷...(&P)");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kCmdFileExit, L"終了(&X)");
    HMENU setting = CreatePopupMenu();
    AppendMenuW(setting, MF_STRING | MF_UNCHECKED, kCmdSettingMarks, L"マーカー表示(&M)");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kCmdHelpManual, L"操作手順書(&M)");
    AppendMenuW(help, MF_STRING, kCmdHelpHomePage, L"著作権者ホームページ(&H)");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, kCmdHelpAbout, L"バージョン情報(&A)");
    menu_ = CreateMenu();
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル(&F)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(setting), L"グラフ設定(&S)");
    // The cycles have a menu of their own beside the month's.
    HMENU cycle = CreatePopupMenu();
    AppendMenuW(cycle, MF_STRING, kCmdCycleGraph, L"周期グラフ...(&G)");
    AppendMenuW(cycle, MF_STRING, kCmdCycleTable, L"周期一覧...(&L)");
    AppendMenuW(cycle, MF_STRING, kCmdCycleReport, L"受診用レポート印刷...(&R)");
    AppendMenuW(cycle, MF_STRING, kCmdCycleCsv, L"CSV 形式で書き出し...(&E)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(cycle), L"周期(&C)");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"ヘルプ(&H)");
}

void TMainForm::CreateControls() {
    HWND self = Hwnd();
    // Later controls stand in front of earlier ones. The system puts each new child behind those
    // made before it, so they are made from the front to the back and stand in their order without
    // being restacked one by one. The editors are made when first opened, in front of these.
    const DisplayScale& s = scale_;
    Rect r = s.Box(kMonthPanel);
    pnlMonth_.Create(self, r.left, r.top, r.Width(), r.Height(), s.Font(kPanelYearFont), kNavy,
                     SystemColor(kSysInactiveCaption));
    r = s.Box(kYearPanel);
    pnlYear_.Create(self, r.left, r.top, r.Width(), r.Height(), s.Font(kPanelYearFont), kNavy,
                    SystemColor(kSysInactiveCaption));
    r = s.Box(kDatePanel);
    pnlDate_.Create(self, r.left, r.top, r.Width(), r.Height(), s.Font(kPanelDateFont), kWhite, kNavy);
    r = s.Box(kPrevButton);
    btnPrev_.Create(self, r.left, r.top, r.Width(), r.Height(), IDB_HAND_PREV);
    btnPrev_.SetScale(s);
    btnPrev_.OnClick = [this] { btnPrevClick(); };
    btnPrev_.OnHover = [this](const MSG& move) { CreateTooltips(move); };
    r = s.Box(kNextButton);
    btnNext_.Create(self, r.left, r.top, r.Width(), r.Height(), IDB_HAND_NEXT);
    btnNext_.SetScale(s);
    btnNext_.OnClick = [this] { btnNextClick(); };
    btnNext_.OnHover = [this](const MSG& move) { CreateTooltips(move); };
    r = s.Box(kGuidePanel);
    pnlGuide_.Create(self, r.left, r.top, r.Width(), r.Height(), s.Font(kPanelGuideFont), kBlack, kLightMagenta);
    MonthArea area = MonthAreaFor(kInitialColCount - 1, s);
    chartMain_.Create(self, area.chart.left, area.chart.top, area.chart.Width(), area.chart.Height());
    gridMain_.Create(self, area.grid.left, area.grid.top, area.grid.Width(), area.grid.Height(), s.Font(kGridFont));
    gridMain_.OnSelectCell = [this] { gridMainClick(); };
    gridMain_.OnKey = [this](WORD key, bool shift, bool) { gridMainKeyDown(key, shift); };
    gridMain_.OnTab = [this](bool forward) { FocusNextEditor(forward); };
    gridMain_.IsActiveControl = [this] { return ActiveControl() == gridMain_.Hwnd(); };
}

std::vector<HWND> TMainForm::ChildrenBackToFront() const {
    return {gridMain_.Hwnd(), chartMain_.Hwnd(), pnlGuide_.Hwnd(), btnNext_.Hwnd(), btnPrev_.Hwnd(), pnlDate_.Hwnd(),
            pnlYear_.Hwnd(),  pnlMonth_.Hwnd(),  cmbEvent_.Hwnd(), cmbTemp_.Hwnd(), spinEdit_.Edit()};
}

// The tooltips are made when the mouse first comes over a paging button, and that move is handed
// to them, so that they show as if they had been there all along: the common controls library they
// live in then loads only with them (its memory and a window less at every start).
void TMainForm::CreateTooltips(const MSG& move) {
    if (tooltip_ != nullptr)
        return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    LateBound<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx")(&icc);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    auto add = [this](HWND button, const wchar_t* text) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = const_cast<wchar_t*>(text);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    add(btnPrev_.Hwnd(), L"前月のデータを表示します。");
    add(btnNext_.Hwnd(), L"翌月のデータを表示します。");
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2500);
    ScaleTooltipFont();
    MSG relayed = move;
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void TMainForm::ScaleTooltipFont() {
    const int systemDpi = SystemDpi();
    if (tooltip_ == nullptr || (scale_.Dpi() == systemDpi && !tooltipFont_))
        return;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return;
    LOGFONTW font = metrics.lfStatusFont;
    font.lfHeight = MulDiv(font.lfHeight, scale_.Dpi(), systemDpi);
    FontHandle made(CreateFontIndirectW(&font));
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), FALSE);
    tooltipFont_ = std::move(made);
}

void TMainForm::ReportError(const std::string& message) {
    ShowErrorBox(message);
}

bool TMainForm::PaintContent(HDC dc, const RECT& client) {
    // The two labels are drawn with their own background and the rest of the face around them,
    // so that no pixel is drawn twice: the window is painted straight onto the screen, without an
    // off-screen image of its whole size made at every paint and every month switch.
    SelectScope font(dc, labelFont_.Get());
    struct Label {
        int x;
        const wchar_t* text;
        RECT box;
    };
    Label labels[] = {{scale_.Edge(176), L"月", {}}, {scale_.Edge(118), L"年", {}}};
    const int top = scale_.Edge(kLabelTop);
    int saved = SaveDC(dc);
    for (Label& label : labels) {
        SIZE size;
        GetTextExtentPoint32W(dc, label.text, 1, &size);
        label.box = {label.x, top, label.x + size.cx, top + size.cy};
        ExcludeClipRect(dc, label.box.left, label.box.top, label.box.right, label.box.bottom);
    }
    FillRect(dc, &client, GetSysColorBrush(COLOR_INACTIVECAPTION));
    RestoreDC(dc, saved);
    SetBkColor(dc, GetSysColor(COLOR_INACTIVECAPTION));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    for (const Label& label : labels)
        ExtTextOutW(dc, label.x, top, ETO_OPAQUE, &label.box, label.text, 1, nullptr);
    return true;
}

void TMainForm::FormCreate() {
    Guarded(Hwnd(), [this] {
        SettingsKey key(context_.settingsKey);
        RECT r;
        GetWindowRect(Hwnd(), &r);
        int left = key.ReadInteger(L"Windows", L"Left", 0);
        SetWindowPos(Hwnd(), nullptr, left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        int top = key.ReadInteger(L"Windows", L"Top", 0);
        SetWindowPos(Hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bool marks = key.ReadBool(L"Options", L"Marker", false);
        chartMain_.Model().SetMarksVisible(chartMain_.Model().SeriesAt(0), marks);
        CheckMenuItem(menu_, kCmdSettingMarks, MF_BYCOMMAND | (marks ? MF_CHECKED : MF_UNCHECKED));
    });
    std::wstring folder = context_.programFolder + L"client";
    if (!FolderExists(folder))
        CreateDirectoryW(folder.c_str(), nullptr);
}

void TMainForm::FormShow() {
    // An error is reported only once the wait window is gone, so that the error box does not stand
    // behind or beside it.
    std::exception_ptr failure;
    try {
        if (splash_ != nullptr) {
            splash_->SetTitle("アプリケーションを起動中です。");
            splash_->ShowNow();
        }
        FileVersionText = ReadFileVersion();
        SetCaptions();
        pnlGuide_.SetCaption("※凡例：×(生理), △(不正出血), ＋(おりもの), ◎(性交)");
        gridLayout_.SetColWidth(0, kLabelColWidth);
        LayOutGridTexts(gridModel_);
        gridLayout_.SetRowHeight(kRowMemo, kMemoRowHeight);
        gridMain_.Refresh();
        SYSTEMTIME now;
        GetLocalTime(&now);
        Set_ChangeCalender(now.wYear, now.wMonth);
    } catch (...) {
        failure = std::current_exception();
    }
    // Also when the month could not be read: the window must be reachable to say so.
    KeepOnScreen();
    if (splash_ != nullptr)
        splash_->Close();
    if (failure)
        Guarded(Hwnd(), [&failure] { std::rethrow_exception(failure); });
}

void TMainForm::SetCaptions() {
    std::wstring caption = std::wstring(kAppTitle) + L"  [for Version " + Widen(FileVersionText) + L"]";
    SetWindowTextW(Hwnd(), caption.c_str());
}

bool TMainForm::FormCloseQuery() {
    return Guarded(Hwnd(), [this] {
        // What the user just picked or typed belongs to the month that is saved now.
        CommitOpenEditor();
        SaveShownMonth(!endingSession_);
        SettingsKey key(context_.settingsKey);
        RECT r = NormalWindowRect();
        key.WriteInteger(L"Windows", L"Left", r.left);
        key.WriteInteger(L"Windows", L"Top", r.top);
        key.WriteBool(L"Options", L"Marker", MarksChecked());
    });
}

namespace {

// Where the screen's origin lies in the coordinates of a window's restored place. Windows keeps that
// place in workspace coordinates, which start at the corner of the primary monitor's work area, so
// with a task bar at the top or left they differ from the screen's; Wine keeps it in screen
// coordinates. A hidden window at the screen's origin shows which this system does.
POINT ScreenOriginInPlacement() {
    POINT origin{0, 0};
    HWND probe =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (probe == nullptr)
        return origin;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(probe, &placement))
        origin = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    DestroyWindow(probe);
    return origin;
}

} // namespace

RECT TMainForm::NormalWindowRect() const {
    RECT r;
    GetWindowRect(Hwnd(), &r);
    // A minimised window stands far off the screen; its place on the screen is the one it returns to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (IsIconic(Hwnd()) && GetWindowPlacement(Hwnd(), &placement)) {
        POINT origin = ScreenOriginInPlacement();
        r = placement.rcNormalPosition;
        OffsetRect(&r, -origin.x, -origin.y);
    }
    return r;
}

void TMainForm::Timer1Timer() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    auto localeText = [](LCTYPE type) {
        wchar_t buffer[80] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 80);
        return Narrow(buffer);
    };
    // LOCALE_SDAYNAME1 is Monday; wDayOfWeek counts from Sunday.
    LCTYPE weekday = LOCALE_SDAYNAME1 + (now.wDayOfWeek + 6) % 7;
    ClockTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    pnlDate_.SetCaption(FormatClock(time, localeText(LOCALE_SDATE), localeText(LOCALE_STIME), localeText(weekday)));
}

void TMainForm::menuFileExitClick() {
    PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

bool TMainForm::MarksChecked() const {
    return (GetMenuState(menu_, kCmdSettingMarks, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TMainForm::FocusNextEditor(bool forward) {
    std::vector<HWND> order{gridMain_.Hwnd(), cmbEvent_.Hwnd(), cmbTemp_.Hwnd(), spinEdit_.Edit()};
    HWND focus = GetFocus();
    size_t at = 0;
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] == focus)
            at = i;
    for (size_t step = 1; step < order.size(); ++step) {
        size_t next = forward ? (at + step) % order.size() : (at + order.size() - step) % order.size();
        if (IsWindowVisible(order[next])) {
            SetFocus(order[next]);
            return;
        }
    }
}

} // namespace purimo
