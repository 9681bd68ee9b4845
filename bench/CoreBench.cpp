// The work of one month switch and one chart drawing, without the window system: the month file's
// bytes, loading them into the grid, and the chart's rebuild, layout and drawing calls.
#include <benchmark/benchmark.h>

#include "RecordingCanvas.h"
#include "chart/ChartLayout.h"
#include "chart/ChartRebuild.h"
#include "chart/ChartRenderer.h"
#include "month/MonthFile.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

MonthGrid FullMonth() {
    MonthGrid grid;
    LayOutGridTexts(grid);
    int days = PrepareMonthColumns(grid, 2026, 1);
    for (int day = 1; day <= days; ++day) {
        grid.SetCell(day, kRowCycleDay, std::to_string(day));
        grid.SetCell(day, kRowTemperature, day % 2 ? "36.5" : "36.8");
        grid.SetCell(day, kRowEvent, "\x81\xA2\t");
        grid.SetCell(day, kRowMemo, "memo, \"quoted\" text of the day");
    }
    return grid;
}

void WriteMonthFile(benchmark::State& state) {
    MonthGrid grid = FullMonth();
    for (auto _ : state)
        benchmark::DoNotOptimize(MonthFileBytes(grid));
}
BENCHMARK(WriteMonthFile);

void LoadMonthFile(benchmark::State& state) {
    std::string bytes = MonthFileBytes(FullMonth());
    MonthGrid grid;
    for (auto _ : state) {
        int days = PrepareMonthColumns(grid, 2026, 1);
        ApplyMonthLines(grid, days, SplitTextLines(bytes));
        NormaliseTemperatures(grid, days);
        benchmark::DoNotOptimize(grid);
    }
}
BENCHMARK(LoadMonthFile);

void RebuildAndDrawChart(benchmark::State& state) {
    MonthGrid grid = FullMonth();
    Chart chart;
    chart.SetMarksVisible(chart.SeriesAt(kTemperatureSeries), state.range(0) != 0);
    for (auto _ : state) {
        RebuildChart(chart, grid.DayCells(kRowTemperature), 31);
        RecordingCanvas canvas;
        DrawChart(canvas, chart, 985, 297);
        benchmark::DoNotOptimize(canvas.calls.size());
    }
}
BENCHMARK(RebuildAndDrawChart)->Arg(0)->Arg(1);

} // namespace
} // namespace purimo
