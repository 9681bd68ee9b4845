#include "month/Calendar.h"

#include "common/NumberText.h"

#include <stdexcept>

namespace purimo {

namespace {
constexpr int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12)
        throw std::out_of_range("month " + std::to_string(month));
    return kDaysPerMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

std::optional<YearMonth> PreviousMonth(YearMonth shown) {
    if (shown.month > 1)
        return YearMonth{shown.year, shown.month - 1};
    if (shown.year <= kMinYear)
        return std::nullopt;
    return YearMonth{shown.year - 1, 12};
}

std::optional<YearMonth> NextMonth(YearMonth shown) {
    if (shown.month < 12)
        return YearMonth{shown.year, shown.month + 1};
    if (shown.year >= kMaxYear)
        return std::nullopt;
    return YearMonth{shown.year + 1, 1};
}

std::string FormatTwoDigits(int value) {
    return ZeroPadded(value, 2);
}

std::string MonthFileName(const std::string& yearCaption, const std::string& monthCaption) {
    return "client/" + yearCaption + monthCaption + ".dat";
}

std::string DayHeader(int month, int day) {
    return day == 1 ? std::to_string(month) + "/1" : std::to_string(day);
}

} // namespace purimo
