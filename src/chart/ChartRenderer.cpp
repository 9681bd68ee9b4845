#include "chart/ChartRenderer.h"

#include "chart/ChartLayout.h"

namespace purimo {

namespace {

void DrawSegment(Canvas& canvas, const Segment& s) {
    canvas.MoveTo(s.x1, s.y1);
    canvas.LineTo(s.x2, s.y2);
}

void DrawSegments(Canvas& canvas, const std::vector<Segment>& segments, Color color, int width, PenStyle style) {
    if (segments.empty())
        return;
    canvas.SetPen(color, width, style);
    for (const Segment& s : segments)
        DrawSegment(canvas, s);
}

void DrawLabels(Canvas& canvas, const AxisSettings& axis, const std::vector<AxisLabel>& labels, TextAlign align) {
    canvas.SetFont(axis.labelsFont);
    canvas.SetTextColor(axis.labelsColor);
    for (const AxisLabel& label : labels)
        canvas.WriteText(label.textX, label.textY, align, label.text);
}

// Labels first, then the lines that stand at the labels' positions.
void DrawAxis(Canvas& canvas, const AxisSettings& axis, const std::vector<AxisLabel>& labels, const AxisLines& lines,
              TextAlign align) {
    DrawLabels(canvas, axis, labels, align);
    if (lines.lineVisible) {
        canvas.SetPen(axis.lineColor, axis.lineWidth);
        DrawSegment(canvas, lines.line);
    }
    DrawSegments(canvas, lines.ticks, axis.tickColor, 1, PenStyle::Solid);
    DrawSegments(canvas, lines.grid, axis.gridColor, 1, axis.gridStyle);
    DrawSegments(canvas, lines.innerTicks, axis.tickColor, 1, PenStyle::Solid);
    DrawSegments(canvas, lines.minorTicks, axis.tickColor, 1, PenStyle::Solid);
}

void DrawMarker(Canvas& canvas, const PointerSettings& pointer, const PointPixel& p) {
    canvas.SetPen(pointer.penColor, 1);
    canvas.SetBrush(pointer.brushColor);
    canvas.DrawRectangle(p.marker);
}

// Each marker goes down after both segments that touch it, so it covers their ends.
void DrawLineWithPointer(Canvas& canvas, const Series& series, const SeriesLayout& layout) {
    const std::vector<PointPixel>& points = layout.points;
    const PointerSettings& pointer = series.Pointer();
    for (size_t k = 1; k < points.size(); ++k) {
        const PointPixel& prev = points[k - 1];
        const PointPixel& p = points[k];
        if (p.x != prev.x || p.y != prev.y) {
            canvas.SetPen(series.PointColor(p.index), series.Pen().width);
            canvas.MoveTo(prev.x, prev.y);
            canvas.LineTo(p.x, p.y);
        }
        if (pointer.visible)
            DrawMarker(canvas, pointer, prev);
    }
    if (pointer.visible && !points.empty())
        DrawMarker(canvas, pointer, points.back());
}

void DrawFastLine(Canvas& canvas, const Series& series, const SeriesLayout& layout) {
    const std::vector<PointPixel>& points = layout.points;
    if (points.empty())
        return;
    canvas.SetPen(series.Pen().color, series.Pen().width);
    canvas.MoveTo(points[0].x, points[0].y);
    int lastX = points[0].x;
    int lastY = points[0].y;
    for (size_t k = 1; k < points.size(); ++k) {
        if (points[k].x == lastX && points[k].y == lastY)
            continue;
        lastX = points[k].x;
        lastY = points[k].y;
        canvas.LineTo(lastX, lastY);
    }
}

// Per point the arrow, then the box and its text, so a later box covers an earlier one.
void DrawMarks(Canvas& canvas, const MarksSettings& marks, const std::vector<MarkLayout>& layouts) {
    for (const MarkLayout& mark : layouts) {
        canvas.SetPen(marks.arrowColor, marks.arrowWidth);
        DrawSegment(canvas, mark.arrow);
        canvas.SetPen(marks.boxPenColor, 1);
        canvas.SetBrush(marks.boxColor);
        canvas.DrawRectangle(mark.box);
        canvas.SetFont(marks.font);
        canvas.SetTextColor(marks.fontColor);
        canvas.WriteText(mark.textX, mark.textY, TextAlign::Center, mark.text);
    }
}

} // namespace

void DrawChart(Canvas& canvas, const Chart& chart, int width, int height) {
    const ChartSettings& settings = chart.Settings();
    canvas.Fill({0, 0, width, height}, settings.panelColor);
    ChartLayout layout = LayOutChart(canvas, chart, width, height);
    for (const ColorRect& edge : layout.bevels)
        canvas.Fill(edge.rect, edge.color);

    canvas.SetPen(settings.backWallPenColor, 1);
    canvas.SetBrush(settings.backWallColor);
    canvas.DrawRectangle(layout.backWall);

    DrawAxis(canvas, settings.bottomAxis, layout.bottomLabels, layout.bottomLines, TextAlign::Center);
    DrawAxis(canvas, settings.leftAxis, layout.leftLabels, layout.leftLines, TextAlign::Right);

    for (int s = 0; s < chart.SeriesCount(); ++s) {
        const Series& series = chart.SeriesAt(s);
        const SeriesLayout& seriesLayout = layout.series[static_cast<size_t>(s)];
        if (series.Kind() == SeriesKind::LineWithPointer)
            DrawLineWithPointer(canvas, series, seriesLayout);
        else
            DrawFastLine(canvas, series, seriesLayout);
        DrawMarks(canvas, series.Marks(), seriesLayout.marks);
    }
}

} // namespace purimo
