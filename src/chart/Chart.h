#pragma once
// The temperature chart's model: its two series, its fixed settings and the operations the rest of
// the program calls. The chart control owns a Chart, draws it with DrawChart when it is stale and
// repaints when the invalidate handler fires.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/Canvas.h"
#include "common/DisplayScale.h"

namespace purimo {

// As a point's color: the point takes its series' color.
constexpr Color kDefaultPointColor = 0x80000000u;

constexpr int kTemperatureSeries = 0;
constexpr int kCentreSeries = 1;
constexpr double kCentreValue = 36.7;
constexpr int kCentrePenWidth = 2;

enum class SeriesKind {
    LineWithPointer, // line segments between the points and a square marker on each
    FastLine,        // a plain polyline
};

struct PointerSettings {
    bool visible = false;
    int horizSize = 3; // half-width: the square is 2 * size + 1 pixels wide
    int vertSize = 3;
    Color brushColor = Rgb(255, 0, 128);
    Color penColor = kBlack;
};

struct MarksSettings {
    bool visible = false;
    FontSpec font;
    Color fontColor = kBlack;
    Color arrowColor = kGray;
    int arrowWidth = 2;
    int arrowLength = 5;
    Color boxColor = Rgb(255, 255, 128);
    Color boxPenColor = kBlack;
};

struct LinePen {
    Color color = kBlack;
    int width = 1;
};

class Series {
public:
    Series(std::string name, std::string title, SeriesKind kind, Color seriesColor);

    const std::string& Name() const { return name_; }
    const std::string& Title() const { return title_; }
    SeriesKind Kind() const { return kind_; }
    Color SeriesColor() const { return seriesColor_; }

    int Count() const { return static_cast<int>(xValues_.size()); }
    const std::vector<double>& XValues() const { return xValues_; }
    const std::vector<double>& YValues() const { return yValues_; }
    const std::vector<Color>& Colors() const { return colors_; }
    const std::vector<std::string>& Labels() const { return labels_; }
    // The point's own color, or the series' color for kDefaultPointColor.
    Color PointColor(int index) const;

    bool MarksVisible() const { return marks_.visible; }
    const MarksSettings& Marks() const { return marks_; }
    const PointerSettings& Pointer() const { return pointer_; }
    // FastLine draws in this pen; a LineWithPointer takes only its width and draws each segment in
    // the color of the point it leads to.
    const LinePen& Pen() const { return pen_; }

private:
    friend class Chart;

    std::string name_;
    std::string title_;
    SeriesKind kind_;
    Color seriesColor_;
    std::vector<double> xValues_; // ascending
    std::vector<double> yValues_;
    std::vector<Color> colors_;
    std::vector<std::string> labels_;
    PointerSettings pointer_;
    MarksSettings marks_;
    LinePen pen_;
};

enum class BevelStyle { None, Lowered, Raised };

struct AxisSettings {
    bool logarithmic = false;
    double minimum = 0; // used only when not automatic
    double maximum = 0;
    bool automatic = true;
    double increment = 0;
    FontSpec labelsFont;
    Color labelsColor = kBlack;
    int labelsSeparation = 10; // percent of a label's width kept clear on each side
    bool lineVisible = true;
    Color lineColor = kBlack;
    int lineWidth = 2;
    Color tickColor = kGray;
    int tickLength = 4;
    int innerTickLength = 0;
    int minorTickCount = 3;
    int minorTickLength = 2;
    bool gridVisible = true;
    Color gridColor = kGray;
    PenStyle gridStyle = PenStyle::Dot;
};

struct ChartSettings {
    Color panelColor = SystemColor(kSysBtnFace);
    Color bevelLight = SystemColor(kSysBtnHighlight);
    Color bevelDark = SystemColor(kSysBtnShadow);
    BevelStyle outerBevel = BevelStyle::Lowered;
    BevelStyle innerBevel = BevelStyle::Raised;
    // Percent of the chart's width (left, right) and height (top, bottom).
    int marginLeft = 2;
    int marginTop = 5;
    int marginRight = 2;
    int marginBottom = 5;
    Color backWallColor = kWhite;
    Color backWallPenColor = kBlack;
    AxisSettings leftAxis;
    AxisSettings bottomAxis;
};

class Chart {
public:
    Chart();
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    int SeriesCount() const { return static_cast<int>(series_.size()); }
    // Throws std::out_of_range for an index other than 0 or 1.
    Series& SeriesAt(int index);
    const Series& SeriesAt(int index) const;

    void ClearPoints(Series& series);
    // X is the series' point count before the call; returns the new point's index.
    int AddPoint(Series& series, double y, const std::string& label, Color color);
    // An index outside the series' points changes nothing: the grid, not the chart, holds the
    // month, so there is nothing to lose, and a stray index must not take the window down.
    void SetPointValue(Series& series, int index, double y);
    // Invalidates only when the flag changes.
    void SetMarksVisible(Series& series, bool visible);

    const ChartSettings& Settings() const { return settings_; }
    // Fonts, lengths and lines wider than a pixel follow the display scale; the layout rules stay.
    void SetScale(const DisplayScale& scale);
    const DisplayScale& Scale() const { return scale_; }

    // Called on every change; the control asks the window system for a repaint.
    void SetInvalidateHandler(std::function<void()> handler) { onInvalidate_ = std::move(handler); }
    // True after creation and after every change until the control has drawn the chart anew.
    bool IsStale() const { return stale_; }
    void MarkFresh() { stale_ = false; }

private:
    void Invalidate();

    std::array<Series, 2> series_;
    ChartSettings settings_;
    DisplayScale scale_;
    std::function<void()> onInvalidate_;
    bool stale_ = true;
};

} // namespace purimo
