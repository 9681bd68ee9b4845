#include "cycle/Report.h"

#include <algorithm>

#include "cycle/CycleChart.h"
#include "cycle/CycleText.h"

namespace purimo {

namespace {

const FontSpec kTitleFont{"ＭＳ ゴシック", -24, true};
const FontSpec kTextFont{"ＭＳ ゴシック", -14};
constexpr int kLine = 19;
constexpr int kChartGap = 10;
constexpr int kSmallestFigures = 8;
// Kept clear at the right: a glyph may reach past the width its font reports.
constexpr int kRightMargin = 8;
const char* const kMarksLegend = "※凡例：×(生理), △(不正出血), ＋(おりもの), ◎(性交)";
const char* const kLinesLegend =
    "■ 低温期の体温　● 高温期の体温　○ 除外した体温　- - - カバーライン　━ 36.7℃　縦の点線 高温期の始まり";

// Draws through another canvas with every position moved by an offset: each chart is laid out
// from its own corner.
class OffsetCanvas : public Canvas {
public:
    OffsetCanvas(Canvas& canvas, int dx, int dy) : canvas_(canvas), dx_(dx), dy_(dy) {}
    void SetPen(Color color, int width, PenStyle style) override { canvas_.SetPen(color, width, style); }
    void SetBrush(Color color) override { canvas_.SetBrush(color); }
    void SetClearBrush() override { canvas_.SetClearBrush(); }
    void SetFont(const FontSpec& font) override { canvas_.SetFont(font); }
    void SetTextColor(Color color) override { canvas_.SetTextColor(color); }
    void MoveTo(int x, int y) override { canvas_.MoveTo(x + dx_, y + dy_); }
    void LineTo(int x, int y) override { canvas_.LineTo(x + dx_, y + dy_); }
    void DrawRectangle(const Rect& r) override { canvas_.DrawRectangle(Moved(r)); }
    void DrawEllipse(const Rect& r) override { canvas_.DrawEllipse(Moved(r)); }
    void Fill(const Rect& r, Color color) override { canvas_.Fill(Moved(r), color); }
    void WriteText(int x, int y, TextAlign align, const std::string& text) override {
        canvas_.WriteText(x + dx_, y + dy_, align, text);
    }
    void WriteTextInRect(const Rect& r, const std::string& text) override { canvas_.WriteTextInRect(Moved(r), text); }
    int TextWidth(const std::string& text) override { return canvas_.TextWidth(text); }
    int TextHeight(const std::string& text) override { return canvas_.TextHeight(text); }

private:
    Rect Moved(const Rect& r) const { return {r.left + dx_, r.top + dy_, r.right + dx_, r.bottom + dy_}; }
    Canvas& canvas_;
    int dx_;
    int dy_;
};

} // namespace

std::vector<int> ReportCycleIndexes(const CycleAnalysis& analysis, int newest) {
    std::vector<int> indexes;
    if (analysis.cycles.empty())
        return indexes;
    newest = std::clamp(newest, 0, static_cast<int>(analysis.cycles.size()) - 1);
    for (int i = std::max(0, newest - kReportCycles + 1); i <= newest; ++i)
        indexes.push_back(i);
    return indexes;
}

std::string CycleFiguresLine(const Cycle& cycle) {
    // The window's figures of this cycle on one line, without the confirmation day.
    const CycleFigureTexts texts = FigureTexts(cycle);
    std::string figures = texts.range + kFigureGap + texts.shiftStart;
    if (cycle.shift) {
        figures += kFigureGap + texts.coverLine + kFigureGap + texts.phases;
        if (!texts.highPhase.empty())
            figures += kFigureGap + texts.highPhase;
    }
    // The doctor sees that the figures leave readings out.
    if (!cycle.leftOut.empty())
        figures += std::string(kFigureGap) + "除外 " + std::to_string(cycle.leftOut.size()) + "日";
    return figures;
}

ReportLayout LayOutReport(Canvas& canvas, const CycleAnalysis& analysis, const std::vector<int>& indexes,
                          int printedSerial, int width, int height) {
    ReportLayout layout;
    layout.width = width;
    layout.height = height;
    layout.texts.push_back({0, 0, TextAlign::Left, kTitleFont, "基礎体温表（受診用）"});
    layout.texts.push_back(
        {width - kRightMargin, 6, TextAlign::Right, kTextFont, "印刷日 " + FormatDate(printedSerial)});
    layout.texts.push_back({0, 40, TextAlign::Left, kTextFont, "氏名"});
    layout.rules.push_back({40, 58, 420, 58});

    std::vector<std::string> footer = StatisticsTexts(analysis.statistics);
    if (analysis.statistics.leftOutUnreadable)
        footer.push_back(kUnreadableLeftOutText);
    footer.push_back(kMarksLegend);
    footer.push_back(kLinesLegend);
    footer.push_back(kCycleNotice);
    const int footerTop = height - static_cast<int>(footer.size()) * kLine;
    for (size_t i = 0; i < footer.size(); ++i)
        layout.texts.push_back({0, footerTop + static_cast<int>(i) * kLine, TextAlign::Left, kTextFont, footer[i]});

    constexpr int kCyclesTop = 72;
    const int block = (footerTop - kChartGap - kCyclesTop) / kReportCycles;
    const int chartHeight = std::max(1, block - kLine - kChartGap);
    for (int index : indexes)
        layout.dayCount = std::max(layout.dayCount, analysis.cycles.at(static_cast<size_t>(index)).Length());
    int top = kCyclesTop;
    for (int index : indexes) {
        const Cycle& cycle = analysis.cycles[static_cast<size_t>(index)];
        ReportCycle item;
        item.index = index;
        item.chart = {0, top, width, top + chartHeight};
        // The figures keep to one line: the font shrinks until they fit the page's width.
        FontSpec font{"ＭＳ ゴシック", -13};
        const std::string figures = CycleFiguresLine(cycle);
        for (canvas.SetFont(font); canvas.TextWidth(figures) > width - kRightMargin && -font.height > kSmallestFigures;
             canvas.SetFont(font))
            ++font.height;
        item.figures = {0, top + chartHeight + 3, TextAlign::Left, font, figures};
        layout.cycles.push_back(item);
        top += block;
    }
    return layout;
}

void DrawReport(Canvas& canvas, const ReportLayout& layout, const CycleAnalysis& analysis,
                const std::vector<DayRecord>& days) {
    canvas.Fill(Rect{0, 0, layout.width, layout.height}, kWhite);
    canvas.SetTextColor(kBlack);
    auto write = [&](const ReportText& t) {
        canvas.SetFont(t.font);
        canvas.WriteText(t.x, t.y, t.align, t.text);
    };
    for (const ReportText& text : layout.texts)
        write(text);
    canvas.SetPen(kBlack, 1);
    for (const Segment& rule : layout.rules) {
        canvas.MoveTo(rule.x1, rule.y1);
        canvas.LineTo(rule.x2, rule.y2);
    }
    for (const ReportCycle& item : layout.cycles) {
        OffsetCanvas chart(canvas, item.chart.left, item.chart.top);
        const Cycle& cycle = analysis.cycles[static_cast<size_t>(item.index)];
        DrawCycleChart(chart,
                       LayOutCycleChart(chart, cycle, days, item.chart.Width(), item.chart.Height(), layout.dayCount));
        canvas.SetTextColor(kBlack);
        write(item.figures);
    }
}

} // namespace purimo
