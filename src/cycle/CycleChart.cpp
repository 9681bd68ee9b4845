#include "cycle/CycleChart.h"

#include <algorithm>
#include <limits>

#include "chart/Chart.h"
#include "cycle/CycleText.h"

namespace purimo {

namespace {

constexpr const char* kHeightSample = "W";
// The bottom rows: cycle day, date, mark.
constexpr int kBottomRows = 3;
constexpr int kBottomGap = 3;
// Every label step divides the scale's twenty tenths, so that both ends keep their labels.
constexpr int kLabelSteps[] = {1, 2, 4, 5, 10, 20};
const PointerSettings kSquare{true, 3, 3, kBlue, kBlack};
const PointerSettings kCircle{true, 4, 4, kRed, kBlack};

const ChartSettings& MonthChartSettings() {
    static const Chart chart;
    return chart.Settings();
}

double Degrees(int hundredths) {
    return hundredths / 100.0;
}

// A marker reaches as far from its point as the scaled edge of its 96-DPI reach.
PointerSettings ScaledPointer(PointerSettings pointer, const DisplayScale& scale) {
    pointer.horizSize = scale.Edge(pointer.horizSize);
    pointer.vertSize = scale.Edge(pointer.vertSize);
    return pointer;
}

} // namespace

CycleChartLayout LayOutCycleChart(Canvas& canvas, const Cycle& cycle, const std::vector<DayRecord>& days, int width,
                                  int height, int dayCount, std::optional<int> selected, const DisplayScale& scale) {
    const ChartSettings& s = MonthChartSettings();
    const AxisSettings& axis = s.leftAxis;
    CycleChartLayout layout;
    layout.width = width;
    layout.height = height;
    layout.leftFont = scale.Font(axis.labelsFont);
    layout.bottomFont = scale.Font(s.bottomAxis.labelsFont);
    layout.centreLineWidth = scale.Line(2);
    layout.bevels = Bevels(s, width, height);
    const int tickLength = scale.Edge(axis.tickLength);
    const int bottomGap = scale.Edge(kBottomGap);
    const PointerSettings square = ScaledPointer(kSquare, scale);
    const PointerSettings circle = ScaledPointer(kCircle, scale);

    canvas.SetFont(layout.bottomFont);
    const int lineHeight = canvas.TextHeight(kHeightSample);
    const int dayLabelWidth = canvas.TextWidth("99") + scale.Edge(4);
    const int dateLabelWidth = canvas.TextWidth("12/31") + scale.Edge(4);
    canvas.SetFont(layout.leftFont);
    const int labelHeight = canvas.TextHeight(kHeightSample);
    const int labelColumn =
        std::max(canvas.TextWidth(FormatValue(axis.maximum)), canvas.TextWidth(FormatValue(axis.minimum))) +
        canvas.TextWidth(" ");

    const int left = PercentOf(width, s.marginLeft) + labelColumn + tickLength;
    const int right = width - PercentOf(width, s.marginRight) - 1;
    const int top = PercentOf(height, s.marginTop);
    const int bottom =
        std::max(top + 1, height - PercentOf(height, s.marginBottom) - kBottomRows * lineHeight - 2 * bottomGap);
    layout.backWall = {left, top, right + 1, bottom + 1};
    layout.leftScale = {top, bottom, axis.minimum, axis.maximum, axis.logarithmic, true};

    const std::vector<double> values = LeftLabelValues(axis);
    const int intervals = std::max<int>(1, static_cast<int>(values.size()) - 1);
    int labelStep = kLabelSteps[std::size(kLabelSteps) - 1];
    for (int step : kLabelSteps) {
        if ((bottom - top) * step / intervals >= labelHeight) {
            labelStep = step;
            break;
        }
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const int y = ValueToPixel(layout.leftScale, values[i]);
        layout.guides.push_back({left, y, right + 1, y});
        if (static_cast<int>(i) % labelStep == 0)
            layout.leftLabels.push_back(
                {y, left - tickLength - scale.Edge(1), y - labelHeight / 2, FormatValue(values[i])});
    }
    const int centreY = ValueToPixel(layout.leftScale, kCentreValue);
    layout.centreLine = {left, centreY, right + 1, centreY};

    // Each day a column of the plot's width, its point in the column's middle.
    const int n = std::max(dayCount, cycle.Length());
    layout.dayCount = n;
    const int plotWidth = right - left + 1;
    auto dayX = [&](int index) { return left + static_cast<int>((2LL * index + 1) * plotWidth / (2LL * n)); };
    auto columnEdge = [&](int index) { return left + static_cast<int>(1LL * index * plotWidth / n); };
    layout.plotLeft = left;
    layout.plotWidth = plotWidth;
    // Labels are thinned where they would overlap: the cycle days by their own width, the longer
    // dates to a multiple of that, so that each date stands under a cycle day.
    auto every = [&](int labelWidth) { return std::max(1, (labelWidth * n + plotWidth - 1) / plotWidth); };
    const int dayEvery = every(dayLabelWidth);
    const int dateEvery = (every(dateLabelWidth) + dayEvery - 1) / dayEvery * dayEvery;
    const int rowTop = bottom + 1 + bottomGap;
    for (int i = 0; i < cycle.Length(); i += dayEvery) {
        const int x = dayX(i);
        layout.dayLines.push_back({x, top + 1, x, bottom});
        layout.dayLabels.push_back({x, x, rowTop, std::to_string(i + 1)});
        if (i % dateEvery == 0)
            layout.dateLabels.push_back({x, x, rowTop + lineHeight, FormatMonthDay(cycle.start + i)});
    }

    auto day = std::lower_bound(days.begin(), days.end(), cycle.start,
                                [](const DayRecord& d, int serial) { return d.serial < serial; });
    if (selected && *selected >= cycle.start && *selected <= cycle.end) {
        const int index = *selected - cycle.start;
        layout.selectedBand = Rect{columnEdge(index), top + 1, columnEdge(index + 1), bottom};
        std::string text = FormatMonthDay(*selected);
        auto record = std::lower_bound(day, days.end(), *selected,
                                       [](const DayRecord& d, int serial) { return d.serial < serial; });
        if (record != days.end() && record->serial == *selected && record->hundredths > 0)
            text += " " + FormatTenths(record->hundredths / 10) + "℃";
        layout.selectedLabel = AxisLabel{top, left + scale.Edge(4), top + scale.Edge(3), text};
    }
    int previous = 0; // serial of the last point laid out
    for (; day != days.end() && day->serial <= cycle.end; ++day) {
        const int index = day->serial - cycle.start;
        const int x = dayX(index);
        if (!day->mark.empty())
            layout.markLabels.push_back({x, x, rowTop + 2 * lineHeight + bottomGap, WithoutTabs(day->mark)});
        if (day->hundredths <= 0)
            continue;
        const int y = ValueToPixel(layout.leftScale, Degrees(day->hundredths));
        const bool high = cycle.shift && day->serial >= cycle.shift->firstHigh;
        const bool leftOut = std::binary_search(cycle.leftOut.begin(), cycle.leftOut.end(), day->serial);
        // The line breaks at a reading left out, as at a day without one.
        if (!leftOut && !layout.points.empty() && previous == day->serial - 1)
            layout.temperatureLine.push_back({layout.points.back().x, layout.points.back().y, x, y});
        layout.points.push_back({x, y, MarkerRect(circle, x, y), high, leftOut});
        if (!leftOut)
            layout.points.back().marker = MarkerRect(high ? circle : square, x, y);
        previous = leftOut ? std::numeric_limits<int>::min() : day->serial;
    }

    if (cycle.shift) {
        const int coverY = ValueToPixel(layout.leftScale, Degrees(cycle.shift->coverLine));
        layout.coverLine = Segment{left, coverY, right + 1, coverY};
        std::string value = FormatHundredths(cycle.shift->coverLine);
        value = value.substr(0, value.find("℃"));
        layout.coverLabel = AxisLabel{coverY, right - scale.Edge(2), coverY - lineHeight - scale.Edge(1), value};
        const int x = dayX(cycle.shift->firstHigh - cycle.start) - plotWidth / (2 * n);
        layout.shiftLine = Segment{x, top + 1, x, bottom};
    }
    return layout;
}

namespace {

void DrawSegments(Canvas& canvas, const std::vector<Segment>& segments) {
    for (const Segment& s : segments) {
        canvas.MoveTo(s.x1, s.y1);
        canvas.LineTo(s.x2, s.y2);
    }
}

void DrawLabels(Canvas& canvas, const std::vector<AxisLabel>& labels, TextAlign align) {
    for (const AxisLabel& label : labels)
        canvas.WriteText(label.textX, label.textY, align, label.text);
}

} // namespace

void DrawCycleChart(Canvas& canvas, const CycleChartLayout& layout) {
    const ChartSettings& s = MonthChartSettings();
    canvas.Fill(Rect{0, 0, layout.width, layout.height}, s.panelColor);
    for (const ColorRect& edge : layout.bevels)
        canvas.Fill(edge.rect, edge.color);
    canvas.SetPen(s.backWallPenColor, 1);
    canvas.SetBrush(s.backWallColor);
    canvas.DrawRectangle(layout.backWall);

    if (layout.selectedBand)
        canvas.Fill(*layout.selectedBand, kSelectedDayColor);
    canvas.SetPen(s.leftAxis.tickColor, 1);
    DrawSegments(canvas, layout.guides);
    canvas.SetPen(s.bottomAxis.gridColor, 1, PenStyle::Dot);
    DrawSegments(canvas, layout.dayLines);
    canvas.SetPen(kRed, layout.centreLineWidth);
    DrawSegments(canvas, {layout.centreLine});
    if (layout.coverLine) {
        canvas.SetPen(kCoverLineColor, 1, PenStyle::Dash);
        DrawSegments(canvas, {*layout.coverLine});
    }
    if (layout.shiftLine) {
        canvas.SetPen(kBlack, 1, PenStyle::Dot);
        DrawSegments(canvas, {*layout.shiftLine});
    }
    canvas.SetPen(kBlue, 1);
    DrawSegments(canvas, layout.temperatureLine);
    for (const CyclePoint& p : layout.points) {
        if (p.leftOut) {
            canvas.SetPen(kLeftOutColor, 1);
            canvas.SetClearBrush();
            canvas.DrawEllipse(p.marker);
            continue;
        }
        const PointerSettings& look = p.high ? kCircle : kSquare;
        canvas.SetPen(look.penColor, 1);
        canvas.SetBrush(look.brushColor);
        if (p.high)
            canvas.DrawEllipse(p.marker);
        else
            canvas.DrawRectangle(p.marker);
    }

    canvas.SetTextColor(s.leftAxis.labelsColor);
    canvas.SetFont(layout.leftFont);
    DrawLabels(canvas, layout.leftLabels, TextAlign::Right);
    DrawLabels(canvas, layout.markLabels, TextAlign::Center);
    canvas.SetFont(layout.bottomFont);
    DrawLabels(canvas, layout.dayLabels, TextAlign::Center);
    DrawLabels(canvas, layout.dateLabels, TextAlign::Center);
    if (layout.coverLabel) {
        canvas.SetTextColor(kCoverLineColor);
        DrawLabels(canvas, {*layout.coverLabel}, TextAlign::Right);
    }
    if (layout.selectedLabel) {
        canvas.SetTextColor(kBlack);
        DrawLabels(canvas, {*layout.selectedLabel}, TextAlign::Left);
    }
}

int DayIndexAt(const CycleChartLayout& layout, int x, int cycleDays) {
    const long long offset = std::max(0, x - layout.plotLeft);
    const int index = static_cast<int>(offset * layout.dayCount / layout.plotWidth);
    return std::clamp(index, 0, std::max(0, cycleDays - 1));
}

} // namespace purimo
