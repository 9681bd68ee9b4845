#include "chart/ChartLayout.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace purimo {

namespace {

// Text heights are those of "W"; a mark box also takes its width as padding.
constexpr const char* kHeightSample = "W";

// Space an axis keeps beside the plot for its line and ticks.
int AxisSpace(const AxisSettings& axis) {
    return (axis.lineVisible ? axis.lineWidth : 0) + std::max(axis.tickLength, axis.minorTickLength);
}

struct Range {
    double minimum = 0;
    double maximum = 0;
};

// The axis' fixed range, or the span of the values over every series.
Range AxisRange(const AxisSettings& axis, const Chart& chart, bool xValues) {
    if (!axis.automatic)
        return {axis.minimum, axis.maximum};
    Range range;
    bool any = false;
    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const Series& series = chart.SeriesAt(s);
        for (double v : xValues ? series.XValues() : series.YValues()) {
            range.minimum = any ? std::min(range.minimum, v) : v;
            range.maximum = any ? std::max(range.maximum, v) : v;
            any = true;
        }
    }
    return range;
}

std::vector<AxisLabel> BottomLabels(Canvas& canvas, const Chart& chart, const AxisScale& scale,
                                    const PlotFrame& frame) {
    const AxisSettings& axis = chart.Settings().bottomAxis;
    const Series& series = chart.SeriesAt(kTemperatureSeries);
    canvas.SetFont(axis.labelsFont);
    std::vector<int> positions;
    std::vector<int> widths;
    std::vector<int> indexes;
    for (int i = 0; i < series.Count(); ++i) {
        int x = ValueToPixel(scale, series.XValues()[static_cast<size_t>(i)]);
        if (!IsDrawable(x))
            continue;
        positions.push_back(x);
        widths.push_back(canvas.TextWidth(series.Labels()[static_cast<size_t>(i)]));
        indexes.push_back(i);
    }
    std::vector<AxisLabel> labels;
    for (int v : VisibleLabels(positions, widths, axis.labelsSeparation)) {
        int x = positions[static_cast<size_t>(v)];
        labels.push_back(
            {x, x, frame.bottomLabelY, series.Labels()[static_cast<size_t>(indexes[static_cast<size_t>(v)])]});
    }
    return labels;
}

std::vector<AxisLabel> LeftLabels(Canvas& canvas, const AxisSettings& axis, const AxisScale& scale,
                                  const PlotFrame& frame) {
    canvas.SetFont(axis.labelsFont);
    int halfHeight = canvas.TextHeight(kHeightSample) / 2;
    std::vector<AxisLabel> labels;
    for (double v : LeftLabelValues(axis)) {
        int y = ValueToPixel(scale, v);
        if (IsDrawable(y))
            labels.push_back({y, frame.leftLabelX, y - halfHeight, FormatValue(v)});
    }
    return labels;
}

SeriesLayout LayOutSeries(Canvas& canvas, const Series& series, const AxisScale& xScale, const AxisScale& yScale) {
    SeriesLayout layout;
    for (int i = 0; i < series.Count(); ++i) {
        int x = ValueToPixel(xScale, series.XValues()[static_cast<size_t>(i)]);
        int y = ValueToPixel(yScale, series.YValues()[static_cast<size_t>(i)]);
        if (!IsDrawable(x) || !IsDrawable(y))
            continue;
        Rect marker = series.Pointer().visible ? MarkerRect(series.Pointer(), x, y) : Rect{};
        layout.points.push_back({i, x, y, marker});
    }
    if (!series.MarksVisible())
        return layout;
    const MarksSettings& marks = series.Marks();
    canvas.SetFont(marks.font);
    // The box holds the text, one "W" of padding and its 1-pixel outline on both sides.
    int padding = canvas.TextWidth(kHeightSample) + 2;
    int boxHeight = canvas.TextHeight(kHeightSample) + 2;
    for (const PointPixel& p : layout.points) {
        MarkLayout mark;
        mark.arrow = {p.x, p.y, p.x, p.y - marks.arrowLength};
        mark.text = FormatValue(series.YValues()[static_cast<size_t>(p.index)]);
        int boxWidth = canvas.TextWidth(mark.text) + padding;
        int left = p.x - boxWidth / 2;
        int top = p.y - boxHeight + 1 - marks.arrowLength;
        mark.box = {left, top, left + boxWidth, top + boxHeight};
        mark.textX = left + boxWidth / 2;
        mark.textY = top + 1;
        layout.marks.push_back(mark);
    }
    return layout;
}

