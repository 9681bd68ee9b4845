// Any bytes as a month file: reading, loading into the grid, normalising, rebuilding the chart and
// writing it back must neither crash nor write anything that reads back differently.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartRebuild.h"
#include "common/Errors.h"
#include "month/MonthFile.h"
#include "month/ShowMonth.h"

using namespace purimo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);

    // Read as the program reads a file, in blocks (here split at a place the input chooses), it
    // gives the same first lines as the whole content at once.
    MonthFileReader reader(kMonthFileLines, kMonthLineBytes);
    const size_t split = size == 0 ? 0 : data[0] % (size + 1);
    if (reader.Feed(std::string_view(bytes).substr(0, split)))
        reader.Feed(std::string_view(bytes).substr(split));
    MonthFileLines file = reader.Finish();
    std::vector<std::string> all = SplitTextLines(bytes);
    if (all.size() > kMonthFileLines)
        all.resize(kMonthFileLines);
    if (file.lines != all) {
        std::fprintf(stderr, "read in blocks split at %zu: other lines than at once\n", split);
        std::abort();
    }

    MonthGrid grid;
    LayOutGridTexts(grid);
    int days = PrepareMonthColumns(grid, 2024, 2);
    try {
        ApplyMonthLines(grid, days, file.lines);
    } catch (const AppError&) {
        return 0; // a short file is reported to the user
    }
    NormaliseTemperatures(grid, days);
    Chart chart;
    RebuildChart(chart, grid.DayCells(kRowTemperature), days);

    // What is written reads back as the same cells, day cells being trimmed on loading.
    std::string written = MonthFileBytes(grid);
    MonthGrid again;
    PrepareMonthColumns(again, 2024, 2);
    ApplyMonthLines(again, days, SplitTextLines(written));
    for (int row = kRowCycleDay; row <= kRowMemo; ++row) {
        for (int col = 1; col <= days; ++col) {
            bool hasLineBreak = grid.Cell(col, row).find_first_of("\r\x1A") != std::string::npos;
            if (!hasLineBreak && again.Cell(col, row) != grid.Cell(col, row)) {
                std::fprintf(stderr, "row %d day %d: [%s] read back as [%s]\n", row, col, grid.Cell(col, row).c_str(),
                             again.Cell(col, row).c_str());
                std::fwrite(bytes.data(), 1, bytes.size(), stderr);
                std::abort();
            }
        }
    }
    return 0;
}
