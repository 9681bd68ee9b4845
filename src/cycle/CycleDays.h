#pragma once
// The diary's days across months, read-only, for the cycles: every day of every month file as the
// month grid shows it (cells trimmed, temperatures normalised), the shown month as the grid holds it.
#include <string>
#include <vector>

#include "month/Calendar.h"
#include "month/MonthGrid.h"

namespace purimo {

// Days counted from 1970-01-01 (day 0), so that cycle lengths are plain differences.
int DaySerial(int year, int month, int day);
struct CivilDate {
    int year = 0;
    int month = 1;
    int day = 1;
};
CivilDate DateOfSerial(int serial);
// "2026/03/17" and "3/17".
std::string FormatDate(int serial);
std::string FormatMonthDay(int serial);
// An event mark as it is shown and exported: without the TAB that two of the marks carry in the cell.
std::string WithoutTabs(const std::string& mark);

struct DayRecord {
    int serial = 0;
    int hundredths = 0; // the morning reading in hundredths of a degree; 0 without one
    bool entry = false; // any of the four cells holds text
    std::string cycle;  // the cells as the grid holds them
    std::string mark;
    std::string memo;
};

class DaySeries {
public:
    // Every day is kept (the diary is written out whole); the cycles leave out days after today.
    explicit DaySeries(int todaySerial) : today_(todaySerial) {}

    // A month from its file's lines, through the same steps as showing it in the grid. Throws as
    // showing it would (AppError for a file of fewer than four lines).
    void AddMonthLines(YearMonth month, const std::vector<std::string>& lines);
    // A month as the grid holds it; its cells are trimmed and normalised here like any other month.
    void AddMonthGrid(YearMonth month, const MonthGrid& grid);
    // A month whose file could not be read or loaded.
    void AddUnreadable(YearMonth month);
    // Puts the days in date order; call once every month has been added.
    void Finish();

    const std::vector<DayRecord>& Days() const { return days_; }
    // The days up to today: an entry written ahead (an appointment, a "1" or a "×") changes nothing.
    std::vector<DayRecord>::const_iterator PastEnd() const;
    const std::vector<YearMonth>& Unreadable() const { return unreadable_; }
    // Whether a month that could not be read holds a day between first and last (serials).
    bool TouchesUnreadable(int first, int last) const;
    int Today() const { return today_; }
    // The readings she left out of the cycle rules (day serials, ascending); they stay in the days.
    void SetExcluded(std::vector<int> serials) { excluded_ = std::move(serials); }
    bool IsExcluded(int serial) const;
    const std::vector<int>& Excluded() const { return excluded_; }
    // The list of readings left out could not be read: nothing is left out, and it is not written.
    void SetExcludedUnreadable() { excludedUnreadable_ = true; }
    bool ExcludedUnreadable() const { return excludedUnreadable_; }

private:
    void AddFromGrid(YearMonth month, MonthGrid& grid, int days);

    int today_;
    std::vector<DayRecord> days_;
    std::vector<YearMonth> unreadable_;
    std::vector<int> excluded_;
    bool excludedUnreadable_ = false;
};

// "YYYYMM.dat": four digits of year and a month 01 to 12; other names are no month file.
bool ParseMonthFileName(const std::string& name, YearMonth& month);

} // namespace purimo