// Ticks hang below the plot, one pixel clear of the axis line; inner ticks rise into it.
AxisLines BottomAxisLines(const AxisSettings& axis, const PlotFrame& f, const std::vector<AxisLabel>& labels) {
    AxisLines lines;
    lines.lineVisible = axis.lineVisible;
    lines.line = {f.left, f.bottom, f.right, f.bottom};
    std::vector<int> ticks;
    for (const AxisLabel& label : labels) {
        int x = label.tick;
        ticks.push_back(x);
        lines.ticks.push_back({x, f.bottom + 1, x, f.bottom + 1 + axis.tickLength});
        if (axis.gridVisible)
            lines.grid.push_back({x, f.top, x, f.bottom});
        if (axis.innerTickLength > 0)
            lines.innerTicks.push_back({x, f.bottom - 1, x, f.bottom - 1 - axis.innerTickLength});
    }
    for (int x : MinorTicks(ticks, axis.minorTickCount, f.left, f.right))
        lines.minorTicks.push_back({x, f.bottom + 1, x, f.bottom + 1 + axis.minorTickLength});
    return lines;
}

// Ticks point left of the plot; inner ticks run right across it.
AxisLines LeftAxisLines(const AxisSettings& axis, const PlotFrame& f, const std::vector<AxisLabel>& labels) {
    AxisLines lines;
    lines.lineVisible = axis.lineVisible;
    lines.line = {f.left, f.top, f.left, f.bottom};
    std::vector<int> ticks;
    for (const AxisLabel& label : labels) {
        int y = label.tick;
        ticks.push_back(y);
        lines.ticks.push_back({f.left - 1, y, f.left - 1 - axis.tickLength, y});
        if (axis.gridVisible)
            lines.grid.push_back({f.left, y, f.right, y});
        if (axis.innerTickLength > 0)
            lines.innerTicks.push_back({f.left + 1, y, f.left + 1 + axis.innerTickLength, y});
    }
    for (int y : MinorTicks(ticks, axis.minorTickCount, f.top, f.bottom))
        lines.minorTicks.push_back({f.left - 1, y, f.left - 1 - axis.minorTickLength, y});
    return lines;
}

} // namespace

std::vector<ColorRect> Bevels(const ChartSettings& settings, int width, int height) {
    std::vector<ColorRect> edges;
    Rect r{0, 0, width, height};
    for (BevelStyle style : {settings.outerBevel, settings.innerBevel}) {
        if (style == BevelStyle::None)
            continue;
        bool lowered = style == BevelStyle::Lowered;
        for (const ColorRect& edge : FrameEdges(r, lowered ? settings.bevelDark : settings.bevelLight,
                                                 lowered ? settings.bevelLight : settings.bevelDark))
            edges.push_back(edge);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    return edges;
}

Rect MarkerRect(const PointerSettings& pointer, int x, int y) {
    return {x - pointer.horizSize, y - pointer.vertSize, x + pointer.horizSize + 1, y + pointer.vertSize + 1};
}

int RoundHalfEven(double v) {
    double floor = std::floor(v);
    double rest = v - floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0))
        floor += 1;
    return static_cast<int>(floor);
}

int PercentOf(int size, int percent) {
    long long product = static_cast<long long>(size) * percent;
    long long rounded = product >= 0 ? (product + 50) / 100 : -((-product + 50) / 100);
    return static_cast<int>(rounded);
}

std::string FormatValue(double v) {
    return FormatOneDecimal(v).value_or("");
}

int ValueToPixel(const AxisScale& scale, double v) {
    const int kBeyond = kPixelLimit + 1;
    int size = scale.end - scale.start;
    double offset = 0;
    if (scale.logarithmic) {
        if (v <= 0)
            return scale.vertical ? scale.end : scale.start;
        double span = std::log(scale.maximum) - std::log(scale.minimum);
        if (std::isfinite(span) && span != 0)
            offset = (std::log(v) - std::log(scale.minimum)) * size / span;
    } else {
        double span = scale.maximum - scale.minimum;
        if (span != 0)
            offset = (v - scale.minimum) * size / span;
    }
    if (std::isnan(offset))
        return kBeyond;
    offset = std::clamp(offset, -2.0 * kBeyond, 2.0 * kBeyond);
    int pixel = scale.vertical ? scale.end - RoundHalfEven(offset) : scale.start + RoundHalfEven(offset);
    return std::clamp(pixel, -kBeyond, kBeyond);
}

