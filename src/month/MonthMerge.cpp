#include "month/MonthMerge.h"

#include "month/ShowMonth.h"

namespace purimo {

MonthGrid MonthGridFromLines(int year, int month, const std::vector<std::string>& lines, bool* whole) {
    MonthGrid grid;
    int days = PrepareMonthColumns(grid, year, month);
    bool all = ApplyMonthLines(grid, days, lines);
    if (whole != nullptr)
        *whole = all;
    NormaliseTemperatures(grid, days);
    return grid;
}

bool SameMonthCells(const MonthGrid& a, const MonthGrid& b, int days) {
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        for (int day = 1; day <= days; ++day)
            if (TrimBlanks(a.Cell(day, row)) != TrimBlanks(b.Cell(day, row)))
                return false;
    return true;
}

std::vector<int> MergeMonthCells(MonthGrid& window, const MonthGrid& base, const MonthGrid& file, int days) {
    std::vector<int> bothChanged;
    for (int day = 1; day <= days; ++day) {
        bool conflict = false;
        for (int row = kRowCycleDay; row <= kRowMemo; ++row) {
            const std::string was = TrimBlanks(base.Cell(day, row));
            const std::string theirs = TrimBlanks(file.Cell(day, row));
            const std::string mine = TrimBlanks(window.Cell(day, row));
            if (theirs == was)
                continue;
            if (mine == was)
                window.SetCell(day, row, file.Cell(day, row));
            else if (mine != theirs)
                conflict = true;
        }
        if (conflict)
            bothChanged.push_back(day);
    }
    return bothChanged;
}

std::string MergeNotice(const std::string& fileName, const std::vector<int>& days, const std::string& backupName) {
    std::string dayList;
    for (int day : days)
        dayList += (dayList.empty() ? "" : ", ") + std::to_string(day) + "日";
    return fileName + " は別の場所でも変更されていました。両方で変更された日 (" + dayList +
           ") はこの画面の記録を保存し、別の記録は " + backupName + " に残しました。";
}

} // namespace purimo
