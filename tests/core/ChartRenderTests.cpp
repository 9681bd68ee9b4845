#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "chart/Chart.h"
#include "chart/ChartLayout.h"
#include "chart/ChartRebuild.h"
#include "chart/ChartRenderer.h"
#include "month/MonthGrid.h"

namespace purimo {
namespace {

constexpr int kHeight = 297;
constexpr Color kMarkerFill = Rgb(255, 0, 128);
constexpr Color kMarkBoxFill = Rgb(255, 255, 128);

// Day x in a 31-day month whose plot runs from 69 to 965.
int DayX(int day) {
    return 69 + static_cast<int>(std::nearbyint((day - 1) * 896.0 / 30));
}
int TempY(double v) {
    return 264 -
           static_cast<int>(std::nearbyint((std::log(v) - std::log(35.5)) * 249 / (std::log(37.5) - std::log(35.5))));
}

bool IsLine(const CanvasCall& c, int x1, int y1, int x2, int y2) {
    return c.op == CanvasOp::LineTo && c.fromX == x1 && c.fromY == y1 && c.x == x2 && c.y == y2;
}

class ChartRender : public testing::Test {
protected:
    void SetUp() override {
        // Day labels 12 high; left labels 7 wide per character, so the label column is 4 * 7 + 7 = 35.
        canvas.SetMetrics(chart.Settings().bottomAxis.labelsFont, {6, 12});
        canvas.SetMetrics(chart.Settings().leftAxis.labelsFont, {7, 13});
        canvas.SetMetrics(chart.SeriesAt(0).Marks().font, {7, 13});
    }

    void Draw(int days, const std::vector<std::pair<int, std::string>>& temperatures, bool marks = false) {
        MonthGrid grid;
        grid.SetColCount(days + 1);
        for (const auto& [day, text] : temperatures)
            grid.SetCell(day, kRowTemperature, text);
        RebuildChart(chart, grid.DayCells(kRowTemperature), days);
        chart.SetMarksVisible(chart.SeriesAt(0), marks);
        DrawChart(canvas, chart, ChartWidthForDays(days), kHeight);
    }

    size_t IndexOf(const std::function<bool(const CanvasCall&)>& match) const {
        auto it = std::find_if(canvas.calls.begin(), canvas.calls.end(), match);
        return static_cast<size_t>(it - canvas.calls.begin());
    }
    size_t LastIndexOf(const std::function<bool(const CanvasCall&)>& match) const {
        for (size_t i = canvas.calls.size(); i-- > 0;)
            if (match(canvas.calls[i]))
                return i;
        return canvas.calls.size();
    }
    std::vector<CanvasCall> Lines(const std::function<bool(const CanvasCall&)>& match) const {
        std::vector<CanvasCall> found;
        for (const CanvasCall& c : canvas.Calls(CanvasOp::LineTo))
            if (match(c))
                found.push_back(c);
        return found;
    }
    std::vector<CanvasCall> Texts(const FontSpec& font) const {
        std::vector<CanvasCall> found;
        for (const CanvasCall& c : canvas.Calls(CanvasOp::Text))
            if (c.font == font)
                found.push_back(c);
        return found;
    }
    // The color the fills leave at a pixel.
    Color FilledAt(int x, int y) const {
        Color color = 0xFFFFFFFFu;
        for (const CanvasCall& c : canvas.Calls(CanvasOp::Fill))
            if (x >= c.rect.left && x < c.rect.right && y >= c.rect.top && y < c.rect.bottom)
                color = c.color;
        return color;
    }