AxisTextMetrics MeasureAxisText(Canvas& canvas, const ChartSettings& settings) {
    AxisTextMetrics metrics;
    canvas.SetFont(settings.bottomAxis.labelsFont);
    metrics.bottomLabelHeight = canvas.TextHeight(kHeightSample);
    const AxisSettings& left = settings.leftAxis;
    canvas.SetFont(left.labelsFont);
    metrics.leftLabelColumn =
        std::max(canvas.TextWidth(FormatValue(left.maximum)), canvas.TextWidth(FormatValue(left.minimum))) +
        canvas.TextWidth(" ");
    return metrics;
}

PlotFrame LayOutPlot(const ChartSettings& settings, int width, int height, const AxisTextMetrics& metrics) {
    PlotFrame f;
    f.left = PercentOf(width, settings.marginLeft);
    f.top = PercentOf(height, settings.marginTop);
    f.right = width - PercentOf(width, settings.marginRight);
    f.bottom = height - PercentOf(height, settings.marginBottom);
    f.bottom -= metrics.bottomLabelHeight;
    f.bottomLabelY = f.bottom;
    f.bottom -= AxisSpace(settings.bottomAxis);
    f.left += metrics.leftLabelColumn;
    f.leftLabelX = f.left;
    f.left += AxisSpace(settings.leftAxis);
    return f;
}

std::vector<double> LeftLabelValues(const AxisSettings& axis) {
    std::vector<double> values;
    double step = axis.increment;
    if (!(step > 0) || (axis.maximum - axis.minimum) / step >= 10000)
        return values;
    // Repeated subtraction lands slightly below the minimum; the tolerance keeps that label.
    double last = (axis.minimum - 1e-12) / 1.000000000001;
    for (double v = axis.maximum; v >= last; v -= step)
        values.push_back(v);
    return values;
}

std::vector<int> VisibleLabels(const std::vector<int>& positions, const std::vector<int>& widths, int separation) {
    std::vector<int> drawn;
    if (positions.empty())
        return drawn;
    drawn.push_back(0);
    int prevX = positions[0];
    int prevHalf = widths[0] / 2;
    for (size_t i = 1; i < positions.size(); ++i) {
        int w = widths[i];
        int half = (w + static_cast<int>(w * 0.02 * separation)) / 2;
        if (positions[i] - half >= prevX + prevHalf) {
            drawn.push_back(static_cast<int>(i));
            prevX = positions[i];
            prevHalf = half;
        }
    }
    return drawn;
}

std::vector<int> MinorTicks(const std::vector<int>& ticks, int count, int low, int high) {
    std::vector<int> minors;
    if (ticks.size() < 2 || count <= 0)
        return minors;
    const double divisions = count + 1;
    auto step = [&](int from, int to, int j) { return RoundHalfEven(j * static_cast<double>(to - from) / divisions); };
    auto add = [&](int x) {
        if (x > low && x < high)
            minors.push_back(x);
    };
    for (int j = 1; j <= count; ++j)
        add(ticks.front() - step(ticks[0], ticks[1], j));
    for (int j = 1; j <= count; ++j)
        add(ticks.back() + step(ticks[0], ticks[1], j));
    for (size_t k = 1; k < ticks.size(); ++k)
        for (int j = 1; j <= count; ++j)
            add(ticks[k] - step(ticks[k - 1], ticks[k], j));
    return minors;
}

ChartLayout LayOutChart(Canvas& canvas, const Chart& chart, int width, int height) {
    const ChartSettings& settings = chart.Settings();
    ChartLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bevels = Bevels(settings, width, height);
    layout.frame = LayOutPlot(settings, width, height, MeasureAxisText(canvas, settings));
    const PlotFrame& f = layout.frame;
    layout.backWall = {f.left, f.top, f.right + 1, f.bottom + 1};

    Range xRange = AxisRange(settings.bottomAxis, chart, true);
    layout.bottomScale = {f.left, f.right, xRange.minimum, xRange.maximum, settings.bottomAxis.logarithmic, false};
    Range yRange = AxisRange(settings.leftAxis, chart, false);
    layout.leftScale = {f.top, f.bottom, yRange.minimum, yRange.maximum, settings.leftAxis.logarithmic, true};

    layout.bottomLabels = BottomLabels(canvas, chart, layout.bottomScale, f);
    layout.bottomLines = BottomAxisLines(settings.bottomAxis, f, layout.bottomLabels);
    layout.leftLabels = LeftLabels(canvas, settings.leftAxis, layout.leftScale, f);
    layout.leftLines = LeftAxisLines(settings.leftAxis, f, layout.leftLabels);

    for (int s = 0; s < chart.SeriesCount(); ++s)
        layout.series.push_back(LayOutSeries(canvas, chart.SeriesAt(s), layout.bottomScale, layout.leftScale));
    return layout;
}

} // namespace purimo
