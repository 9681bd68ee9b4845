#include "chart/Chart.h"

#include <algorithm>

namespace purimo {

namespace {

const FontSpec kGothic13{"ＭＳ ゴシック", -13};
const FontSpec kPMincho12{"ＭＳ Ｐ明朝", -12};

Series MakeTemperatureSeries() {
    return Series("BarSeries1", "統計グラフ", SeriesKind::LineWithPointer, kBlue);
}

Series MakeCentreSeries() {
    return Series("Series1", "センター値", SeriesKind::FastLine, kRed);
}

ChartSettings MakeSettings() {
    ChartSettings s;
    AxisSettings& left = s.leftAxis;
    left.automatic = false;
    left.minimum = 35.5;
    left.maximum = 37.5;
    left.logarithmic = true;
    left.increment = 0.1;
    left.labelsFont = kGothic13;
    left.labelsSeparation = 0;
    left.lineVisible = false;
    left.gridVisible = false;
    left.tickLength = 5;
    left.innerTickLength = 930;
    left.minorTickCount = 0;
    left.minorTickLength = 14;
    s.bottomAxis.labelsFont = kPMincho12;
    return s;
}

void ScaleAxis(AxisSettings& axis, const DisplayScale& scale) {
    axis.labelsFont = scale.Font(axis.labelsFont);
    axis.lineWidth = scale.Line(axis.lineWidth);
    axis.tickLength = scale.Edge(axis.tickLength);
    axis.innerTickLength = scale.Edge(axis.innerTickLength);
    axis.minorTickLength = scale.Edge(axis.minorTickLength);
}

} // namespace

Series::Series(std::string name, std::string title, SeriesKind kind, Color seriesColor)
    : name_(std::move(name)), title_(std::move(title)), kind_(kind), seriesColor_(seriesColor) {
    pointer_.visible = kind == SeriesKind::LineWithPointer;
    marks_.font = kGothic13;
    pen_.color = seriesColor;
}

Color Series::PointColor(int index) const {
    Color c = colors_.at(static_cast<size_t>(index));
    return c == kDefaultPointColor ? seriesColor_ : c;
}

Chart::Chart() : series_{MakeTemperatureSeries(), MakeCentreSeries()}, settings_(MakeSettings()) {
    series_[kCentreSeries].pen_.width = kCentrePenWidth;
}

void Chart::SetScale(const DisplayScale& scale) {
    if (scale == scale_)
        return;
    scale_ = scale;
    settings_ = MakeSettings();
    ScaleAxis(settings_.leftAxis, scale);
    ScaleAxis(settings_.bottomAxis, scale);
    const Series design[] = {MakeTemperatureSeries(), MakeCentreSeries()};
    for (size_t i = 0; i < series_.size(); ++i) {
        Series& series = series_[i];
        PointerSettings pointer = design[i].pointer_;
        pointer.horizSize = scale.Edge(pointer.horizSize);
        pointer.vertSize = scale.Edge(pointer.vertSize);
        series.pointer_ = pointer;
        MarksSettings marks = design[i].marks_;
        marks.visible = series.marks_.visible;
        marks.font = scale.Font(marks.font);
        marks.arrowWidth = scale.Line(marks.arrowWidth);
        marks.arrowLength = scale.Edge(marks.arrowLength);
        series.marks_ = marks;
        series.pen_.width = scale.Line(i == kCentreSeries ? kCentrePenWidth : design[i].pen_.width);
    }
    Invalidate();
}

Series& Chart::SeriesAt(int index) {
    return series_.at(static_cast<size_t>(index));
}

const Series& Chart::SeriesAt(int index) const {
    return series_.at(static_cast<size_t>(index));
}

void Chart::ClearPoints(Series& series) {
    series.xValues_.clear();
    series.yValues_.clear();
    series.colors_.clear();
    series.labels_.clear();
    Invalidate();
}

int Chart::AddPoint(Series& series, double y, const std::string& label, Color color) {
    double x = static_cast<double>(series.Count());
    // Points stay in ascending X; a new X never lies below the last here, so this appends.
    auto at = std::upper_bound(series.xValues_.begin(), series.xValues_.end(), x);
    size_t index = static_cast<size_t>(at - series.xValues_.begin());
    series.xValues_.insert(at, x);
    series.yValues_.insert(series.yValues_.begin() + static_cast<std::ptrdiff_t>(index), y);
    series.colors_.insert(series.colors_.begin() + static_cast<std::ptrdiff_t>(index), color);
    series.labels_.insert(series.labels_.begin() + static_cast<std::ptrdiff_t>(index), label);
    Invalidate();
    return static_cast<int>(index);
}

void Chart::SetPointValue(Series& series, int index, double y) {
    if (index < 0 || index >= series.Count())
        return;
    series.yValues_[static_cast<size_t>(index)] = y;
    Invalidate();
}

void Chart::SetMarksVisible(Series& series, bool visible) {
    if (series.marks_.visible == visible)
        return;
    series.marks_.visible = visible;
    Invalidate();
}

void Chart::Invalidate() {
    stale_ = true;
    if (onInvalidate_)
        onInvalidate_();
}

} // namespace purimo
