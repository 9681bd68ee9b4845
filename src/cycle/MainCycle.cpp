#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Main.h"
#include "common/Cp932Convert.h"
#include "common/Errors.h"
#include "common/NumberText.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleLoad.h"
#include "cycle/CycleTableForm.h"
#include "cycle/CycleText.h"
#include "cycle/DiaryCsv.h"
#include "cycle/Report.h"
#include "cycle/ReportPage.h"
#include "month/Calendar.h"
#include "month/MonthFileIo.h"
#include "output/CommonDialogs.h"
#include "output/OutputGeometry.h"
#include "output/PrintImage.h"

namespace purimo {

namespace {

using namespace std::string_literals;

int Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DaySerial(now.wYear, now.wMonth, now.wDay);
}

} // namespace

DaySeries TMainForm::ReadDiary() const {
    const YearMonth shown{shownYear_, shownMonth_};
    DaySeries series(Today());
    series.AddMonthGrid(shown, GridWithOpenEditor());
    LoadMonthFiles(series, context_.programFolder + L"client\\", shown);
    series.Finish();
    if (std::optional<ExcludedList> excluded = ReadExcludedList(context_.programFolder + L"client\\"))
        series.SetExcluded(excluded->dates);
    else
        series.SetExcludedUnreadable();
    return series;
}

void TMainForm::menuCycleGraphClick() {
    const YearMonth shown{shownYear_, shownMonth_};
    std::optional<DaySeries> series;
    {
        WaitCursor wait;
        series = ReadDiary();
    }
    ShowCycleWindow(Hwnd(), std::move(*series),
                    DaySerial(shown.year, shown.month, DaysInMonth(shown.year, shown.month)));
}

DaySeries TMainForm::ShowCycleWindow(HWND owner, DaySeries series, int lastDay) {
    TCycleForm form(owner, std::move(series), lastDay);
    form.ChangeLeftOut = [this](int serial, bool out) {
        return ChangeExcluded(context_.programFolder + L"client\\", serial, out);
    };
    form.OnReport = [this, &form](int shownCycle) {
        PrintCycleReport(form.Hwnd(), form.Series(), form.Analysis(), shownCycle);
    };
    form.ShowModal([this, &form] {
        if (cycleFormShown_)
            cycleFormShown_(form);
    });
    return form.Series();
}

void TMainForm::menuCycleTableClick() {
    std::optional<TCycleTableForm> table;
    {
        WaitCursor wait;
        table.emplace(Hwnd(), ReadDiary());
    }
    table->OpenCycle = [this](HWND owner, const DaySeries& series, int cycle) {
        return ShowCycleWindow(owner, series, AnalyseCycles(series).cycles.at(static_cast<size_t>(cycle)).end);
    };
    table->ShowModal([this, &table] {
        if (cycleTableShown_)
            cycleTableShown_(*table);
    });
}

void TMainForm::menuCycleReportClick() {
    std::optional<DaySeries> series;
    CycleAnalysis analysis;
    {
        WaitCursor wait;
        series = ReadDiary();
        analysis = AnalyseCycles(*series);
    }
    PrintCycleReport(Hwnd(), *series, analysis, static_cast<int>(analysis.cycles.size()) - 1);
}

void TMainForm::PrintCycleReport(HWND owner, const DaySeries& series, const CycleAnalysis& analysis, int newest) {
    if (analysis.cycles.empty())
        throw AppError(kNoCycleText);
    MemoryDc printer = SetUpPrinter(owner, true);
    if (!printer)
        return;
    const std::vector<int> indexes = ReportCycleIndexes(analysis, newest);
    PrintPage(printer.Get(), output_.printing,
              [&](HDC page) { DrawReportPage(page, series, analysis, indexes, Today()); });
}

void TMainForm::menuCycleCsvClick() {
    const CivilDate today = DateOfSerial(Today());
    const std::string defaultName =
        "基礎体温_" + ZeroPadded(today.year, 4) + ZeroPadded(today.month, 2) + ZeroPadded(today.day, 2) + ".csv";
    SaveRequest request{L"CSV ファイルに書き出し",
                        L"CSV ファイル Excel 用 Shift-JIS (*.csv)\0*.csv\0CSV ファイル UTF-8 (*.csv)\0*.csv\0"s, L"csv",
                        OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                        Widen(defaultName)};
    if (!AskSaveName(Hwnd(), request))
        return;
    const std::wstring path = WithExtension(request.name, L".csv");
    const bool utf8 = request.filterIndex == 2;

    std::string unreadableText;
    {
        WaitCursor wait;
        DaySeries series = ReadDiary();
        std::string bytes = DiaryCsvBytes(series, AnalyseCycles(series));
        // Excel reads a UTF-8 file as UTF-8 only with its byte-order mark.
        if (utf8)
            bytes = "\xEF\xBB\xBF" + Utf8(Widen(bytes));
        unreadableText = UnreadableText(series);
        try {
            // Under a temporary name first, as the month files: a failure leaves no half file and an
            // existing file whole.
            WriteFileSafely(path, bytes, false, WriteFileBlock, kLargeFileBlock);
        } catch (const IoError& error) {
            if (error.Code() == kDiskFullError)
                throw AppError("ストリームへの書き込みエラー");
            throw AppError("ファイル " + Narrow(path) + " を作成できません");
        }
    }
    if (!unreadableText.empty())
        ReportError(unreadableText);
}

} // namespace purimo
