// Whole operations in the real window, timed for the record (printed, never asserted): a month
// switch with its save, load, chart rebuild and repaint, and a full chart redraw.
#include <windows.h>

#include <cstdio>

#include "FormFixture.h"

namespace purimo::test {

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

using TimingTest = FormFixture;

TEST_F(TimingTest, MonthSwitchesAndChartRedraws) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    UpdateWindow(form_->Hwnd());
    constexpr int kSwitches = 24;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSwitches; ++i) {
        ClickButton(form_->btnNext());
        UpdateWindow(form_->Hwnd());
    }
    QueryPerformanceCounter(&end);
    double perSwitch = Milliseconds(start, end) / kSwitches;
    EXPECT_EQ(form_->ShownYear(), 2028);
    EXPECT_EQ(form_->ShownMonth(), 1);

    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSwitches; ++i)
        form_->btnSavesClick();
    QueryPerformanceCounter(&end);
    double perSave = Milliseconds(start, end) / kSwitches;

    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSwitches; ++i)
        RedrawWindow(form_->gridMain().Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    double perGridPaint = Milliseconds(start, end) / kSwitches;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSwitches; ++i)
        form_->Set_ChangeCalender(2026, 1);
    QueryPerformanceCounter(&end);
    double perShow = Milliseconds(start, end) / kSwitches;
    std::printf("grid paint %.2f ms, show same month without paint %.2f ms\n", perGridPaint, perShow);

    Chart& chart = form_->chartMain().Model();
    int redrawsBefore = form_->chartMain().RedrawCount();
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kSwitches; ++i) {
        chart.SetPointValue(chart.SeriesAt(0), i % 31, 36.0 + 0.1 * (i % 15));
        UpdateWindow(form_->chartMain().Hwnd());
    }
    QueryPerformanceCounter(&end);
    double perRedraw = Milliseconds(start, end) / kSwitches;
    EXPECT_EQ(form_->chartMain().RedrawCount(), redrawsBefore + kSwitches);

    std::printf("month switch with save and repaint: %.2f ms; save alone: %.2f ms; chart redraw: %.2f ms\n", perSwitch,
                perSave, perRedraw);
    RecordProperty("month_switch_us", static_cast<int>(perSwitch * 1000));
    RecordProperty("month_save_us", static_cast<int>(perSave * 1000));
    RecordProperty("chart_redraw_us", static_cast<int>(perRedraw * 1000));
}

} // namespace purimo::test
