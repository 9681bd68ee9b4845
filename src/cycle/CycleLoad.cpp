#include <windows.h>

#include <exception>

#include "common/Cp932Convert.h"
#include "cycle/CycleLoad.h"
#include "month/MonthFileIo.h"
#include "widgets/Handles.h"

namespace purimo {

void LoadMonthFiles(DaySeries& series, const std::wstring& folder, std::optional<YearMonth> skip) {
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileExW((folder + L"*.dat").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        YearMonth month;
        if (!ParseMonthFileName(Narrow(found.cFileName), month) || (skip && *skip == month))
            continue;
        try {
            series.AddMonthLines(month, ReadMonthFile(folder + found.cFileName).lines);
        } catch (const std::exception&) {
            // Locked, access denied, too few lines: the month is named, and nothing of it is used.
            series.AddUnreadable(month);
        }
    } while (FindNextFileW(search.Get(), &found));
}

} // namespace purimo
