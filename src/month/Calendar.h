#pragma once
// Calendar rules of the shown month: month lengths, paging, captions and file names.
#include <optional>
#include <string>

namespace purimo {

constexpr int kMinYear = 0;
constexpr int kMaxYear = 65535;

struct YearMonth {
    int year = 0;
    int month = 1;
    bool operator==(const YearMonth&) const = default;
};

bool IsLeapYear(int year);
// Throws std::out_of_range for a month outside 1 to 12.
int DaysInMonth(int year, int month);

// The month before or after; std::nullopt at the ends of the year range, where paging stays put.
std::optional<YearMonth> PreviousMonth(YearMonth shown);
std::optional<YearMonth> NextMonth(YearMonth shown);

// At least two digits, zero-padded: the captions of the year and month panels.
std::string FormatTwoDigits(int value);
// Relative to the program's folder, from the captions of the year and month panels:
// "client/202604.dat".
std::string MonthFileName(const std::string& yearCaption, const std::string& monthCaption);
// Row 0's text for a day: "4/1" on day 1 of April, the bare day number on the other days.
std::string DayHeader(int month, int day);

} // namespace purimo
