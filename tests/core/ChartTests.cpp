#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/Chart.h"
#include "chart/ChartLayout.h"
#include "chart/ChartRebuild.h"
#include "common/GridLayout.h"
#include "month/MonthGrid.h"

namespace purimo {
namespace {

MonthGrid GridOfDays(int days, const std::vector<std::pair<int, std::string>>& temperatures) {
    MonthGrid grid;
    grid.SetColCount(days + 1);
    for (const auto& [day, text] : temperatures)
        grid.SetCell(day, kRowTemperature, text);
    return grid;
}

// Measures of a 31-day month drawn with day labels 12 pixels high and a 35-pixel left label column.
const AxisTextMetrics kExampleMetrics{12, 35};

int ExampleDayX(int day) {
    return 69 + static_cast<int>(std::nearbyint((day - 1) * 896.0 / 30));
}

TEST(ChartRebuild, OnePointPerDayInBothSeries) {
    Chart chart;
    RebuildChart(chart, GridOfDays(30, {{1, "36.5"}, {12, "35.5"}, {30, "37.5"}}).DayCells(kRowTemperature), 30);
    const Series& temps = chart.SeriesAt(kTemperatureSeries);
    const Series& centre = chart.SeriesAt(kCentreSeries);
    ASSERT_EQ(temps.Count(), 30);
    ASSERT_EQ(centre.Count(), 30);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(temps.XValues()[i], i);
        EXPECT_EQ(centre.XValues()[i], i);
        EXPECT_EQ(temps.Labels()[i], std::to_string(i + 1));
        EXPECT_EQ(centre.Labels()[i], std::to_string(i + 1));
        EXPECT_EQ(centre.YValues()[i], 36.7);
        EXPECT_EQ(temps.PointColor(i), kBlue);
        EXPECT_EQ(centre.PointColor(i), kRed);
    }
    EXPECT_EQ(temps.YValues()[0], 36.5);
    EXPECT_EQ(temps.YValues()[1], 0);
    EXPECT_EQ(temps.YValues()[11], 35.5);
    EXPECT_EQ(temps.YValues()[29], 37.5);
}

TEST(ChartRebuild, RepeatedRebuildReplacesThePoints) {
    Chart chart;
    RebuildChart(chart, GridOfDays(31, {{31, "36.9"}}).DayCells(kRowTemperature), 31);
    MonthGrid february = GridOfDays(28, {{3, "36.1"}});
    RebuildChart(chart, february.DayCells(kRowTemperature), 28);
    std::vector<double> firstY = chart.SeriesAt(0).YValues();
    std::vector<std::string> firstLabels = chart.SeriesAt(0).Labels();
    RebuildChart(chart, february.DayCells(kRowTemperature), 28);
    EXPECT_EQ(chart.SeriesAt(0).Count(), 28);
    EXPECT_EQ(chart.SeriesAt(1).Count(), 28);
    EXPECT_EQ(chart.SeriesAt(0).YValues(), firstY);
    EXPECT_EQ(chart.SeriesAt(0).Labels(), firstLabels);
    EXPECT_EQ(chart.SeriesAt(0).YValues()[2], 36.1);
    EXPECT_EQ(chart.SeriesAt(0).XValues().back(), 27);
}

TEST(ChartRebuild, CellsThatAreNotTemperaturesCountAsEmpty) {
    Chart chart;
    RebuildChart(chart, GridOfDays(28, {{1, "abc"}, {2, "36.5x"}, {3, "nan"}, {4, "36"}}).DayCells(kRowTemperature),
                 28);
    const std::vector<double>& y = chart.SeriesAt(0).YValues();
    EXPECT_EQ(y[0], 0);
    EXPECT_EQ(y[1], 0);
    EXPECT_EQ(y[2], 0);
    EXPECT_EQ(y[3], 36);
    // A grid narrower than the month: the missing days are days without temperature.
    RebuildChart(chart, GridOfDays(28, {{28, "36.6"}}).DayCells(kRowTemperature), 31);
    EXPECT_EQ(chart.SeriesAt(0).Count(), 31);
    EXPECT_EQ(chart.SeriesAt(0).YValues()[27], 36.6);
    EXPECT_EQ(chart.SeriesAt(0).YValues()[30], 0);
}

TEST(ChartRebuild, WidthsFollowTheMonthLength) {
    const int chartWidths[] = {895, 925, 955, 985};
    const int clientWidths[] = {912, 942, 972, 1002};
    for (int days = 28; days <= 31; ++days) {
        EXPECT_EQ(ChartWidthForDays(days), chartWidths[days - 28]);
        EXPECT_EQ(MonthAreaFor(days, DisplayScale()).clientWidth, clientWidths[days - 28]);
    }
    MonthArea design = MonthAreaFor(28, DisplayScale());
    EXPECT_EQ(design.grid, (Rect{8, 40, 903, 281}));
    EXPECT_EQ(design.chart, (Rect{8, 281, 903, 578}));
    // At 150 % the grid holds its scaled columns inside its scaled border, and the chart meets it.
    DisplayScale scale(144);
    MonthArea area = MonthAreaFor(31, scale);
    GridLayout layout(32, 5);
    layout.SetColWidth(0, kLabelColWidth);
    layout.SetScale(scale);
    EXPECT_EQ(area.grid.Width(), 2 * scale.Line(kGridBorder) + layout.ScaledWidth());
    EXPECT_EQ(area.chart.top, area.grid.bottom);
    scale = DisplayScale(120);
    area = MonthAreaFor(31, scale);
    EXPECT_EQ(area.chart.Width(), area.grid.Width());
    EXPECT_EQ(area.clientWidth, 1253);
    EXPECT_EQ(area.clientHeight, 731);
}

TEST(ChartOperations, ScaleSizesFontsAndWideLinesOnly) {
    Chart chart;
    chart.SetMarksVisible(chart.SeriesAt(kTemperatureSeries), true);
    chart.SetScale(DisplayScale(144));
    EXPECT_EQ(chart.Settings().leftAxis.labelsFont.height, -20);
    EXPECT_EQ(chart.Settings().leftAxis.tickLength, 8);
    EXPECT_EQ(chart.SeriesAt(kCentreSeries).Pen().width, 3);
    EXPECT_EQ(chart.SeriesAt(kTemperatureSeries).Pen().width, 1);
    EXPECT_TRUE(chart.SeriesAt(kTemperatureSeries).MarksVisible());
    EXPECT_TRUE(chart.IsStale());
    chart.SetScale(DisplayScale());
    EXPECT_EQ(chart.Settings().leftAxis.labelsFont.height, -13);
    EXPECT_EQ(chart.SeriesAt(kTemperatureSeries).Pointer().horizSize, 3);
}

TEST(ChartOperations, EveryChangeInvalidatesAndMarksStale) {
    Chart chart;
    int invalidations = 0;
    chart.SetInvalidateHandler([&] { ++invalidations; });
    EXPECT_TRUE(chart.IsStale());
    chart.MarkFresh();

    Series& temps = chart.SeriesAt(0);
    EXPECT_EQ(chart.AddPoint(temps, 0, "1", kDefaultPointColor), 0);
    EXPECT_EQ(chart.AddPoint(temps, 36.2, "2", Rgb(1, 2, 3)), 1);
    EXPECT_EQ(temps.XValues(), (std::vector<double>{0, 1}));
    EXPECT_EQ(temps.PointColor(1), Rgb(1, 2, 3));
    EXPECT_EQ(invalidations, 2);
    EXPECT_TRUE(chart.IsStale());

    chart.MarkFresh();
    chart.SetPointValue(temps, 0, 36.8);
    EXPECT_EQ(temps.YValues()[0], 36.8);
    EXPECT_EQ(invalidations, 3);
    EXPECT_TRUE(chart.IsStale());

    chart.ClearPoints(temps);
    EXPECT_EQ(temps.Count(), 0);
    EXPECT_TRUE(temps.Labels().empty());
    EXPECT_TRUE(temps.Colors().empty());
    EXPECT_EQ(invalidations, 4);
}

TEST(ChartOperations, MarksToggleInvalidatesOnlyOnChange) {
    Chart chart;
    int invalidations = 0;
    chart.SetInvalidateHandler([&] { ++invalidations; });
    Series& temps = chart.SeriesAt(0);
    EXPECT_FALSE(temps.MarksVisible());
    chart.SetMarksVisible(temps, false);
    EXPECT_EQ(invalidations, 0);
    chart.SetMarksVisible(temps, true);
    chart.SetMarksVisible(temps, true);
    EXPECT_EQ(invalidations, 1);
    EXPECT_TRUE(temps.MarksVisible());
    chart.MarkFresh();
    chart.SetMarksVisible(temps, false);
    EXPECT_EQ(invalidations, 2);
    EXPECT_TRUE(chart.IsStale());
    EXPECT_FALSE(chart.SeriesAt(1).MarksVisible());
}

TEST(ChartOperations, StrayIndexesAreRefusedSafely) {
    Chart chart;
    RebuildChart(chart, GridOfDays(28, {}).DayCells(kRowTemperature), 28);
    chart.MarkFresh();
    Series& temps = chart.SeriesAt(0);
    chart.SetPointValue(temps, 28, 36.5);
    chart.SetPointValue(temps, -1, 36.5);
    EXPECT_FALSE(chart.IsStale());
    EXPECT_EQ(temps.Count(), 28);
    EXPECT_THROW(chart.SeriesAt(2), std::out_of_range);
    EXPECT_THROW(chart.SeriesAt(-1), std::out_of_range);
}

TEST(ChartRounding, HalvesGoToEvenAndPercentagesAwayFromZero) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(7.5), 8);
    EXPECT_EQ(RoundHalfEven(22.5), 22);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(PercentOf(925, 2), 19);
    EXPECT_EQ(PercentOf(955, 2), 19);
    EXPECT_EQ(PercentOf(895, 2), 18);
    EXPECT_EQ(PercentOf(297, 5), 15);
    EXPECT_EQ(PercentOf(-925, 2), -19);
}

