#pragma once
// The clock panel's text.
#include <string>

namespace purimo {

struct ClockTime {
    int year = 0;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "YYYY/MM/DD [aaaa] HH:NN:SS" with the locale's separators and full weekday name,
// e.g. "2026/12/07 [月曜日] 03:12:16".
std::string FormatClock(const ClockTime& time, const std::string& dateSep, const std::string& timeSep,
                        const std::string& weekdayName);

} // namespace purimo
