// Whole operations in the real window, timed (win_bench.exe, run by scripts/bench.sh, never by the
// test command): a month switch with its save, load, chart rebuild and repaint, a grid repaint, a
// full chart redraw, the window image written as a BMP file, and the cycle window, its CSV and its
// report over twenty years. Each prints the median of its runs as a line
// "timing <row> <median ms> <runs>", which scripts/bench.sh gathers into its table; only the
// workload is checked, so that a figure never stands for work that was not done.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "HelperProcess.h"
#include "common/NumberText.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleTableForm.h"
#include "cycle/Report.h"
#include "cycle/ReportPage.h"
#include "output/CommonDialogs.h"
#include "widgets/Handles.h"
#include "month/Calendar.h"
#include "month/MonthFile.h"
#include "output/PrintImage.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the step the given number of times and prints the median of its times.
void Median(const char* row, int runs, const std::function<void(int)>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        step(i);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    double median = times[times.size() / 2];
    std::printf("timing %s %.3f %d\n", row, median, runs);
    std::fflush(stdout);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// A diary of months up to November 2026: a cycle begins every 28 to 31 days, low readings for its
// first 14 days and high ones after.
void WriteDiary(const std::wstring& client, int months) {
    CreateDirectoryW(client.c_str(), nullptr);
    int year = 2026;
    int month = 11 - months + 1;
    while (month < 1) {
        month += 12;
        --year;
    }
    int cycleDay = 1;
    int cycleLength = 28;
    for (int m = 0; m < months; ++m) {
        const int days = DaysInMonth(year, month);
        std::string cycle = "\"周  期\"";
        std::string temps = "\"体  温\"";
        std::string marks = "\"変  化\"";
        for (int d = 1; d <= days; ++d) {
            cycle += "," + std::to_string(cycleDay);
            temps += cycleDay <= 14 ? (d % 2 ? ",36.3" : ",36.2") : (d % 2 ? ",36.8" : ",36.7");
            marks += cycleDay <= 5 ? ",×" : ",";
            if (++cycleDay > cycleLength) {
                cycleDay = 1;
                cycleLength = 28 + (cycleLength + 1) % 4;
            }
        }
        WriteFileBytes(client + Widen(ZeroPadded(year, 4) + ZeroPadded(month, 2)) + L".dat",
                       cycle + "\r\n" + temps + "\r\n" + marks + "\r\n\"メ  モ\",朝\r\n");
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

} // namespace

using WindowBench = FormFixture;

// The cycle window over 24 and over 240 months (twenty years): opening to its first painted chart,
// paging to the older cycle, and the memory the window holds while it is open.
TEST_F(WindowBench, CycleWindowOverTwentyYears) {
    Start();
    form_->Set_ChangeCalender(2026, 12);
    for (int months : {24, 240}) {
        WriteDiary(ClientFolder(), months);
        LARGE_INTEGER start{};
        SIZE_T before = 0;
        SIZE_T open = 0;
        int cycles = 0;
        std::vector<double> opens;
        std::vector<double> pages;
        std::vector<double> toggles;
        form_->SetCycleFormShown([&](TCycleForm& cycle) {
            UpdateWindow(cycle.Hwnd());
            UpdateWindow(cycle.Chart());
            opens.push_back(Milliseconds(start, Now()));
            open = PrivateBytes();
            cycles = cycle.CycleCount();
            // Leaving the selected day's reading out and taking it back, to the repainted window.
            for (int i = 0; months == 240 && i < 6; ++i) {
                LARGE_INTEGER from = Now();
                cycle.ToggleLeftOut();
                UpdateWindow(cycle.Hwnd());
                UpdateWindow(cycle.Chart());
                toggles.push_back(Milliseconds(from, Now()));
            }
            for (int i = 0; i < 8; ++i) {
                LARGE_INTEGER from = Now();
                cycle.ShowOlder();
                UpdateWindow(cycle.Hwnd());
                UpdateWindow(cycle.Chart());
                pages.push_back(Milliseconds(from, Now()));
            }
            PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
        });
        for (int run = 0; run < 5; ++run) {
            Pump();
            before = PrivateBytes();
            start = Now();
            SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
        }
        form_->SetCycleFormShown(nullptr);
        std::sort(opens.begin(), opens.end());
        std::sort(pages.begin(), pages.end());
        const std::string row = "cycle_open_" + std::to_string(months);
        std::printf("timing %s %.3f %zu\n", row.c_str(), opens[opens.size() / 2], opens.size());
        std::printf("timing cycle_page_%d %.3f %zu\n", months, pages[pages.size() / 2], pages.size());
        std::printf("timing cycle_memory_kb_%d %.0f 1\n", months,
                    (static_cast<double>(open) - static_cast<double>(before)) / 1024.0);
        std::fflush(stdout);
        EXPECT_GT(cycles, months * 30 / 31);
        if (!toggles.empty()) {
            std::sort(toggles.begin(), toggles.end());
            std::printf("timing left_out_toggle_%d %.3f %zu\n", months, toggles[toggles.size() / 2], toggles.size());
        }
    }

    // The table of every cycle, to its first painted rows.
    std::vector<double> tables;
    LARGE_INTEGER tableStart{};
    form_->SetCycleTableShown([&](TCycleTableForm& table) {
        UpdateWindow(table.Hwnd());
        UpdateWindow(table.List());
        tables.push_back(Milliseconds(tableStart, Now()));
        PostMessageW(table.Hwnd(), WM_CLOSE, 0, 0);
    });
    for (int run = 0; run < 5; ++run) {
        Pump();
        tableStart = Now();
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleTable, 0);
    }
    form_->SetCycleTableShown(nullptr);
    std::sort(tables.begin(), tables.end());
    std::printf("timing cycle_table_open_240 %.3f %zu\n", tables[tables.size() / 2], tables.size());

    // Over the twenty years: the whole diary as CSV, and the report page laid out and drawn on a
    // memory canvas.
    const std::wstring csv = folder_ + L"diary.csv";
    SetSaveDialogHandler([&](OPENFILENAMEW& ofn) {
        csv.copy(ofn.lpstrFile, ofn.nMaxFile - 1);
        ofn.lpstrFile[csv.size()] = L'\0';
        return TRUE;
    });
    Median("csv_240", 5, [&](int) { SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleCsv, 0); });
    SetSaveDialogHandler(nullptr);
    EXPECT_GT(ReadFileBytes(csv).size(), 240u * 30u * 20u);
    form_->SetCycleFormShown([&](TCycleForm& cycle) {
        WindowDc screen(nullptr);
        MemoryDc dc(CreateCompatibleDC(screen.Get()));
        BitmapHandle page(CreateCompatibleBitmap(screen.Get(), 1240, 1754)); // A4 at 150 dots per inch
        HGDIOBJ old = SelectObject(dc.Get(), page.Get());
        const int newest = cycle.CycleCount() - 1;
        Median("report_page", 5, [&](int) {
            DrawReportPage(dc.Get(), cycle.Series(), cycle.Analysis(), ReportCycleIndexes(cycle.Analysis(), newest),
                           0);
        });
        SelectObject(dc.Get(), old);
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
    form_->SetCycleFormShown(nullptr);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(WindowBench, MonthSwitchesAndChartRedraws) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    UpdateWindow(form_->Hwnd());
    constexpr int kSwitches = 24;
    Median("month_switch", kSwitches, [this](int) {
        ClickButton(form_->btnNext());
        UpdateWindow(form_->Hwnd());
    });
    EXPECT_EQ(form_->ShownYear(), 2028);
    EXPECT_EQ(form_->ShownMonth(), 1);

    Median("month_save", kSwitches, [this](int) { form_->btnSavesClick(); });
    // The flush that every save ends with, on its own: the bytes of a month written to a file
    // beside the month files, then only FlushFileBuffers timed.
    const std::string monthBytes = MonthFileBytes(form_->Grid());
    std::vector<double> flushes;
    for (int i = 0; i < kSwitches; ++i) {
        FileHandle file(CreateFileW((ClientFolder() + L"flush.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), monthBytes.data(), static_cast<DWORD>(monthBytes.size()), &written, nullptr);
        LARGE_INTEGER from = Now();
        FlushFileBuffers(file.Get());
        flushes.push_back(Milliseconds(from, Now()));
    }
    DeleteFileW((ClientFolder() + L"flush.tmp").c_str());
    std::sort(flushes.begin(), flushes.end());
    std::printf("timing month_flush %.3f %d\n", flushes[flushes.size() / 2], kSwitches);
    Median("grid_repaint", kSwitches, [this](int) {
        RedrawWindow(form_->gridMain().Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    Median("show_same_month", kSwitches, [this](int) { form_->Set_ChangeCalender(2026, 1); });
    Pump();

    Chart& chart = form_->chartMain().Model();
    int redrawsBefore = form_->chartMain().RedrawCount();
    Median("chart_redraw", kSwitches, [&](int i) {
        chart.SetPointValue(chart.SeriesAt(0), i % 31, 36.0 + 0.1 * (i % 15));
        UpdateWindow(form_->chartMain().Hwnd());
    });
    EXPECT_EQ(form_->chartMain().RedrawCount(), redrawsBefore + kSwitches);

    std::wstring bmp = folder_ + L"timing.bmp";
    Median("window_image_bmp", kSwitches, [&](int) { SaveWindowImage(form_->Hwnd(), bmp); });
    EXPECT_GT(ReadFileBytes(bmp).size(), 1000u * 500u * 4u);
}

} // namespace purimo::test