TEST(ChartLayout, FullMonthPlotRectangle) {
    Chart chart;
    PlotFrame f = LayOutPlot(chart.Settings(), 985, 297, kExampleMetrics);
    EXPECT_EQ(f.left, 69);
    EXPECT_EQ(f.top, 15);
    EXPECT_EQ(f.right, 965);
    EXPECT_EQ(f.bottom, 264);
    EXPECT_EQ(f.bottomLabelY, 270);
    EXPECT_EQ(f.leftLabelX, 55);
}

TEST(ChartLayout, ShorterMonthsStartFromTheirOwnMargin) {
    Chart chart;
    // Left margins 18, 19, 19 for 28, 29, 30 days; the label column and ticks add 49.
    EXPECT_EQ(LayOutPlot(chart.Settings(), 895, 297, kExampleMetrics).left, 18 + 49);
    EXPECT_EQ(LayOutPlot(chart.Settings(), 925, 297, kExampleMetrics).left, 19 + 49);
    EXPECT_EQ(LayOutPlot(chart.Settings(), 955, 297, kExampleMetrics).left, 19 + 49);
    EXPECT_EQ(LayOutPlot(chart.Settings(), 895, 297, kExampleMetrics).right, 877);
    EXPECT_EQ(LayOutPlot(chart.Settings(), 955, 297, kExampleMetrics).right, 936);
}

