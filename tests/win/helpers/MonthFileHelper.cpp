// A second process for the tests of the month file that need one of their own:
//   save-loop PATH EVENT  saves two different months to PATH in turn, for ever, and sets the named
//                         event after the first save; the test ends it at a random moment.
//   load PATH             reads the month file at PATH as the window does and exits with the growth
//                         of its peak working set in KiB, so that each file is measured in a fresh
//                         process.
#include <windows.h>
#include <psapi.h>

#include <string>

#include "common/Errors.h"
#include "month/MonthFileIo.h"
#include "month/ShowMonth.h"
#include "SaveLoopMonths.h"

using namespace purimo;

namespace {

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

int SaveLoop(const std::wstring& path, const std::wstring& eventName) {
    // Sizes that differ, and that take several blocks to write.
    const std::string months[] = {SaveLoopMonthBytes('a', 400), SaveLoopMonthBytes('b', 150)};
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str());
    for (unsigned n = 0;; ++n) {
        WriteFileSafely(path, months[n % 2], n % 4 == 3);
        if (n == 0 && ready != nullptr)
            SetEvent(ready);
    }
}

int Load(const std::wstring& path) {
    const SIZE_T before = Memory().WorkingSetSize;
    MonthGrid grid;
    LayOutGridTexts(grid);
    int days = PrepareMonthColumns(grid, 2026, 4);
    try {
        MonthFileLines file = ReadMonthFile(path);
        ApplyMonthLines(grid, days, file.lines);
        NormaliseTemperatures(grid, days);
    } catch (const AppError&) {
        // A short file is reported to the user; the memory it took still counts.
    }
    const SIZE_T peak = Memory().PeakWorkingSetSize;
    return static_cast<int>((peak > before ? peak - before : 0) / 1024);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        std::wstring mode = argc > 1 ? argv[1] : L"";
        if (mode == L"save-loop" && argc == 4)
            return SaveLoop(argv[2], argv[3]);
        if (mode == L"load" && argc == 3)
            return Load(argv[2]);
    } catch (const std::exception&) {
        return -1;
    }
    return -2;
}
