// The temperature chart in the running window: drawing on the screen's fonts, the marks option,
// and the cached image.
#include <windows.h>

#include "FormFixture.h"
#include "Image.h"
#include "chart/ChartLayout.h"
#include "month/MonthGrid.h"
#include "output/WindowImage.h"
#include "widgets/GdiCanvas.h"

namespace purimo::test {

namespace {

constexpr COLORREF kMarkerFill = RGB(255, 0, 128);
constexpr COLORREF kGuide = RGB(128, 128, 128);
constexpr COLORREF kMarkBox = RGB(255, 255, 128);

} // namespace

class ChartWindowTest : public FormFixture {
protected:
    Image CaptureChart() {
        UpdateWindow(form_->Hwnd());
        BitmapHandle image = CaptureWindowImage(form_->chartMain().Hwnd());
        return Image(image.Get());
    }
    // Where the chart puts things, measured with the same fonts as the control draws with.
    ChartLayout Layout() {
        RECT r;
        GetClientRect(form_->chartMain().Hwnd(), &r);
        WindowDc screen(nullptr);
        MemoryDc memory(CreateCompatibleDC(screen.Get()));
        GdiCanvas canvas(memory.Get());
        return LayOutChart(canvas, form_->chartMain().Model(), r.right, r.bottom);
    }
    void ShowJanuaryWithTemperatures() {
        CreateDirectoryW(ClientFolder().c_str(), nullptr);
        WriteFileBytes(MonthPath("202601"), "\"周  期\"\r\n\"体  温\",36.2,36.3,36.5,,,37.0,36.8\r\n\"変  化\"\r\n"
                                            "\"メ  モ\"\r\n");
        form_->Set_ChangeCalender(2026, 1);
    }
};

TEST_F(ChartWindowTest, DrawsTheLineMarkersGuidesAndCentreLine) {
    Start();
    ShowJanuaryWithTemperatures();
    Image image = CaptureChart();
    image.SaveArtefact("chart-with-temperatures");
    ChartLayout layout = Layout();
    ASSERT_EQ(image.Width(), 985);
    ASSERT_EQ(image.Height(), 297);
    const PlotFrame& plot = layout.frame;

    // The centre line: red, 2 pixels high, across the plot at 36.7.
    int centre = ValueToPixel(layout.leftScale, 36.7);
    int redRows = 0;
    for (int y = centre - 2; y <= centre + 2; ++y)
        redRows += image.At((plot.left + plot.right) / 2 + 7, y) == RGB(255, 0, 0) ? 1 : 0;
    EXPECT_EQ(redRows, 2);

    // Markers: filled squares centred on each day's point, empty days on the bottom edge.
    const std::vector<PointPixel>& points = layout.series[0].points;
    ASSERT_EQ(points.size(), 31u);
    EXPECT_EQ(points[3].y, plot.bottom);
    for (int i : {0, 2, 3, 5, 30}) {
        const PointPixel& p = points[static_cast<size_t>(i)];
        EXPECT_EQ(image.At(p.x + 1, p.y + 1), kMarkerFill) << "day " << i + 1;
        EXPECT_EQ(image.At(p.x - 3, p.y - 3), RGB(0, 0, 0)) << "outline of day " << i + 1;
    }
    EXPECT_EQ(image.At(points[2].x, ValueToPixel(layout.leftScale, 36.5)), kMarkerFill);

    // The guide lines of the temperature scale run on to the control's right edge.
    int y37 = ValueToPixel(layout.leftScale, 37.4);
    EXPECT_EQ(image.At(plot.right + 5, y37), kGuide);
    EXPECT_EQ(image.At(984, y37), kGuide);
    EXPECT_EQ(image.At(plot.left - 3, y37), kGuide) << "outer tick";
    // Inside the plot the back wall is white between the guides.
    EXPECT_EQ(image.At(plot.left + 5, (y37 + ValueToPixel(layout.leftScale, 37.3)) / 2), RGB(255, 255, 255));
}

TEST_F(ChartWindowTest, MonthWithoutTemperaturesLiesOnTheBottomEdge) {
    Start();
    form_->Set_ChangeCalender(2026, 2);
    Image image = CaptureChart();
    image.SaveArtefact("chart-without-temperatures");
    ChartLayout layout = Layout();
    ASSERT_EQ(image.Width(), 895);
    for (const PointPixel& p : layout.series[0].points) {
        EXPECT_EQ(p.y, layout.frame.bottom);
        EXPECT_EQ(image.At(p.x + 2, p.y + 2), kMarkerFill) << "lower half of the marker shows below the plot";
    }
    EXPECT_EQ(image.At(894, ValueToPixel(layout.leftScale, 36.0)), kGuide);
}

TEST_F(ChartWindowTest, MarksOptionTogglesFromTheMenuAndSurvivesARestart) {
    Start();
    ShowJanuaryWithTemperatures();
    auto boxPixels = [this] {
        Image image = CaptureChart();
        int n = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                n += image.At(x, y) == kMarkBox ? 1 : 0;
        return n;
    };
    EXPECT_EQ(boxPixels(), 0);
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdSettingMarks, 0);
    EXPECT_TRUE(form_->MarksChecked());
    EXPECT_TRUE(form_->chartMain().Model().SeriesAt(0).MarksVisible());
    EXPECT_GT(boxPixels(), 31 * 20) << "a value box above every day";
    CaptureChart().SaveArtefact("chart-with-marks");
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadSetting(L"Options", L"Marker"), L"1");

    Start();
    EXPECT_TRUE(form_->MarksChecked());
    EXPECT_TRUE(form_->chartMain().Model().SeriesAt(0).MarksVisible());
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdSettingMarks, 0);
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdSettingMarks, 0);
    EXPECT_TRUE(form_->MarksChecked()) << "toggling twice restores the state";
}

TEST_F(ChartWindowTest, RefillDrawsOnceAndUncoveringCopiesTheCachedImage) {
    Start();
    UpdateWindow(form_->Hwnd());
    int before = form_->chartMain().RedrawCount();
    form_->Set_ChangeCalender(2026, 3);
    UpdateWindow(form_->Hwnd());
    EXPECT_EQ(form_->chartMain().RedrawCount(), before + 1) << "31 points added, one drawing";

    RedrawWindow(form_->chartMain().Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(form_->chartMain().RedrawCount(), before + 1) << "a repaint copies the cached image";

    Chart& chart = form_->chartMain().Model();
    chart.SetPointValue(chart.SeriesAt(0), 4, 36.6);
    UpdateWindow(form_->Hwnd());
    EXPECT_EQ(form_->chartMain().RedrawCount(), before + 2);
}

} // namespace purimo::test
