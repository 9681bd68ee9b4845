#include "cycle/CycleDays.h"

#include <algorithm>
#include <cmath>

#include "common/NumberText.h"
#include "month/ShowMonth.h"

namespace purimo {

// The proleptic Gregorian calendar's days, counted with whole numbers only.
int DaySerial(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate DateOfSerial(int serial) {
    const int z = serial + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = dayOfYear - (153 * mp + 2) / 5 + 1;
    date.month = mp < 10 ? mp + 3 : mp - 9;
    date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
    return date;
}

std::string FormatDate(int serial) {
    CivilDate d = DateOfSerial(serial);
    return ZeroPadded(d.year, 4) + "/" + ZeroPadded(d.month, 2) + "/" + ZeroPadded(d.day, 2);
}

std::string FormatMonthDay(int serial) {
    CivilDate d = DateOfSerial(serial);
    return std::to_string(d.month) + "/" + std::to_string(d.day);
}

void DaySeries::AddMonthLines(YearMonth month, const std::vector<std::string>& lines) {
    MonthGrid grid;
    const int days = PrepareMonthColumns(grid, month.year, month.month);
    ApplyMonthLines(grid, days, lines);
    AddFromGrid(month, grid, days);
}

void DaySeries::AddMonthGrid(YearMonth month, const MonthGrid& shown) {
    MonthGrid grid = shown;
    const int days = std::min(DaysInMonth(month.year, month.month), grid.ColCount() - 1);
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        for (int day = 1; day <= days; ++day)
            grid.SetCell(day, row, TrimBlanks(grid.Cell(day, row)));
    AddFromGrid(month, grid, days);
}

void DaySeries::AddFromGrid(YearMonth month, MonthGrid& grid, int days) {
    NormaliseTemperatures(grid, days);
    for (int day = 1; day <= days; ++day) {
        const int serial = DaySerial(month.year, month.month, day);
        DayRecord record;
        record.serial = serial;
        record.cycle = grid.Cell(day, kRowCycleDay);
        record.mark = grid.Cell(day, kRowEvent);
        record.memo = grid.Cell(day, kRowMemo);
        const std::string& temperature = grid.Cell(day, kRowTemperature);
        // The normalised text has one decimal: its digits are the tenths, read without floating point.
        if (!temperature.empty()) {
            std::string digits;
            for (char c : temperature)
                if (c != '.')
                    digits += c;
            record.hundredths = static_cast<int>(ParseWholeNumber(digits).value_or(0)) * 10;
        }
        record.entry = !record.cycle.empty() || !temperature.empty() || !record.mark.empty() || !record.memo.empty();
        days_.push_back(std::move(record));
    }
}

void DaySeries::AddUnreadable(YearMonth month) {
    unreadable_.push_back(month);
}

void DaySeries::Finish() {
    std::stable_sort(days_.begin(), days_.end(),
                     [](const DayRecord& a, const DayRecord& b) { return a.serial < b.serial; });
    // A month added twice (its file and the grid) keeps the first added.
    days_.erase(std::unique(days_.begin(), days_.end(),
                            [](const DayRecord& a, const DayRecord& b) { return a.serial == b.serial; }),
                days_.end());
    std::sort(unreadable_.begin(), unreadable_.end(), [](const YearMonth& a, const YearMonth& b) {
        return a.year != b.year ? a.year < b.year : a.month < b.month;
    });
}

std::vector<DayRecord>::const_iterator DaySeries::PastEnd() const {
    return std::upper_bound(days_.begin(), days_.end(), today_,
                            [](int serial, const DayRecord& d) { return serial < d.serial; });
}

bool DaySeries::IsExcluded(int serial) const {
    return std::binary_search(excluded_.begin(), excluded_.end(), serial);
}

bool DaySeries::TouchesUnreadable(int first, int last) const {
    for (const YearMonth& m : unreadable_) {
        const int begin = DaySerial(m.year, m.month, 1);
        const int end = begin + DaysInMonth(m.year, m.month) - 1;
        if (begin <= last && end >= first)
            return true;
    }
    return false;
}

bool ParseMonthFileName(const std::string& name, YearMonth& month) {
    if (name.size() != 10)
        return false;
    for (int i = 0; i < 6; ++i)
        if (name[static_cast<size_t>(i)] < '0' || name[static_cast<size_t>(i)] > '9')
            return false;
    std::string ext = name.substr(6);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (ext != ".dat")
        return false;
    const int year = std::stoi(name.substr(0, 4));
    const int m = std::stoi(name.substr(4, 2));
    if (m < 1 || m > 12)
        return false;
    month = YearMonth{year, m};
    return true;
}

std::string WithoutTabs(const std::string& mark) {
    std::string text = mark;
    text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
    return text;
}

} // namespace purimo
