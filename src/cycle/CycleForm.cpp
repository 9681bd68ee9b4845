#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "cycle/CycleChart.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleText.h"
#include "widgets/Dpi.h"
#include "widgets/GdiCanvas.h"
#include "widgets/Modal.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

constexpr int kClientWidth = 960;
constexpr int kClientHeight = 640;
constexpr Rect kChart{8, 8, 952, 372};
constexpr int kLinesTop = 380;
constexpr int kTextLines = 14;
constexpr int kButtonWidth = kCycleButtonWidth;
constexpr int kButtonHeight = kCycleButtonHeight;
constexpr int kButtonsTop = kClientHeight - kButtonHeight - 8;

enum : int { kIdPrev = 101, kIdNext = 102, kIdReport = 103, kIdLeaveOut = 104 };
constexpr int kReportButtonWidth = 200;
constexpr int kLeaveOutButtonWidth = 160;
const wchar_t* const kLeaveOutText = L"体温を除外(&X)";
const wchar_t* const kTakeBackText = L"除外を取り消す(&X)";
constexpr int kFontHeight = -15;
constexpr Rect kPrevBox{8, kButtonsTop, 8 + kButtonWidth, kButtonsTop + kButtonHeight};
constexpr Rect kNextBox{kPrevBox.right + 8, kButtonsTop, kPrevBox.right + 8 + kButtonWidth, kPrevBox.bottom};
constexpr Rect kLeaveOutBox{kNextBox.right + 8, kButtonsTop, kNextBox.right + 8 + kLeaveOutButtonWidth,
                            kPrevBox.bottom};
constexpr Rect kCloseBox{kClientWidth - 8 - kButtonWidth, kButtonsTop, kClientWidth - 8, kPrevBox.bottom};
constexpr Rect kReportBox{kCloseBox.left - 8 - kReportButtonWidth, kButtonsTop, kCloseBox.left - 8, kPrevBox.bottom};

} // namespace

void CycleChartView::Create(TCycleForm& form, HWND parent, int x, int y, int w, int h) {
    form_ = &form;
    CreateWindowOf(L"PurimoCycleChart", 0, WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr);
}

bool CycleChartView::PaintContent(HDC dc, const RECT& client) {
    GdiCanvas canvas(dc);
    const CycleAnalysis& analysis = form_->Analysis();
    const int index = form_->ShownCycle();
    if (index < 0) {
        canvas.Fill(Rect{0, 0, client.right, client.bottom}, SystemColor(kSysBtnFace));
        return true;
    }
    const Cycle& cycle = analysis.cycles[static_cast<size_t>(index)];
    const CycleChartLayout layout = LayOutCycleChart(canvas, cycle, form_->Series().Days(), client.right, client.bottom,
                                                     0, form_->SelectedDay(), form_->Scale());
    plotLeft_ = layout.plotLeft;
    plotWidth_ = layout.plotWidth;
    dayCount_ = layout.dayCount;
    DrawCycleChart(canvas, layout);
    return true;
}

int CycleChartView::DayX(int index) const {
    return plotLeft_ + static_cast<int>((2LL * index + 1) * plotWidth_ / (2LL * dayCount_));
}

