#include <windows.h>

#include "app/Main.h"
#include "chart/ChartRebuild.h"
#include "common/ComFunction.h"
#include "month/Calendar.h"
#include "month/MonthFile.h"
#include "month/MonthFileIo.h"
#include "month/MonthMerge.h"
#include "month/ShowMonth.h"
#include "widgets/Dpi.h"
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
    // Until the month has loaded, a save writes nothing unless she enters something, and then merges
    // with whatever the file holds by then.
    loadFailed_ = true;
    loadedGrid_ = gridModel_;
    // Until the month has loaded whole, its file holds more than the grid shows.
    keepBackupOnSave_ = FileExists(path);
    MonthFileStamp stamp;
    bool whole = true;
    MonthFileLines file;
    try {
        file = ReadMonthFile(path, &stamp);
        whole = ApplyMonthLines(gridModel_, days, file.lines);
    } catch (...) {
        // What she sees now (an empty month, or the lines read before the error) is what she did not
        // enter.
        shownAfterFailedLoad_ = gridModel_;
        throw;
    }
    // Whatever the grid does not show (lines after the fourth, text after the end, fields beyond the
    // last day) the next save would drop, so the file is copied first.
    keepBackupOnSave_ = keepBackupOnSave_ && (file.dropsText || !whole);
    NormaliseTemperatures(gridModel_, days);
    loadFailed_ = false;
    loadedGrid_ = gridModel_;
    loadedStamp_ = stamp;

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
    MonthArea area = MonthAreaFor(days, scale_);
    RECT chart;
    GetClientRect(chartMain_.Hwnd(), &chart);
    SetWindowSize(chartMain_.Hwnd(), area.chart.Width(), chart.bottom);
    RECT grid;
    GetClientRect(gridMain_.Hwnd(), &grid);
    SetWindowSize(gridMain_.Hwnd(), area.grid.Width(), grid.bottom);
    // The frame around the client area stays as the system made it (a menu bar on two lines too).
    RECT frame;
    GetWindowRect(Hwnd(), &frame);
    RECT client;
    GetClientRect(Hwnd(), &client);
    int width = frame.right - frame.left + area.clientWidth - client.right;
    if (IsIconic(Hwnd()))
        width = OuterSizeForClient(area.clientWidth, area.clientHeight, GetWindowLongW(Hwnd(), GWL_STYLE), true, 0,
                                   WindowDpi(Hwnd()))
                    .cx;
    SetWindowSize(Hwnd(), width, frame.bottom - frame.top);
}

void TMainForm::btnSavesClick() {
    SaveShownMonth(true);
}

void TMainForm::SaveShownMonth(bool tellMerge) {
    pnlYear_.SetCaption(FormatTwoDigits(shownYear_));
    pnlMonth_.SetCaption(FormatTwoDigits(shownMonth_));
    const int days = gridModel_.ColCount() - 1;
    // A month that could not be read stays as it is on disk unless she entered something in it.
    if (loadFailed_ && SameMonthCells(gridModel_, shownAfterFailedLoad_, days))
        return;
    const std::wstring path = MonthFilePath();
    // The file is read again: another copy of the program or another PC may have written it since.
    bool keepBackup = keepBackupOnSave_ || loadFailed_;
    std::vector<int> bothChanged;
    bool merged = false;
    try {
        MonthFileStamp now;
        MonthFileLines lines = ReadMonthFile(path, &now);
        if (now.exists && (loadFailed_ || now != loadedStamp_)) {
            bool whole = true;
            MonthGrid theirs = MonthGridFromLines(shownYear_, shownMonth_, lines.lines, &whole);
            bothChanged = MergeMonthCells(gridModel_, loadedGrid_, theirs, days);
            merged = true;
            keepBackup = keepBackup || !bothChanged.empty() || lines.dropsText || !whole;
        }
    } catch (const AppError&) {
        // Unreadable now: kept aside whole before it is written over, as a file that failed to load.
        keepBackup = true;
    }
    const std::string bytes = MonthFileBytes(gridModel_);
    const std::wstring backup = WriteFileSafely(path, bytes, keepBackup, writeBlock_);
    keepBackupOnSave_ = false;
    loadFailed_ = false;
    loadedGrid_ = gridModel_;
    loadedStamp_ = StampOf(bytes);
    if (merged) {
        RebuildChart(chartMain_.Model(), gridModel_.DayCells(kRowTemperature), days);
        gridMain_.Refresh();
    }
    if (tellMerge && !bothChanged.empty()) {
        auto nameOf = [](const std::wstring& p) { return Narrow(p.substr(p.find_last_of(L"\\/") + 1)); };
        ShowInfoBox(MergeNotice(nameOf(path), bothChanged, nameOf(backup)));
    }
}

void TMainForm::PickUpChangesElsewhere() {
    if (!shown_ || loadFailed_ || shownYear_ == 0 || spinEdit_.Visible() || cmbTemp_.Visible() || cmbEvent_.Visible())
        return;
    const int days = gridModel_.ColCount() - 1;
    if (!SameMonthCells(gridModel_, loadedGrid_, days))
        return;
    // A sync tool may hold the file or have taken it away for a moment: then nothing changes, and the
    // next save merges.
    MonthFileStamp now;
    MonthFileLines lines;
    MonthGrid theirs;
    bool whole = true;
    try {
        lines = ReadMonthFile(MonthFilePath(), &now);
        if (!now.exists || now == loadedStamp_)
            return;
        theirs = MonthGridFromLines(shownYear_, shownMonth_, lines.lines, &whole);
    } catch (const AppError&) {
        return;
    }
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        for (int day = 1; day <= days; ++day)
            gridModel_.SetCell(day, row, theirs.Cell(day, row));
    keepBackupOnSave_ = lines.dropsText || !whole;
    loadedGrid_ = gridModel_;
    loadedStamp_ = now;
    RebuildChart(chartMain_.Model(), gridModel_.DayCells(kRowTemperature), days);
    gridMain_.Refresh();
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
