#pragma once
// The cycle window's texts, in the order the window shows them (code page 932).
#include <string>
#include <vector>

#include "cycle/Cycles.h"

namespace purimo {

extern const char* const kNoCycleText;
extern const char* const kCycleNotice;
extern const char* const kUnreadableLeftOutText;

// "36.45℃": hundredths with two decimals.
std::string FormatHundredths(int hundredths);
// "29.5": tenths with one decimal, always.
std::string FormatTenths(int tenths);

// "読み込めなかった月: 2019/03, 2020/07" (at most five named, then "ほか N か月"), and the list of
// readings left out when it could not be read; empty when everything was read.
std::string UnreadableMonthsText(const std::vector<YearMonth>& months, bool excludedListUnreadable = false);
std::string UnreadableText(const DaySeries& series);

// "除外した体温 2日 (9/14, 9/20)": the readings of the cycle she left out.
std::string LeftOutText(const Cycle& cycle);

// Every line of the page of cycle index: range, shift, phases, statistics, forecast, notes, the notice.
std::vector<std::string> CycleTexts(const CycleAnalysis& analysis, int index);
// The statistics lines over every closed cycle; none while no cycle is closed.
std::vector<std::string> StatisticsTexts(const CycleStatistics& statistics);

} // namespace purimo