    Chart chart;
    RecordingCanvas canvas;
};

TEST_F(ChartRender, BackgroundBevelsAndBackWall) {
    Draw(31, {});
    ASSERT_FALSE(canvas.calls.empty());
    const CanvasCall& first = canvas.calls.front();
    EXPECT_EQ(first.op, CanvasOp::Fill);
    EXPECT_EQ(first.rect, (Rect{0, 0, 985, kHeight}));
    EXPECT_EQ(first.color, SystemColor(kSysBtnFace));

    const Color light = SystemColor(kSysBtnHighlight), dark = SystemColor(kSysBtnShadow),
                face = SystemColor(kSysBtnFace);
    // Outer frame lowered, with the top-right and bottom-left corners in the right/bottom color.
    EXPECT_EQ(FilledAt(0, 0), dark);
    EXPECT_EQ(FilledAt(500, 0), dark);
    EXPECT_EQ(FilledAt(0, 100), dark);
    EXPECT_EQ(FilledAt(984, 0), light);
    EXPECT_EQ(FilledAt(0, 296), light);
    EXPECT_EQ(FilledAt(984, 296), light);
    EXPECT_EQ(FilledAt(500, 296), light);
    // Inner frame raised, one pixel in.
    EXPECT_EQ(FilledAt(1, 1), light);
    EXPECT_EQ(FilledAt(500, 1), light);
    EXPECT_EQ(FilledAt(983, 1), dark);
    EXPECT_EQ(FilledAt(1, 295), dark);
    EXPECT_EQ(FilledAt(983, 200), dark);
    EXPECT_EQ(FilledAt(2, 2), face);

    std::vector<CanvasCall> rects = canvas.Calls(CanvasOp::Rectangle);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects[0].rect, (Rect{69, 15, 966, 265}));
    EXPECT_EQ(rects[0].penColor, kBlack);
    EXPECT_EQ(rects[0].penWidth, 1);
    EXPECT_EQ(rects[0].brushColor, kWhite);
    EXPECT_LT(IndexOf([](const CanvasCall& c) { return c.op == CanvasOp::Rectangle; }),
              IndexOf([](const CanvasCall& c) { return c.op == CanvasOp::Text || c.op == CanvasOp::LineTo; }));
}

TEST_F(ChartRender, BottomAxisLabelsTicksGridAndMinorTicks) {
    Draw(31, {});
    std::vector<CanvasCall> labels = Texts(chart.Settings().bottomAxis.labelsFont);
    ASSERT_EQ(labels.size(), 31u);
    for (int day = 1; day <= 31; ++day) {
        const CanvasCall& label = labels[day - 1];
        EXPECT_EQ(label.text, std::to_string(day));
        EXPECT_EQ(label.x, DayX(day));
        EXPECT_EQ(label.y, 270);
        EXPECT_EQ(label.align, TextAlign::Center);
        EXPECT_EQ(label.textColor, kBlack);

        int x = DayX(day);
        auto tick = Lines([&](const CanvasCall& c) { return IsLine(c, x, 265, x, 269); });
        ASSERT_EQ(tick.size(), 1u) << day;
        EXPECT_EQ(tick[0].penColor, kGray);
        auto grid = Lines([&](const CanvasCall& c) { return IsLine(c, x, 15, x, 264); });
        ASSERT_EQ(grid.size(), 1u) << day;
        EXPECT_EQ(grid[0].penStyle, PenStyle::Dot);
        EXPECT_EQ(grid[0].penColor, kGray);
    }
    auto axis = Lines([](const CanvasCall& c) { return IsLine(c, 69, 264, 965, 264); });
    ASSERT_EQ(axis.size(), 1u);
    EXPECT_EQ(axis[0].penColor, kBlack);
    EXPECT_EQ(axis[0].penWidth, 2);

    auto minors = Lines([](const CanvasCall& c) { return c.fromY == 265 && c.y == 267; });
    ASSERT_EQ(minors.size(), 90u); // three in each of the 30 intervals, none outside the plot
    for (const CanvasCall& m : minors) {
        EXPECT_GT(m.x, 69);
        EXPECT_LT(m.x, 965);
        EXPECT_EQ(m.penStyle, PenStyle::Solid);
    }
    // Between days 1 and 2 (30 pixels): quarters rounded to even.
    EXPECT_EQ(minors[0].x, 99 - 8);
    EXPECT_EQ(minors[2].x, 99 - 22);
}

TEST_F(ChartRender, LeftAxisLabelsTicksAndGuideLines) {
    Draw(31, {});
    std::vector<CanvasCall> labels = Texts(chart.Settings().leftAxis.labelsFont);
    ASSERT_EQ(labels.size(), 21u);
    EXPECT_EQ(labels.front().text, "37.5");
    EXPECT_EQ(labels.back().text, "35.5");
    for (size_t k = 0; k < labels.size(); ++k) {
        const CanvasCall& label = labels[k];
        int y = label.y + 6; // centred on its tick: half of the 13-pixel text height above it
        EXPECT_EQ(label.x, 55);
        EXPECT_EQ(label.align, TextAlign::Right);
        EXPECT_EQ(Lines([&](const CanvasCall& c) { return IsLine(c, 68, y, 63, y); }).size(), 1u) << label.text;
        auto guide = Lines([&](const CanvasCall& c) { return IsLine(c, 70, y, 1000, y); });
        ASSERT_EQ(guide.size(), 1u) << label.text;
        EXPECT_EQ(guide[0].penColor, kGray);
        EXPECT_EQ(guide[0].penWidth, 1);
        if (k > 0) {
            EXPECT_GT(label.y, labels[k - 1].y);
        }
    }
    EXPECT_EQ(labels.front().y + 6, 15);
    EXPECT_EQ(labels[8].text, "36.7");
    EXPECT_EQ(labels[8].y + 6, 113);
    EXPECT_EQ(labels.back().y + 6, 264);

    // The whole bottom axis pass comes before the left one.
    size_t lastBottom = LastIndexOf([](const CanvasCall& c) { return c.op == CanvasOp::LineTo && c.y == 267; });
    size_t firstLeft = IndexOf([&](const CanvasCall& c) { return c.op == CanvasOp::Text && c.text == "37.5"; });
    EXPECT_LT(lastBottom, firstLeft);
}

TEST_F(ChartRender, TemperatureLineMarkersAndCentreLine) {
    Draw(31, {{12, "36.6"}});
    const int peak = TempY(36.6);
    // The series' own calls in order: blue segments and marker squares.
    std::vector<CanvasCall> series;
    size_t afterAxes = LastIndexOf([](const CanvasCall& c) { return c.op == CanvasOp::LineTo && c.x == 1000; });
    for (size_t i = afterAxes + 1; i < canvas.calls.size(); ++i) {
        const CanvasCall& c = canvas.calls[i];
        if ((c.op == CanvasOp::LineTo && c.penColor == kBlue) || c.op == CanvasOp::Rectangle)
            series.push_back(c);
    }
    ASSERT_EQ(series.size(), 61u);
    auto y = [&](int day) { return day == 12 ? peak : 264; };
    for (int day = 2; day <= 31; ++day) {
        const CanvasCall& segment = series[2 * (day - 2)];
        const CanvasCall& marker = series[2 * (day - 2) + 1];
        EXPECT_TRUE(IsLine(segment, DayX(day - 1), y(day - 1), DayX(day), y(day))) << day;
        EXPECT_EQ(segment.penWidth, 1);
        ASSERT_EQ(marker.op, CanvasOp::Rectangle);
        // Drawn after both segments touching it: the previous day's marker.
        EXPECT_EQ(marker.rect, (Rect{DayX(day - 1) - 3, y(day - 1) - 3, DayX(day - 1) + 4, y(day - 1) + 4}));
        EXPECT_EQ(marker.brushColor, kMarkerFill);
        EXPECT_EQ(marker.penColor, kBlack);
    }
    // Days without temperature sit centred on the bottom edge, half the square below it.
    EXPECT_EQ(series.back().rect, (Rect{962, 261, 969, 268}));

    // The centre line comes last: a red 2-pixel polyline through the days at 36.7, across the plot.
    size_t start = LastIndexOf([](const CanvasCall& c) { return c.op == CanvasOp::MoveTo; });
    ASSERT_EQ(canvas.calls[start].x, 69);
    ASSERT_EQ(canvas.calls[start].y, 113);
    ASSERT_EQ(canvas.calls.size() - start - 1, 30u);
    for (int day = 2; day <= 31; ++day) {
        const CanvasCall& c = canvas.calls[start + day - 1];
        EXPECT_TRUE(IsLine(c, DayX(day - 1), 113, DayX(day), 113)) << day;
        EXPECT_EQ(c.penColor, kRed);
        EXPECT_EQ(c.penWidth, 2);
    }
    EXPECT_EQ(canvas.calls.back().x, 965);
}

TEST_F(ChartRender, ValueMarksWhenVisible) {
    Draw(31, {{12, "36.6"}}, true);
    const FontSpec& font = chart.SeriesAt(0).Marks().font;
    std::vector<CanvasCall> boxes;
    for (const CanvasCall& c : canvas.Calls(CanvasOp::Rectangle))
        if (c.brushColor == kMarkBoxFill)
            boxes.push_back(c);
    ASSERT_EQ(boxes.size(), 31u);
    // "0.0": 3 characters + a "W" + the outline = 30 wide, 13 + 2 high, bottom row 5 above the point.
    EXPECT_EQ(boxes[0].rect, (Rect{69 - 15, 245, 69 + 15, 260}));
    EXPECT_EQ(boxes[0].penColor, kBlack);
    const int peak = TempY(36.6);
    EXPECT_EQ(boxes[11].rect, (Rect{DayX(12) - 18, peak - 19, DayX(12) + 19, peak - 4}));

    std::vector<CanvasCall> texts;
    for (const CanvasCall& c : canvas.Calls(CanvasOp::Text))
        if (c.font == font && c.x >= 69)
            texts.push_back(c);
    ASSERT_EQ(texts.size(), 31u);
    EXPECT_EQ(texts[0].text, "0.0");
    EXPECT_EQ(texts[0].x, 69);
    EXPECT_EQ(texts[0].y, 246);
    EXPECT_EQ(texts[0].align, TextAlign::Center);
    EXPECT_EQ(texts[11].text, "36.6");
    EXPECT_EQ(texts[11].x, DayX(12));

    auto arrows = Lines([](const CanvasCall& c) { return c.penColor == kGray && c.penWidth == 2; });
    ASSERT_EQ(arrows.size(), 31u);
    EXPECT_TRUE(IsLine(arrows[11], DayX(12), peak, DayX(12), peak - 5));

    // After the last marker, before the centre line.
    size_t lastMarker =
        LastIndexOf([](const CanvasCall& c) { return c.brushColor == kMarkerFill && c.op == CanvasOp::Rectangle; });
    size_t firstBox =
        IndexOf([](const CanvasCall& c) { return c.brushColor == kMarkBoxFill && c.op == CanvasOp::Rectangle; });
    size_t centre = LastIndexOf([](const CanvasCall& c) { return c.op == CanvasOp::LineTo && c.penColor == kRed; });
    EXPECT_LT(lastMarker, firstBox);
    EXPECT_LT(LastIndexOf([](const CanvasCall& c) { return c.op == CanvasOp::Text; }), centre);
}

TEST_F(ChartRender, HiddenMarksDrawNoValueText) {
    Draw(31, {{5, "36.0"}});
    EXPECT_EQ(canvas.Calls(CanvasOp::Text).size(), 31u + 21u);
    for (const CanvasCall& c : canvas.Calls(CanvasOp::Rectangle))
        EXPECT_NE(c.brushColor, kMarkBoxFill);
}

TEST_F(ChartRender, CrowdedDayLabelsAreThinned) {
    canvas.SetMetrics(chart.Settings().bottomAxis.labelsFont, {20, 12});
    Draw(31, {});
    std::vector<std::string> drawn;
    for (const CanvasCall& c : Texts(chart.Settings().bottomAxis.labelsFont))
        drawn.push_back(c.text);
    // One-digit days fit 30 pixels apart; two-digit ones (40 wide plus clearance) only every other day.
    std::vector<std::string> expected;
    for (int day = 1; day <= 31; ++day)
        if (day < 10 || day % 2 == 1)
            expected.push_back(std::to_string(day));
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(Lines([](const CanvasCall& c) { return c.penStyle == PenStyle::Dot; }).size(), expected.size());
    // Minor ticks follow the drawn labels: a 60-pixel gap between days 9 and 11.
    const int x11 = DayX(11);
    for (int offset : {15, 30, 45})
        EXPECT_EQ(Lines([&](const CanvasCall& c) { return IsLine(c, x11 - offset, 265, x11 - offset, 267); }).size(),
                  1u);
}

TEST_F(ChartRender, ShortMonthKeepsSpacingAndGuideLinesReachTheEdge) {
    Draw(28, {});
    const int left = 18 + 35 + 14;
    std::vector<CanvasCall> labels = Texts(chart.Settings().bottomAxis.labelsFont);
    ASSERT_EQ(labels.size(), 28u);
    EXPECT_EQ(labels.front().x, left);
    EXPECT_EQ(labels.back().x, 877);
    EXPECT_EQ(labels[1].x - labels[0].x, 30);
    EXPECT_EQ(canvas.calls.front().rect, (Rect{0, 0, 895, kHeight}));
    auto guides = Lines([&](const CanvasCall& c) { return c.fromX == left + 1 && c.x == left + 931; });
    EXPECT_EQ(guides.size(), 21u);
    EXPECT_GT(guides[0].x, 895);
}

TEST_F(ChartRender, ChartWithoutPointsDrawsOnlyFrameAndTemperatureScale) {
    DrawChart(canvas, chart, 985, kHeight);
    EXPECT_EQ(Texts(chart.Settings().bottomAxis.labelsFont).size(), 0u);
    EXPECT_EQ(Texts(chart.Settings().leftAxis.labelsFont).size(), 21u);
    EXPECT_TRUE(Lines([](const CanvasCall& c) { return c.penColor == kBlue || c.penColor == kRed; }).empty());
    EXPECT_EQ(canvas.Calls(CanvasOp::Rectangle).size(), 1u);
}

TEST_F(ChartRender, MeasuresComeFromTheCanvasFonts) {
    AxisTextMetrics m = MeasureAxisText(canvas, chart.Settings());
    EXPECT_EQ(m.bottomLabelHeight, 12);
    EXPECT_EQ(m.leftLabelColumn, 35);
    canvas.SetMetrics(chart.Settings().leftAxis.labelsFont, {9, 13});
    EXPECT_EQ(MeasureAxisText(canvas, chart.Settings()).leftLabelColumn, 45);
}

} // namespace
} // namespace purimo
