#pragma once
// Cycles across months: where each begins, the temperature shift within it ("3 over 6" with its two
// exceptions), its phases, and the figures over all cycles. Temperatures are whole hundredths of a
// degree and days are day serials throughout, so that no rounding depends on floating point.
#include <optional>
#include <vector>

#include "cycle/CycleDays.h"

namespace purimo {

// Two starts closer than this are one: a 1 typed again the next day makes no one-day cycle.
constexpr int kStartSpacing = 10;
// A "×" mark starts a cycle only when none stands in this many days before it, and not when a
// typed 1 lies this near it.
constexpr int kMarkQuiet = 10;
constexpr int kReadingsBeforeShift = 6;
constexpr int kShiftMargin = 20;     // 0.20 ℃
constexpr int kShortHighPhase = 10;  // days
constexpr int kSmallDifference = 30; // 0.30 ℃
constexpr int kForecastCycles = 6;
constexpr int kForecastMinimum = 3;
// An ongoing high phase this long is worth a word.
constexpr int kLongHighPhase = 18;

// The serials of the days that start a cycle, in date order.
std::vector<int> FindCycleStarts(std::vector<DayRecord>::const_iterator first,
                                 std::vector<DayRecord>::const_iterator last);

struct Reading {
    int serial = 0;
    int hundredths = 0;
};

struct TemperatureShift {
    int firstHigh = 0; // serial of the first higher reading
    int confirmed = 0; // serial of the reading that confirms it
    int coverLine = 0; // hundredths
};

// The first confirmed shift of a cycle's readings (in date order), if any.
std::optional<TemperatureShift> FindShift(const std::vector<Reading>& readings);

// Mean of whole hundredths, rounded to a whole hundredth, halves away from zero.
int MeanHundredths(const std::vector<int>& values);
// sum / count in tenths, halves away from zero.
int MeanTenths(long long sum, int count);

struct Cycle {
    int start = 0;
    int end = 0; // the day before the next start; for the open cycle the last day with an entry
    bool open = false;
    bool touchesUnreadable = false;
    std::vector<Reading> readings; // those the rules look at: a reading left out is not among them
    std::vector<int> leftOut;      // serials of the days whose reading she left out
    std::optional<TemperatureShift> shift;
    int lowMean = 0; // hundredths, with a shift only
    int highMean = 0;
    int Length() const { return end - start + 1; }
    int DayOf(int serial) const { return serial - start + 1; }
    // From the first higher day to the cycle's end, both counted; closed cycles with a shift only.
    std::optional<int> HighPhaseLength() const;
    // From the first higher day to the last day with an entry, both counted; the open cycle with a
    // shift only.
    std::optional<int> OngoingHighPhase() const;
};

struct CycleStatistics {
    int count = 0; // closed cycles counted
    int meanLengthTenths = 0;
    int shortest = 0;
    int longest = 0;
    int highCount = 0; // of them with a shift
    int meanHighTenths = 0;
    bool leftOutUnreadable = false; // a closed cycle was left out for a month that could not be read
};

struct Forecast {
    int from = 0; // serials
    int to = 0;
};

struct CycleNotes {
    bool shortHighPhase = false;
    bool smallDifference = false;
};

struct CycleAnalysis {
    std::vector<Cycle> cycles; // oldest first; the last is the open one
    CycleStatistics statistics;
    std::optional<Forecast> forecast;
};

CycleAnalysis AnalyseCycles(const DaySeries& series);
CycleNotes NotesFor(const Cycle& cycle);
// The newest cycle begun by the day (serial); the oldest when none has begun by then.
int CycleIndexAt(const CycleAnalysis& analysis, int serial);

} // namespace purimo
