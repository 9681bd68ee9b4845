#include <windows.h>

#include <optional>

#include "app/Application.h"
#include "app/Main.h"
#include "common/Clock.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleLoad.h"
#include "month/Calendar.h"

namespace purimo {

void TMainForm::menuCycleGraphClick() {
    const YearMonth shown{shownYear_, shownMonth_};
    SYSTEMTIME now{};
    GetLocalTime(&now);
    DaySeries series(DaySerial(now.wYear, now.wMonth, now.wDay));
    std::optional<TCycleForm> form;
    {
        WaitCursor wait;
        series.AddMonthGrid(shown, GridWithOpenEditor());
        LoadMonthFiles(series, context_.programFolder + L"client\\", shown);
        series.Finish();
        const int lastDay = DaySerial(shown.year, shown.month, DaysInMonth(shown.year, shown.month));
        form.emplace(Hwnd(), std::move(series), lastDay);
    }
    form->ShowModal([this, &form] {
        if (cycleFormShown_)
            cycleFormShown_(*form);
    });
}

} // namespace purimo
