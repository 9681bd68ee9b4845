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

// A full-width blank: what stands between two figures on one line.
extern const char* const kFigureGap;

// One cycle's figures, each as the cycle window and the report write it.
struct CycleFigureTexts {
    std::string range;      // "2026/01/01 〜 2026/01/31（31日間）", or "（記録中）" for the open cycle
    std::string shiftStart; // "高温期の始まり 2026/01/15（15日目）", or that no rise was seen
    std::string confirmed;  // "確定 2026/01/17"; this and the next two with a shift only
    std::string coverLine;  // "カバーライン 36.30℃"
    std::string phases;     // both phases' means and their difference
    std::string highPhase;  // "高温期の長さ 17日": closed cycles with a shift only
};
CycleFigureTexts FigureTexts(const Cycle& cycle);

// Every line of the page of cycle index: range, shift, phases, statistics, forecast, notes, the notice.
std::vector<std::string> CycleTexts(const CycleAnalysis& analysis, int index);
// The statistics lines over every closed cycle; none while no cycle is closed.
std::vector<std::string> StatisticsTexts(const CycleStatistics& statistics);

} // namespace purimo
