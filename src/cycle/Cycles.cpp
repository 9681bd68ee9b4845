#include "cycle/Cycles.h"

#include <algorithm>
#include <ranges>

namespace purimo {

namespace {

bool StartsWithCross(const std::string& mark) {
    return mark.rfind("×", 0) == 0;
}

// "1" or "01": ASCII digits of value 1.
bool IsDayOne(const std::string& cycle) {
    if (cycle.empty() || !std::all_of(cycle.begin(), cycle.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    size_t first = cycle.find_first_not_of('0');
    return first != std::string::npos && cycle.substr(first) == "1";
}

bool AnyWithin(const std::vector<int>& sorted, int low, int high) {
    auto it = std::lower_bound(sorted.begin(), sorted.end(), low);
    return it != sorted.end() && *it <= high;
}

long long Rounded(long long numerator, long long denominator) {
    // Halves away from zero, in whole numbers.
    if (numerator >= 0)
        return (2 * numerator + denominator) / (2 * denominator);
    return -((-2 * numerator + denominator) / (2 * denominator));
}

} // namespace

std::vector<int> FindCycleStarts(std::vector<DayRecord>::const_iterator first,
                                 std::vector<DayRecord>::const_iterator last) {
    std::vector<int> typedOnes;
    std::vector<int> crosses;
    for (const DayRecord& day : std::ranges::subrange(first, last)) {
        if (IsDayOne(day.cycle))
            typedOnes.push_back(day.serial);
        if (StartsWithCross(day.mark))
            crosses.push_back(day.serial);
    }
    std::vector<int> candidates = typedOnes;
    for (int serial : crosses) {
        if (AnyWithin(crosses, serial - kMarkQuiet, serial - 1))
            continue;
        if (AnyWithin(typedOnes, serial - kMarkQuiet, serial + kMarkQuiet))
            continue;
        candidates.push_back(serial);
    }
    std::sort(candidates.begin(), candidates.end());
    std::vector<int> starts;
    for (int serial : candidates)
        if (starts.empty() || serial - starts.back() >= kStartSpacing)
            starts.push_back(serial);
    return starts;
}

std::optional<TemperatureShift> FindShift(const std::vector<Reading>& readings) {
    const size_t n = readings.size();
    auto value = [&](size_t i) { return readings[i].hundredths; };
    for (size_t i = kReadingsBeforeShift; i + 2 < n; ++i) {
        int cover = 0;
        for (size_t j = i - kReadingsBeforeShift; j < i; ++j)
            cover = std::max(cover, value(j));
        if (value(i) <= cover)
            continue;
        const bool above2 = value(i + 1) > cover;
        const bool above3 = value(i + 2) > cover;
        const bool hasFourth = i + 3 < n;
        std::optional<size_t> confirmedAt;
        if (above2 && above3) {
            if (value(i + 2) - cover >= kShiftMargin)
                confirmedAt = i + 2;
            else if (hasFourth && value(i + 3) > cover)
                confirmedAt = i + 3;
        } else if (above2 != above3) {
            // The one at or below the line is left out; the fourth must then clear it by the margin.
            if (hasFourth && value(i + 3) - cover >= kShiftMargin)
                confirmedAt = i + 3;
        }
        if (confirmedAt)
            return TemperatureShift{readings[i].serial, readings[*confirmedAt].serial, cover};
    }
    return std::nullopt;
}

int MeanHundredths(const std::vector<int>& values) {
    if (values.empty())
        return 0;
    long long sum = 0;
    for (int v : values)
        sum += v;
    return static_cast<int>(Rounded(sum, static_cast<long long>(values.size())));
}

int MeanTenths(long long sum, int count) {
    return count == 0 ? 0 : static_cast<int>(Rounded(sum * 10, count));
}

std::optional<int> Cycle::HighPhaseLength() const {
    if (open || !shift)
        return std::nullopt;
    return end - shift->firstHigh + 1;
}

std::optional<int> Cycle::OngoingHighPhase() const {
    if (!open || !shift)
        return std::nullopt;
    return end - shift->firstHigh + 1;
}

CycleAnalysis AnalyseCycles(const DaySeries& series) {
    CycleAnalysis analysis;
    const auto past = series.PastEnd();
    const std::vector<int> starts = FindCycleStarts(series.Days().begin(), past);
    if (starts.empty())
        return analysis;
    int lastEntry = starts.back();
    for (auto day = series.Days().begin(); day != past; ++day)
        if (day->entry)
            lastEntry = std::max(lastEntry, day->serial);

    auto day = series.Days().begin();
    for (size_t i = 0; i < starts.size(); ++i) {
        Cycle cycle;
        cycle.start = starts[i];
        cycle.open = i + 1 == starts.size();
        cycle.end = cycle.open ? lastEntry : starts[i + 1] - 1;
        cycle.touchesUnreadable = series.TouchesUnreadable(cycle.start, cycle.end);
        day =
            std::lower_bound(day, past, cycle.start, [](const DayRecord& d, int serial) { return d.serial < serial; });
        for (; day != past && day->serial <= cycle.end; ++day) {
            if (day->hundredths <= 0)
                continue;
            if (series.IsExcluded(day->serial))
                cycle.leftOut.push_back(day->serial);
            else
                cycle.readings.push_back(Reading{day->serial, day->hundredths});
        }
        cycle.shift = FindShift(cycle.readings);
        if (cycle.shift) {
            std::vector<int> low;
            std::vector<int> high;
            for (const Reading& r : cycle.readings)
                (r.serial < cycle.shift->firstHigh ? low : high).push_back(r.hundredths);
            cycle.lowMean = MeanHundredths(low);
            cycle.highMean = MeanHundredths(high);
        }
        analysis.cycles.push_back(std::move(cycle));
    }

    CycleStatistics& stats = analysis.statistics;
    std::vector<int> counted; // lengths, oldest first
    long long highSum = 0;
    for (const Cycle& cycle : analysis.cycles) {
        if (cycle.open)
            continue;
        if (cycle.touchesUnreadable) {
            stats.leftOutUnreadable = true;
            continue;
        }
        counted.push_back(cycle.Length());
        if (auto high = cycle.HighPhaseLength()) {
            ++stats.highCount;
            highSum += *high;
        }
    }
    stats.count = static_cast<int>(counted.size());
    if (!counted.empty()) {
        long long sum = 0;
        for (int length : counted)
            sum += length;
        stats.meanLengthTenths = MeanTenths(sum, stats.count);
        stats.shortest = *std::min_element(counted.begin(), counted.end());
        stats.longest = *std::max_element(counted.begin(), counted.end());
    }
    stats.meanHighTenths = MeanTenths(highSum, stats.highCount);

    if (stats.count >= kForecastMinimum) {
        auto recent = counted.end() - std::min<std::ptrdiff_t>(kForecastCycles, stats.count);
        const int shortest = *std::min_element(recent, counted.end());
        const int longest = *std::max_element(recent, counted.end());
        const Cycle& open = analysis.cycles.back();
        if (open.Length() <= longest)
            analysis.forecast = Forecast{open.start + shortest, open.start + longest};
    }
    return analysis;
}

CycleNotes NotesFor(const Cycle& cycle) {
    CycleNotes notes;
    if (auto high = cycle.HighPhaseLength())
        notes.shortHighPhase = *high < kShortHighPhase;
    if (cycle.shift)
        notes.smallDifference = cycle.highMean - cycle.lowMean < kSmallDifference;
    return notes;
}

int CycleIndexAt(const CycleAnalysis& analysis, int serial) {
    int index = 0;
    for (size_t i = 0; i < analysis.cycles.size(); ++i)
        if (analysis.cycles[i].start <= serial)
            index = static_cast<int>(i);
    return index;
}

} // namespace purimo