TEST(ChartLayout, ValuesToPixels) {
    AxisScale days{69, 965, 0, 30, false, false};
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(ValueToPixel(days, day - 1), ExampleDayX(day)) << day;

    AxisScale temps{15, 264, 35.5, 37.5, true, true};
    EXPECT_EQ(ValueToPixel(temps, 36.7), 113);
    EXPECT_EQ(ValueToPixel(temps, 37.5), 15);
    EXPECT_EQ(ValueToPixel(temps, 35.5), 264);
    EXPECT_EQ(ValueToPixel(temps, 0), 264);
    EXPECT_EQ(ValueToPixel(temps, -3), 264);
    // The scale is slightly compressed toward the top.
    EXPECT_LT(ValueToPixel(temps, 37.4) - ValueToPixel(temps, 37.5),
              ValueToPixel(temps, 35.5) - ValueToPixel(temps, 35.6));
    // No limit of its own: values beyond the range land beyond the plot, absurd ones are not drawn.
    EXPECT_LT(ValueToPixel(temps, 38.0), 15);
    EXPECT_GT(ValueToPixel(temps, 35.0), 264);
    EXPECT_FALSE(IsDrawable(ValueToPixel(temps, 1e-300)));
    EXPECT_FALSE(IsDrawable(ValueToPixel(temps, 1e300)));
    EXPECT_FALSE(IsDrawable(ValueToPixel(temps, std::nan(""))));
    // A single day: no span to divide, the point stands on the axis start.
    EXPECT_EQ(ValueToPixel(AxisScale{69, 965, 0, 0, false, false}, 0), 69);
}

