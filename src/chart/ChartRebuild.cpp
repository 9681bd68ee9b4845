#include "chart/ChartRebuild.h"

#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace purimo {

namespace {

constexpr int kDayColumnWidth = 30;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 40;
constexpr int kGridHeight = 241;
constexpr int kChartBottom = 578;
constexpr int kClientWidth31 = 1002;
constexpr int kClientHeight = 585;

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

MonthArea MonthAreaFor(int dayCount, const DisplayScale& scale) {
    const int width = ChartWidthForDays(dayCount);
    MonthArea area;
    area.grid = scale.Box(kGridLeft, kGridTop, width, kGridHeight);
    area.chart = scale.Box(kGridLeft, kGridTop + kGridHeight, width, kChartBottom - kGridTop - kGridHeight);
    area.clientWidth = scale.Edge(kClientWidth31 - kDayColumnWidth * (31 - dayCount));
    area.clientHeight = scale.Edge(kClientHeight);
    return area;
}

} // namespace purimo
