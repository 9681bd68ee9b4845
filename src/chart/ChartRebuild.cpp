#include "chart/ChartRebuild.h"

#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace purimo {

namespace {

constexpr int kDayColumnWidth = 30;

} // namespace

void RebuildChart(Chart& chart, const std::vector<std::string>& texts, int dayCount) {
    Series& temperatures = chart.SeriesAt(kTemperatureSeries);
    Series& centre = chart.SeriesAt(kCentreSeries);
    chart.ClearPoints(temperatures);
    chart.ClearPoints(centre);
    for (int day = 1; day <= dayCount; ++day) {
        std::string label = std::to_string(day);
        chart.AddPoint(temperatures, 0, label, kDefaultPointColor);
        chart.AddPoint(centre, kCentreValue, label, kDefaultPointColor);
        if (static_cast<size_t>(day) > texts.size())
            continue;
        const std::string& cell = texts[static_cast<size_t>(day - 1)];
        if (cell.empty())
            continue;
        if (std::optional<double> value = ParseDecimal(cell))
            chart.SetPointValue(temperatures, day - 1, *value);
    }
}

int ChartWidthForDays(int dayCount) {
    return 985 - kDayColumnWidth * (31 - dayCount);
}

int WindowWidthForDays(int dayCount) {
    return 1008 - kDayColumnWidth * (31 - dayCount);
}

} // namespace purimo
