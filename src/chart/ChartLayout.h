#pragma once
// Where everything of the chart goes, computed from the control's size, the chart and the font
// measures of the canvas it is drawn on. The renderer only draws what this computes.
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "common/Canvas.h"
#include "common/Frame.h"

namespace purimo {

// Nearest integer, halves to the even neighbour; v must lie within the range of int.
int RoundHalfEven(double v);
// size * percent / 100, halves away from zero.
int PercentOf(int size, int percent);
// The axis labels' and value marks' "#0.0".
std::string FormatValue(double v);

// Pixels beyond this are not drawn: a point mapped further out is skipped.
constexpr int kPixelLimit = 32766;
inline bool IsDrawable(int pixel) {
    return pixel >= -kPixelLimit && pixel <= kPixelLimit;
}

struct AxisScale {
    int start = 0; // left or top pixel
    int end = 0;   // right or bottom pixel
    double minimum = 0;
    double maximum = 0;
    bool logarithmic = false;
    bool vertical = false; // values grow upward, from end toward start
};

// Values outside the scale are placed by the same formula; a logarithmic scale puts v <= 0 on its
// low end. The result is clamped just beyond kPixelLimit, so IsDrawable tells whether to draw it.
int ValueToPixel(const AxisScale& scale, double v);

// The measures the plot rectangle depends on.
struct AxisTextMetrics {
    int bottomLabelHeight = 0; // TextHeight of the bottom labels font
    int leftLabelColumn = 0;   // widest of the left axis' end labels plus one space
};
AxisTextMetrics MeasureAxisText(Canvas& canvas, const ChartSettings& settings);

struct PlotFrame {
    int left = 0; // the plot rectangle; right and bottom inclusive
    int top = 0;
    int right = 0;
    int bottom = 0;
    int bottomLabelY = 0; // where the bottom labels' line boxes begin
    int leftLabelX = 0;   // where the left labels end
};
PlotFrame LayOutPlot(const ChartSettings& settings, int width, int height, const AxisTextMetrics& metrics);

// The left axis' label values from its maximum down by its increment, the minimum included
// despite the drift of repeated subtraction.
std::vector<double> LeftLabelValues(const AxisSettings& axis);

// The indexes of the labels drawn along the bottom axis: the first always, each later one only
// when it keeps clear of the previous drawn one by the separation (percent of its width).
std::vector<int> VisibleLabels(const std::vector<int>& positions, const std::vector<int>& widths, int separation);

// Minor ticks from the ticks at which labels were drawn: count ticks per interval, and as many
// before the first and after the last at the first interval's spacing; only those strictly
// between low and high.
std::vector<int> MinorTicks(const std::vector<int>& ticks, int count, int low, int high);

// The chart's 1-pixel bevel edges, outer frame first.
std::vector<ColorRect> Bevels(const ChartSettings& settings, int width, int height);

// The square marker of a point: 2 * size + 1 pixels each way, centred on it.
Rect MarkerRect(const PointerSettings& pointer, int x, int y);

// A line from (x1, y1) up to, not including, (x2, y2).
struct Segment {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const Segment&) const = default;
};

struct AxisLabel {
    int tick = 0; // x along the bottom axis, y along the left one
    int textX = 0;
    int textY = 0; // top of the line box
    std::string text;
};

// An axis' lines, all derived from the positions of its drawn labels.
struct AxisLines {
    bool lineVisible = false;
    Segment line;
    std::vector<Segment> ticks;
    std::vector<Segment> grid;
    std::vector<Segment> innerTicks;
    std::vector<Segment> minorTicks;
};

struct PointPixel {
    int index = 0;
    int x = 0;
    int y = 0;
    Rect marker; // empty when the series has no markers
};

struct MarkLayout {
    Segment arrow; // from the point upward
    Rect box;
    int textX = 0; // centre of the text
    int textY = 0;
    std::string text;
};

struct SeriesLayout {
    std::vector<PointPixel> points; // the drawable points in index order
    std::vector<MarkLayout> marks;  // empty while the series' marks are hidden
};

struct ChartLayout {
    int width = 0;
    int height = 0;
    std::vector<ColorRect> bevels; // 1-pixel edges, outer frame first
    PlotFrame frame;
    Rect backWall;
    AxisScale bottomScale;
    AxisScale leftScale;
    std::vector<AxisLabel> bottomLabels;
    AxisLines bottomLines;
    std::vector<AxisLabel> leftLabels;
    AxisLines leftLines;
    std::vector<SeriesLayout> series; // as the chart's list
};

ChartLayout LayOutChart(Canvas& canvas, const Chart& chart, int width, int height);

} // namespace purimo
