#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "common/LateBinding.h"
#include "cycle/CycleTableForm.h"
#include "cycle/CycleText.h"
#include "widgets/Dpi.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

constexpr int kClientWidth = 1010;
constexpr int kClientHeight = 480;
constexpr Rect kList{8, 8, 1002, 360};
constexpr int kLinesTop = 366;
constexpr int kTextLines = 4;
// The widths of the columns, in the order of the headers.
constexpr int kColumnWidths[kCycleTableColumns] = {88, 88, 48, 120, 64, 88, 104, 90, 90, 50, 90, 50};
constexpr int kFontHeight = -15;
constexpr int kListFontHeight = -12;
constexpr Rect kCloseBox{kClientWidth - 8 - kCycleButtonWidth, kClientHeight - 8 - kCycleButtonHeight, kClientWidth - 8,
                         kClientHeight - 8};

// Scaled by their edges, so that the columns end where they would at 96 DPI, scaled.
int ColumnWidth(int column, const DisplayScale& scale) {
    int left = 0;
    for (int c = 0; c < column; ++c)
        left += kColumnWidths[c];
    return scale.Size(left, kColumnWidths[column]);
}

} // namespace

TCycleTableForm::TCycleTableForm(HWND owner, DaySeries series)
    : ModalForm(owner, kClientWidth, kClientHeight), series_(std::move(series)),
      font_(MakeFont(L"ＭＳ ゴシック", Scale().FontHeight(kFontHeight), false)),
      listFont_(MakeFont(L"ＭＳ ゴシック", Scale().FontHeight(kListFontHeight), false)) {
    // The list view lives in the common controls library, which the program loads only when needed.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    LateBound<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx")(&icc);
    CreateOverOwner(L"TCycleTableForm", kCycleFormStyle, kClientWidth, kClientHeight, L"周期一覧", font_.Get());

    const DisplayScale& scale = Scale();
    const Rect list = scale.Box(kList);
    list_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, list.left,
                        list.top, list.Width(), list.Height(), Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    // The grid's size of type, so that twelve columns with their headers fit the width.
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), FALSE);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < kCycleTableColumns; ++c) {
        std::wstring header = Widen(kCycleTableHeaders[c]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = ColumnWidth(c, scale);
        column.pszText = header.data();
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    lines_.Create(Hwnd(), kList.left, kLinesTop, kList.Width(), kTextLines, font_.Get(), scale);
    const Rect close = scale.Box(kCloseBox);
    btnClose_ =
        CreateWindowExW(0, L"BUTTON", L"閉じる", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, close.left,
                        close.top, close.Width(), close.Height(), Hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(btnClose_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    Fill();
}

void TCycleTableForm::LayOutAgain() {
    const DisplayScale& scale = Scale();
    // The windows take the new fonts before the old ones go.
    FontHandle font = MakeFont(L"ＭＳ ゴシック", scale.FontHeight(kFontHeight), false);
    FontHandle listFont = MakeFont(L"ＭＳ ゴシック", scale.FontHeight(kListFontHeight), false);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    SizeClientTo(kClientWidth, kClientHeight);
    Place(list_, scale.Box(kList));
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.Get()), TRUE);
    for (int c = 0; c < kCycleTableColumns; ++c)
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), ColumnWidth(c, scale));
    lines_.Place(kList.left, kLinesTop, kList.Width(), font.Get(), scale);
    Place(btnClose_, scale.Box(kCloseBox));
    SendMessageW(btnClose_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    font_ = std::move(font);
    listFont_ = std::move(listFont);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TCycleTableForm::Fill() {
    const CycleAnalysis analysis = AnalyseCycles(series_);
    rows_ = CycleTableRows(analysis);
    // The list asks for the texts of the rows it shows, so that twenty years of cycles open at once.
    cells_.clear();
    for (const CycleTableRow& row : rows_) {
        std::vector<std::wstring> cells;
        for (const std::string& cell : row.cells)
            cells.push_back(Widen(cell));
        cells_.push_back(std::move(cells));
    }
    SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
    std::vector<std::string> texts = StatisticsTexts(analysis.statistics);
    if (analysis.statistics.leftOutUnreadable)
        texts.push_back(kUnreadableLeftOutText);
    if (std::string unreadable = UnreadableText(series_); !unreadable.empty())
        texts.push_back(unreadable);
    lines_.Set(texts);
    InvalidateRect(list_, nullptr, TRUE);
}

std::vector<std::string> TCycleTableForm::Texts() const {
    return lines_.Texts();
}

void TCycleTableForm::ShowModal(const std::function<void()>& shown) {
    ShowModally(
        [this, &shown] {
            SetFocus(list_);
            if (!rows_.empty())
                ListView_SetItemState(list_, 0, LVIS_FOCUSED, LVIS_FOCUSED);
            if (shown)
                shown();
        },
        [this](const MSG& msg) { return PreviewKey(msg) || DialogMessage(msg); });
}

void TCycleTableForm::OpenRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !OpenCycle)
        return;
    series_ = OpenCycle(Hwnd(), series_, rows_[static_cast<size_t>(row)].cycle);
    Fill();
}

void TCycleTableForm::SelectAllRows() {
    ListView_SetItemState(list_, -1, LVIS_SELECTED, LVIS_SELECTED);
}

void TCycleTableForm::CopyRows() {
    std::vector<CycleTableRow> chosen;
    for (int r = -1; (r = ListView_GetNextItem(list_, r, LVNI_SELECTED)) >= 0;)
        if (r < static_cast<int>(rows_.size()))
            chosen.push_back(rows_[static_cast<size_t>(r)]);
    const std::wstring text = Widen(CycleTableText(chosen.empty() ? rows_ : chosen));
    if (!OpenClipboard(Hwnd()))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        if (auto* chars = static_cast<wchar_t*>(GlobalLock(memory))) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

bool TCycleTableForm::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != Hwnd() && GetParent(msg.hwnd) != Hwnd()))
        return false;
    const bool control = KeyHeld(VK_CONTROL);
    if (msg.wParam == VK_RETURN && msg.hwnd == list_) {
        OpenRow(ListView_GetNextItem(list_, -1, LVNI_FOCUSED));
        return true;
    }
    if (control && msg.wParam == 'A') {
        SelectAllRows();
        return true;
    }
    if (control && msg.wParam == 'C') {
        CopyRows();
        return true;
    }
    return false;
}

LRESULT TCycleTableForm::OnNotify(const NMHDR* header) {
    if (header->hwndFrom != list_)
        return 0;
    if (header->code == NM_DBLCLK)
        OpenRow(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item;
        const size_t row = static_cast<size_t>(item.iItem);
        const size_t column = static_cast<size_t>(item.iSubItem);
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0 && row < cells_.size() &&
            column < cells_[row].size()) {
            const std::wstring& text = cells_[row][column];
            const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
            text.copy(item.pszText, length);
            item.pszText[length] = L'\0';
        }
    }
    return 0;
}

LRESULT TCycleTableForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL)
            EndShowing();
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lp));
    default:
        return ModalForm::HandleMessage(msg, wp, lp);
    }
}

} // namespace purimo