LRESULT CycleChartView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A press on a day's column, plot or labels, selects the day; the right button's then opens the
    // menu of the day.
    if ((msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) && form_->ShownCycle() >= 0) {
        const Cycle& cycle = form_->Analysis().cycles[static_cast<size_t>(form_->ShownCycle())];
        CycleChartLayout columns;
        columns.plotLeft = plotLeft_;
        columns.plotWidth = plotWidth_;
        columns.dayCount = dayCount_;
        form_->SelectDay(cycle.start + DayIndexAt(columns, GET_X_LPARAM(lp), cycle.Length()));
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

TCycleForm::TCycleForm(HWND owner, DaySeries series, int shownLastDay)
    : ModalForm(owner, kClientWidth, kClientHeight), series_(std::move(series)), analysis_(AnalyseCycles(series_)),
      font_(MakeFont(L"ＭＳ ゴシック", Scale().FontHeight(kFontHeight), false)) {
    CreateOverOwner(L"TCycleForm", kCycleFormStyle, kClientWidth, kClientHeight, L"周期グラフ", font_.Get());
    const Rect chart = Scale().Box(kChart);
    chart_.Create(*this, Hwnd(), chart.left, chart.top, chart.Width(), chart.Height());
    lines_.Create(Hwnd(), kChart.left, kLinesTop, kChart.Width(), kTextLines, font_.Get(), Scale());
    btnPrev_ = MakeButton(L"前の周期(&P)", kIdPrev, kPrevBox);
    btnNext_ = MakeButton(L"次の周期(&N)", kIdNext, kNextBox);
    btnLeaveOut_ = MakeButton(kLeaveOutText, kIdLeaveOut, kLeaveOutBox);
    btnReport_ = MakeButton(L"受診用レポート印刷...(&R)", kIdReport, kReportBox);
    btnClose_ = MakeButton(L"閉じる", IDCANCEL, kCloseBox);

    if (analysis_.cycles.empty()) {
        ShowWindow(chart_.Hwnd(), SW_HIDE);
        ShowWindow(btnPrev_, SW_HIDE);
        ShowWindow(btnNext_, SW_HIDE);
        ShowWindow(btnReport_, SW_HIDE);
        ShowWindow(btnLeaveOut_, SW_HIDE);
        lines_.Set(CycleTexts(analysis_, 0));
    } else {
        ShowCycle(CycleIndexAt(analysis_, shownLastDay));
    }
}

void TCycleForm::LayOutAgain() {
    const DisplayScale& scale = Scale();
    // The windows take the new font before the old one goes.
    FontHandle font = MakeFont(L"ＭＳ ゴシック", scale.FontHeight(kFontHeight), false);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    SizeClientTo(kClientWidth, kClientHeight);
    Place(chart_.Hwnd(), scale.Box(kChart));
    lines_.Place(kChart.left, kLinesTop, kChart.Width(), font.Get(), scale);
    const std::pair<HWND, Rect> buttons[] = {{btnPrev_, kPrevBox},
                                             {btnNext_, kNextBox},
                                             {btnLeaveOut_, kLeaveOutBox},
                                             {btnReport_, kReportBox},
                                             {btnClose_, kCloseBox}};
    for (const auto& [button, box] : buttons) {
        Place(button, scale.Box(box));
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    font_ = std::move(font);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

HWND TCycleForm::MakeButton(const wchar_t* text, int id, const Rect& design) {
    const Rect box = Scale().Box(design);
    HWND button = CreateWindowExW(
        0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, box.left, box.top, box.Width(),
        box.Height(), Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return button;
}

void TCycleForm::ShowCycle(int index) {
    if (index < 0 || index >= CycleCount() || index == shown_)
        return;
    shown_ = index;
    const Cycle& cycle = analysis_.cycles[static_cast<size_t>(index)];
    selected_ = cycle.end;
    for (int serial = cycle.end; serial >= cycle.start; --serial) {
        const DayRecord* day = Record(serial);
        if (day != nullptr && day->hundredths > 0) {
            selected_ = serial;
            break;
        }
    }
    Refresh();
}

const DayRecord* TCycleForm::Record(int serial) const {
    const std::vector<DayRecord>& days = series_.Days();
    auto it =
        std::lower_bound(days.begin(), days.end(), serial, [](const DayRecord& d, int s) { return d.serial < s; });
    return it != days.end() && it->serial == serial ? &*it : nullptr;
}

void TCycleForm::Refresh() {
    std::vector<std::string> lines = CycleTexts(analysis_, shown_);
    // The months that could not be read are named before the closing notice.
    std::string unreadable = UnreadableText(series_);
    if (!unreadable.empty())
        lines.insert(lines.end() - 1, unreadable);
    lines_.Set(lines);
    // A disabled button must not keep the focus, or the keys would go nowhere.
    HWND focus = GetFocus();
    const bool older = shown_ > 0;
    const bool newer = shown_ + 1 < CycleCount();
    const bool toggle = CanToggleLeftOut();
    if ((!older && focus == btnPrev_) || (!newer && focus == btnNext_) || (!toggle && focus == btnLeaveOut_))
        SetFocus(btnClose_);
    EnableWindow(btnPrev_, older);
    EnableWindow(btnNext_, newer);
    EnableWindow(btnLeaveOut_, toggle);
    SetWindowTextW(btnLeaveOut_, series_.IsExcluded(selected_) ? kTakeBackText : kLeaveOutText);
    InvalidateRect(chart_.Hwnd(), nullptr, FALSE);
}

void TCycleForm::SelectDay(int serial) {
    if (shown_ < 0)
        return;
    const Cycle& cycle = analysis_.cycles[static_cast<size_t>(shown_)];
    serial = std::clamp(serial, cycle.start, cycle.end);
    if (serial == selected_)
        return;
    selected_ = serial;
    Refresh();
}

bool TCycleForm::CanToggleLeftOut() const {
    const DayRecord* day = Record(selected_);
    return shown_ >= 0 && !series_.ExcludedUnreadable() && day != nullptr && day->hundredths > 0;
}

void TCycleForm::ToggleLeftOut() {
    if (!CanToggleLeftOut() || !ChangeLeftOut)
        return;
    series_.SetExcluded(ChangeLeftOut(selected_, !series_.IsExcluded(selected_)));
    // Every cycle's shift, the statistics and the forecast follow.
    analysis_ = AnalyseCycles(series_);
    Refresh();
}

LRESULT TCycleForm::OnContextMenu(HWND from, LPARAM lp) {
    POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (lp == -1) {
        // The menu key or Shift+F10: at the selected day's column.
        if (shown_ < 0)
            return 0;
        at = {chart_.DayX(selected_ - analysis_.cycles[static_cast<size_t>(shown_)].start), Scale().Edge(20)};
        ClientToScreen(chart_.Hwnd(), &at);
    } else if (from != chart_.Hwnd()) {
        return Default(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(from), lp);
    }
    if (shown_ < 0)
        return 0;
    MenuHandle menu(CreatePopupMenu());
    AppendMenuW(menu.Get(), MF_STRING | (CanToggleLeftOut() ? MF_ENABLED : MF_GRAYED), kIdLeaveOut,
                series_.IsExcluded(selected_) ? kTakeBackText : kLeaveOutText);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, Hwnd(), nullptr));
    if (chosen == kIdLeaveOut)
        ToggleLeftOut();
    return 0;
}

std::vector<std::string> TCycleForm::Texts() const {
    return lines_.Texts();
}

void TCycleForm::ShowModal(const std::function<void()>& shown) {
    ShowModally(
        [this, &shown] {
            SetFocus(btnClose_);
            if (shown)
                shown();
        },
        [this](const MSG& msg) { return PreviewKey(msg) || DialogMessage(msg); });
}

bool TCycleForm::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != Hwnd() && GetParent(msg.hwnd) != Hwnd()))
        return false;
    switch (msg.wParam) {
    // The selected day, whichever control has the focus.
    case VK_LEFT:
        SelectDay(selected_ - 1);
        return true;
    case VK_RIGHT:
        SelectDay(selected_ + 1);
        return true;
    case VK_HOME:
        if (shown_ >= 0)
            SelectDay(analysis_.cycles[static_cast<size_t>(shown_)].start);
        return true;
    case VK_END:
        if (shown_ >= 0)
            SelectDay(analysis_.cycles[static_cast<size_t>(shown_)].end);
        return true;
    case VK_PRIOR:
        ShowOlder();
        return true;
    case VK_NEXT:
        ShowNewer();
        return true;
    default:
        return false;
    }
}

LRESULT TCycleForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wp));
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wp), lp);
    default:
        return ModalForm::HandleMessage(msg, wp, lp);
    }
}

LRESULT TCycleForm::OnCommand(UINT id) {
    switch (id) {
    case kIdPrev:
        ShowOlder();
        break;
    case kIdNext:
        ShowNewer();
        break;
    case kIdLeaveOut:
        ToggleLeftOut();
        break;
    case kIdReport:
        if (OnReport && shown_ >= 0)
            OnReport(shown_);
        break;
    case IDCANCEL:
        EndShowing();
        break;
    default:
        break;
    }
    return 0;
}

} // namespace purimo