TEST(ChartLayout, LeftAxisHasTwentyOneLabelsFromTopToBottom) {
    Chart chart;
    std::vector<double> values = LeftLabelValues(chart.Settings().leftAxis);
    ASSERT_EQ(values.size(), 21u);
    for (int k = 0; k <= 20; ++k) {
        const std::string expected = std::to_string((375 - k) / 10) + "." + std::to_string((375 - k) % 10);
        EXPECT_EQ(FormatValue(values[k]), expected);
    }
    EXPECT_LT(values.back(), 35.5); // the drift the tolerance has to absorb

    AxisSettings dense = chart.Settings().leftAxis;
    dense.increment = 0.0002; // 10000 steps
    EXPECT_TRUE(LeftLabelValues(dense).empty());
    dense.increment = 0;
    EXPECT_TRUE(LeftLabelValues(dense).empty());
}

TEST(ChartLayout, BottomLabelsAreThinnedWhenTheyWouldCrowd) {
    // 12-pixel labels 10 apart: each needs 7 pixels of clearance (6 for the first).
    EXPECT_EQ(VisibleLabels({0, 10, 20, 30, 40}, {12, 12, 12, 12, 12}, 10), (std::vector<int>{0, 2, 4}));
    // Exactly touching the clearance still counts as clear.
    EXPECT_EQ(VisibleLabels({0, 13}, {12, 12}, 10), (std::vector<int>{0, 1}));
    EXPECT_EQ(VisibleLabels({0, 12}, {12, 12}, 10), (std::vector<int>{0}));
    // Day numbers about 30 pixels apart all stand.
    std::vector<int> positions, widths;
    for (int day = 1; day <= 31; ++day) {
        positions.push_back(ExampleDayX(day));
        widths.push_back(day < 10 ? 6 : 12);
    }
    EXPECT_EQ(VisibleLabels(positions, widths, 10).size(), 31u);
    EXPECT_TRUE(VisibleLabels({}, {}, 10).empty());
}

TEST(ChartLayout, MinorTicksQuarterEachInterval) {
    // 30 pixels: quarters at 7.5, 15, 22.5 round to 8, 15, 22.
    EXPECT_EQ(MinorTicks({69, 99, 129}, 3, 69, 129), (std::vector<int>{91, 84, 77, 121, 114, 107}));
    // 29 pixels: 7.25, 14.5, 21.75 round to 7, 14, 22.
    EXPECT_EQ(MinorTicks({69, 98}, 3, 69, 98), (std::vector<int>{91, 84, 76}));
    // With the last tick short of the edge, the ones after it show, spaced as the first interval.
    EXPECT_EQ(MinorTicks({69, 99}, 3, 69, 120), (std::vector<int>{107, 114, 91, 84, 77}));
    EXPECT_TRUE(MinorTicks({69}, 3, 0, 1000).empty());
    EXPECT_TRUE(MinorTicks({69, 99}, 0, 0, 1000).empty());
}

} // namespace
} // namespace purimo
