// The month file's line reader and comma-line parser on one very long line, against memchr over
// the same bytes: a file of one 64 MiB line must load in time proportional to its size and near
// the speed of a plain scan. Sizes are in MiB; the line is either one field or many short ones.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "month/MonthFile.h"
#include "month/MonthGrid.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

std::string LongLine(size_t bytes, bool commas) {
    std::string line;
    line.reserve(bytes + 2);
    const std::string piece = commas ? "36.5," : "3650";
    while (line.size() + piece.size() <= bytes)
        line += piece;
    line.resize(bytes, '5');
    return line + "\r\n";
}

void MemchrScan(benchmark::State& state) {
    std::string bytes = LongLine(static_cast<size_t>(state.range(0)) << 20, state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes.data(), '\x1A', bytes.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(MemchrScan)->Args({1, 0})->Args({64, 0})->Args({64, 1})->Unit(benchmark::kMillisecond);

// What any reader that keeps the line pays at least: one copy of it into newly allocated memory.
void CopyToNewString(benchmark::State& state) {
    std::string bytes = LongLine(static_cast<size_t>(state.range(0)) << 20, state.range(1) != 0);
    for (auto _ : state) {
        std::string copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(CopyToNewString)->Args({1, 0})->Args({64, 0})->Unit(benchmark::kMillisecond);

// What loading such a file costs the program: its bytes fed block by block, as they come from the
// disk, to the reader that keeps the month's lines within their limits, and the temperature line
// parsed into the grid.
void ReadLongLine(benchmark::State& state) {
    std::string bytes = LongLine(static_cast<size_t>(state.range(0)) << 20, state.range(1) != 0);
    MonthGrid grid;
    LayOutGridTexts(grid);
    PrepareMonthColumns(grid, 2026, 1);
    for (auto _ : state) {
        MonthFileReader reader(kMonthFileLines, kMonthLineBytes);
        for (size_t at = 0; at < bytes.size(); at += kMonthReadBlock)
            if (!reader.Feed(std::string_view(bytes).substr(at, kMonthReadBlock)))
                break;
        MonthFileLines lines = reader.Finish();
        CommaLineToRow(grid, kRowTemperature, lines.lines.at(0));
        benchmark::DoNotOptimize(grid);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ReadLongLine)->Args({1, 0})->Args({64, 0})->Args({64, 1})->Unit(benchmark::kMillisecond);

} // namespace
} // namespace purimo
