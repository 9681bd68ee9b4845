#include <windows.h>

#include "app/Main.h"
#include "chart/ChartRebuild.h"
#include "common/ComFunction.h"
#include "month/Calendar.h"
#include "month/MonthFile.h"
#include "month/MonthFileIo.h"
#include "month/ShowMonth.h"
#include "widgets/WinText.h"

namespace purimo {

std::wstring TMainForm::MonthFilePath() const {
    return context_.programFolder + Widen(MonthFileName(pnlYear_.Caption(), pnlMonth_.Caption()));
}

void TMainForm::Set_ChangeCalender(unsigned short year, unsigned short month) {
    WaitCursor wait;
    int days = PrepareMonthColumns(gridModel_, year, month);
    gridLayout_.SetColCount(gridModel_.ColCount());
    shownYear_ = year;
    shownMonth_ = month;
    pnlYear_.SetCaption(FormatTwoDigits(year));
    pnlMonth_.SetCaption(FormatTwoDigits(month));
    gridMain_.Refresh();

    std::wstring path = MonthFilePath();
    // Until the month has loaded whole, its file holds more than the grid shows.
    keepBackupOnSave_ = FileExists(path);
    MonthFileLines file = ReadMonthFile(path);
    bool whole = ApplyMonthLines(gridModel_, days, file.lines);
    // Whatever the grid does not show (lines after the fourth, text after the end, fields beyond the
    // last day) the next save would drop, so the file is copied first.
    keepBackupOnSave_ = keepBackupOnSave_ && (file.dropsText || !whole);
    NormaliseTemperatures(gridModel_, days);

    RebuildChart(chartMain_.Model(), gridModel_.DayCells(kRowTemperature), days);
    ApplyMonthWidths(days);
    ShowWindow(chartMain_.Hwnd(), SW_SHOW);

    gridMain_.SetCurrent(1, 1);
    SetFocus(gridMain_.Hwnd());
}

namespace {

// Sizing a window to the size it has still costs Wine a round of messages and server calls, most
// of all for the main window: months of equal length skip it.
void SetWindowSize(HWND window, int width, int height) {
    RECT frame;
    GetWindowRect(window, &frame);
    if (frame.right - frame.left == width && frame.bottom - frame.top == height)
        return;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void TMainForm::ApplyMonthWidths(int days) {
    int width = ChartWidthForDays(days);
    RECT chart;
    GetClientRect(chartMain_.Hwnd(), &chart);
    SetWindowSize(chartMain_.Hwnd(), width, chart.bottom);
    RECT grid;
    GetClientRect(gridMain_.Hwnd(), &grid);
    SetWindowSize(gridMain_.Hwnd(), width, grid.bottom);
    RECT frame;
    GetWindowRect(Hwnd(), &frame);
    SetWindowSize(Hwnd(), WindowWidthForDays(days), frame.bottom - frame.top);
}

void TMainForm::btnSavesClick() {
    pnlYear_.SetCaption(FormatTwoDigits(shownYear_));
    pnlMonth_.SetCaption(FormatTwoDigits(shownMonth_));
    SaveMonthFile(MonthFilePath(), MonthFileBytes(gridModel_), keepBackupOnSave_, writeBlock_);
    keepBackupOnSave_ = false;
}

void TMainForm::SetWriteBlockFunction(WriteBlockFunction writeBlock) {
    if (writeBlock)
        writeBlock_ = std::move(writeBlock);
    else
        writeBlock_ = WriteFileBlock;
}

void TMainForm::btnPrevClick() {
    btnSavesClick();
    if (auto previous = PreviousMonth(YearMonth{shownYear_, shownMonth_}))
        Set_ChangeCalender(static_cast<unsigned short>(previous->year), static_cast<unsigned short>(previous->month));
}

void TMainForm::btnNextClick() {
    btnSavesClick();
    if (auto next = NextMonth(YearMonth{shownYear_, shownMonth_}))
        Set_ChangeCalender(static_cast<unsigned short>(next->year), static_cast<unsigned short>(next->month));
}

} // namespace purimo
