// Whole operations in the real window, timed for the record (printed, never asserted): a month
// switch with its save, load, chart rebuild and repaint, a grid repaint, a full chart redraw, and
// the window image written as a BMP file. Each prints the median of its runs as a line
// "timing <row> <median ms> <runs>", which scripts/bench.sh gathers into its table.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "FormFixture.h"
#include "output/PrintImage.h"

namespace purimo::test {

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the step the given number of times; prints and returns the median of its times.
double Median(const char* row, int runs, const std::function<void(int)>& step) {
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
    return median;
}

} // namespace

using TimingTest = FormFixture;

TEST_F(TimingTest, MonthSwitchesAndChartRedraws) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    UpdateWindow(form_->Hwnd());
    constexpr int kSwitches = 24;
    double perSwitch = Median("month_switch", kSwitches, [this](int) {
        ClickButton(form_->btnNext());
        UpdateWindow(form_->Hwnd());
    });
    EXPECT_EQ(form_->ShownYear(), 2028);
    EXPECT_EQ(form_->ShownMonth(), 1);

    double perSave = Median("month_save", kSwitches, [this](int) { form_->btnSavesClick(); });
    double perGridPaint = Median("grid_repaint", kSwitches, [this](int) {
        RedrawWindow(form_->gridMain().Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    double perShow = Median("show_same_month", kSwitches, [this](int) { form_->Set_ChangeCalender(2026, 1); });
    Pump();

    Chart& chart = form_->chartMain().Model();
    int redrawsBefore = form_->chartMain().RedrawCount();
    double perRedraw = Median("chart_redraw", kSwitches, [&](int i) {
        chart.SetPointValue(chart.SeriesAt(0), i % 31, 36.0 + 0.1 * (i % 15));
        UpdateWindow(form_->chartMain().Hwnd());
    });
    EXPECT_EQ(form_->chartMain().RedrawCount(), redrawsBefore + kSwitches);

    std::wstring bmp = folder_ + L"timing.bmp";
    double perImage = Median("window_image_bmp", kSwitches, [&](int) { SaveWindowImage(form_->Hwnd(), bmp); });
    EXPECT_GT(ReadFileBytes(bmp).size(), 1000u * 500u * 4u);

    RecordProperty("month_switch_us", static_cast<int>(perSwitch * 1000));
    RecordProperty("month_save_us", static_cast<int>(perSave * 1000));
    RecordProperty("grid_repaint_us", static_cast<int>(perGridPaint * 1000));
    RecordProperty("show_same_month_us", static_cast<int>(perShow * 1000));
    RecordProperty("chart_redraw_us", static_cast<int>(perRedraw * 1000));
    RecordProperty("window_image_bmp_us", static_cast<int>(perImage * 1000));
}

} // namespace purimo::test
