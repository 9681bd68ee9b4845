#include <windows.h>

#include <cstdlib>

#include "app/Main.h"
#include "entry/CellPainter.h"
#include "entry/EditorRules.h"
#include "month/ShowMonth.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

std::vector<std::wstring> WideItems(const auto& items) {
    std::vector<std::wstring> wide;
    for (const char* item : items)
        wide.push_back(Widen(item));
    return wide;
}

char32_t LocaleDecimalSeparator() {
    wchar_t separator[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return separator[0] != L'\0' ? separator[0] : U'.';
}

} // namespace

// The editors are hidden until the user opens one, and every window made at the start costs it:
// each is made at its first opening, in front of the grid. The cycle-day field holds "0" before it
// is made.
void TMainForm::CreateSpinEdit() {
    if (spinEdit_.Edit() != nullptr)
        return;
    Rect box = scale_.Box(kSpinEditBox);
    spinEdit_.Create(Hwnd(), box.left, box.top, box.Width(), box.Height(), gridFont_.Get(), kSpinMaxChars,
                     scale_.Edge(kSpinArrowsWidth));
    spinEdit_.CentreText();
    spinEdit_.SetText(spinShown_);
    char32_t separator = LocaleDecimalSeparator();
    spinEdit_.Field().FilterChar = [separator](wchar_t ch) {
        return SpinAcceptsChar(ch, separator) ? CharVerdict::Accept : CharVerdict::Refuse;
    };
    spinEdit_.OnStep = [this](int delta) {
        SetSpinText(SpinStepText(SpinText(), delta));
        spinEdit_.Field().SelectAll();
    };
    spinEdit_.OnExit = [this] { spinEditExit(); };
    spinEdit_.OnTab = [this](bool forward) { FocusNextEditor(forward); };
    SetWindowPos(spinEdit_.Edit(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Each list is a window and a pop-up window of its own, and Wine makes every window with an X
// window of its own: time at every start for lists that are needed only at the first click on a
// temperature or a mark. They stand behind the cycle-day field, or in front of all when it is not
// made yet.
void TMainForm::CreateLists() {
    if (cmbEvent_.Hwnd() != nullptr)
        return;
    HWND self = Hwnd();
    Rect box = scale_.Box(Rect{652, 10, 652 + 36, 10 + 20});
    cmbEvent_.Create(self, box.left, box.top, box.Width(), box.Height(), gridFont_.Get(), scale_);
    cmbEvent_.SetItems(WideItems(kEventItems));
    cmbEvent_.OnExit = [this] { cmbEventExit(); };
    cmbEvent_.OnTab = [this](bool forward) { FocusNextEditor(forward); };

    box = scale_.Box(Rect{700, 10, 700 + 50, 10 + 20});
    cmbTemp_.Create(self, box.left, box.top, box.Width(), box.Height(), gridFont_.Get(), scale_);
    cmbTemp_.SetItems(WideItems(kTemperatureItems));
    cmbTemp_.OnExit = [this] { cmbTempExit(); };
    cmbTemp_.OnPick = [this] { cmbTempClick(); };
    cmbTemp_.OnTab = [this](bool forward) { FocusNextEditor(forward); };

    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    HWND front = spinEdit_.Edit() != nullptr ? spinEdit_.Edit() : HWND_TOP;
    SetWindowPos(cmbTemp_.Hwnd(), front, 0, 0, 0, 0, kZOrderOnly);
    SetWindowPos(cmbEvent_.Hwnd(), cmbTemp_.Hwnd(), 0, 0, 0, 0, kZOrderOnly);
}

void TMainForm::SetMemoDialog(TComEditForm* memo) {
    memo_ = memo;
    if (memo_ != nullptr)
        memo_->OnOk = [this](const std::string& text) { WriteCurrentCell(text); };
}

void TMainForm::SetSpinText(const std::string& text) {
    spinBytes_ = text;
    spinShown_ = Widen(text);
    if (spinEdit_.Edit() != nullptr)
        spinEdit_.SetText(spinShown_);
}

std::string TMainForm::SpinText() const {
    if (spinEdit_.Edit() == nullptr)
        return spinBytes_;
    std::wstring text = spinEdit_.Text();
    return text == spinShown_ ? spinBytes_ : Narrow(text);
}

void TMainForm::WriteCurrentCell(const std::string& text) {
    CellPos cell = gridModel_.Current();
    gridModel_.SetCell(cell.col, cell.row, CellLine(text));
    gridMain_.Refresh();
}

POINT TMainForm::EditorPlace(CellPos cell) const {
    RECT grid;
    GetWindowRect(gridMain_.Hwnd(), &grid);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&grid), 2);
    Rect r = gridMain_.CellRect(cell.col, cell.row);
    return POINT{grid.left + r.left, grid.top + r.top};
}

void TMainForm::gridMainClick() {
    CellPos cell = gridModel_.Current();
    const std::string text = gridModel_.Cell(cell.col, cell.row);
    switch (cell.row) {
    case kRowCycleDay:
        OpenSpinEdit(text, EditorPlace(cell));
        break;
    case kRowTemperature:
        CreateLists();
        OpenList(cmbTemp_, MatchTemperatureItem(text), EditorPlace(cell));
        break;
    case kRowEvent:
        CreateLists();
        OpenList(cmbEvent_, MatchEventItem(text), EditorPlace(cell));
        break;
    case kRowMemo:
        OpenMemo(text, cell.col);
        break;
    default:
        break;
    }
}

void TMainForm::OpenSpinEdit(const std::string& text, POINT at) {
    // An empty cell opens on what the field held when it was last left.
    CreateSpinEdit();
    if (!text.empty())
        SetSpinText(text);
    spinEdit_.MoveTo(at.x, at.y);
    spinEdit_.Show(true);
    spinEdit_.Field().SetColor(kYellow);
    SetFocus(spinEdit_.Edit());
}

void TMainForm::OpenList(DropDownList& list, int match, POINT at) {
    list.SetSelection(-1);
    list.MoveTo(at.x, at.y);
    list.Show(true);
    list.SetSelection(match);
    list.SetColor(kYellow);
    SetFocus(list.Hwnd());
}

void TMainForm::OpenMemo(const std::string& text, int col) {
    if (memo_ == nullptr && makeMemo_)
        SetMemoDialog(makeMemo_());
    if (memo_ == nullptr)
        return;
    memo_->SetMemo(text);
    memo_->SetTitle(MemoTitle(pnlYear_.Caption(), pnlMonth_.Caption(), col, gridModel_.Cell(col, kRowHeader)));
    memo_->ShowModal();
    if (Hwnd() != nullptr)
        SetFocus(gridMain_.Hwnd());
}

void TMainForm::spinEditExit() {
    if (!spinEdit_.Visible())
        return;
    std::string text = SpinText();
    WriteCurrentCell(text);
    spinEdit_.Show(false);
    // The cell keeps the text as typed; the field next opens within its range.
    std::string clamped = SpinClampText(text);
    if (clamped != text)
        SetSpinText(clamped);
}

void TMainForm::cmbTempExit() {
    if (!cmbTemp_.Visible())
        return;
    int index = cmbTemp_.Selection();
    WriteCurrentCell(index >= 0 && index < kTemperatureItemCount ? kTemperatureItems[static_cast<size_t>(index)] : "");
    cmbTemp_.Show(false);
}

void TMainForm::cmbEventExit() {
    if (!cmbEvent_.Visible())
        return;
    int index = cmbEvent_.Selection();
    WriteCurrentCell(index >= 0 && index < kEventItemCount ? kEventItems[static_cast<size_t>(index)] : "");
    cmbEvent_.Show(false);
}

void TMainForm::CommitOpenEditor() {
    HWND focus = GetFocus();
    bool editorFocused = focus == spinEdit_.Edit() || focus == cmbTemp_.Hwnd() || focus == cmbEvent_.Hwnd();
    spinEditExit();
    cmbTempExit();
    cmbEventExit();
    if (editorFocused)
        SetFocus(gridMain_.Hwnd());
}

MonthGrid TMainForm::GridWithOpenEditor() const {
    MonthGrid grid = gridModel_;
    const CellPos cell = gridModel_.Current();
    auto item = [](const auto& items, int index) {
        return index >= 0 && index < static_cast<int>(items.size()) ? std::string(items[static_cast<size_t>(index)])
                                                                    : std::string();
    };
    if (spinEdit_.Visible())
        grid.SetCell(cell.col, cell.row, CellLine(SpinText()));
    else if (cmbTemp_.Visible())
        grid.SetCell(cell.col, cell.row, item(kTemperatureItems, cmbTemp_.Selection()));
    else if (cmbEvent_.Visible())
        grid.SetCell(cell.col, cell.row, item(kEventItems, cmbEvent_.Selection()));
    return grid;
}

void TMainForm::cmbTempClick() {
    int index = cmbTemp_.Selection();
    std::string text = index >= 0 && index < kTemperatureItemCount ? kTemperatureItems[static_cast<size_t>(index)] : "";
    text = TrimBlanks(text);
    double value = text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr);
    Chart& chart = chartMain_.Model();
    chart.SetPointValue(chart.SeriesAt(0), gridModel_.Current().col - 1, value);
}

void TMainForm::gridMainKeyDown(WORD key, bool) {
    if (key != VK_DELETE)
        return;
    WriteCurrentCell("");
}

void TMainForm::gridMainDrawCell(Canvas& canvas, int col, int row, const Rect& rect, bool fixed, bool focused) {
    if (col >= gridModel_.ColCount() || row >= kGridRowCount)
        return;
    CellPos current = gridModel_.Current();
    CellState state{col, row, fixed, focused, current == CellPos{col, row}};
    PaintGridCell(canvas, state, gridModel_.Cell(col, row), rect, gridMain_.Font(), scale_);
}

void TMainForm::DrawVerticalText(Canvas& canvas, const std::string& text, const Rect& rect) {
    purimo::DrawVerticalText(canvas, text, rect, gridMain_.Font(), scale_);
}

} // namespace purimo
