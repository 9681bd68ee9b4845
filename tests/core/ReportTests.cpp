#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "cycle/DiaryCsv.h"
#include "cycle/Report.h"
#include "month/Calendar.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

int Day(int y, int m, int d) {
    return DaySerial(y, m, d);
}

// One month's cells by row, day 1 first.
void AddMonth(DaySeries& series, int y, int m, const std::vector<std::vector<std::string>>& rows) {
    MonthGrid grid;
    LayOutGridTexts(grid);
    PrepareMonthColumns(grid, y, m);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t d = 0; d < rows[r].size(); ++d)
            grid.SetCell(static_cast<int>(d) + 1, kRowCycleDay + static_cast<int>(r), rows[r][d]);
    series.AddMonthGrid(YearMonth{y, m}, grid);
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

TEST(DiaryCsv, EveryDayOfMonthsWithEntriesWithCycleDaysAndHighPhase) {
    DaySeries series(Day(2026, 12, 9));
    AddMonth(series, 2026, 1,
             {{"1", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
               "", "", "", "1"},
              {"36.2", "36.3", "36.2", "36.3", "36.2", "36.3", "36.7", "36.8", "36.8", "36.9", " 36.75 ", "abc"},
              {"×", "△\t", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
               "", "", "", ""},
              {"", "", "a,b", " x", "say \"hi\"", "朝\t"}});
    AddMonth(series, 2026, 2, {});
    AddMonth(series, 2026, 3, {{}, {}, {}, {"メモ"}});
    series.Finish();
    // A reading left out, and a date left out whose reading is gone.
    series.SetExcluded({Day(2026, 1, 9), Day(2026, 1, 12)});
    const std::string bytes = DiaryCsvBytes(series, AnalyseCycles(series));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line ends too";
    const std::vector<std::string> lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 1u + 31u + 31u) << "February holds no entry";
    EXPECT_EQ(lines[0], "日付,周期,体温,変化,メモ,周期日,高温期,除外");
    EXPECT_EQ(lines[1], "2026/01/01,1,36.2,×,,1,,");
    EXPECT_EQ(lines[2], "2026/01/02,,36.3,△,,2,,") << "the mark without its TAB";
    EXPECT_EQ(lines[3], "2026/01/03,,36.2,,\"a,b\",3,,");
    EXPECT_EQ(lines[4], "2026/01/04,,36.3,,x,4,,") << "cells are trimmed as the grid shows them";
    EXPECT_EQ(lines[5], "2026/01/05,,36.2,,\"say \"\"hi\"\"\",5,,");
    EXPECT_EQ(lines[6], "2026/01/06,,36.3,,朝,6,,");
    EXPECT_EQ(lines[7], "2026/01/07,,36.7,,,7,1,") << "the first higher day";
    EXPECT_EQ(lines[9], "2026/01/09,,36.8,,,9,1,1") << "left out";
    EXPECT_EQ(lines[11], "2026/01/11,,36.8,,,11,1,") << "normalised to one decimal";
    EXPECT_EQ(lines[12], "2026/01/12,,,,,12,1,") << "junk temperatures are emptied; the high phase runs on";
    EXPECT_EQ(lines[30], "2026/01/30,,,,,30,1,");
    EXPECT_EQ(lines[31], "2026/01/31,1,,,,1,,") << "a new cycle";
    EXPECT_EQ(lines[32], "2026/03/01,,,,メモ,30,,") << "the open cycle runs to its last entry";
    EXPECT_EQ(lines[33], "2026/03/02,,,,,,,") << "and no further";

    EXPECT_EQ(CsvField("a b"), "a b");
    EXPECT_EQ(CsvField("a "), "\"a \"");
    EXPECT_EQ(CsvField("a\tb"), "\"a\tb\"");
    EXPECT_EQ(CsvField("表"), "表") << "a second byte 0x5C is no special character";
    EXPECT_EQ(CsvField("=1+2"), "'=1+2") << "a formula for a spreadsheet is made text";
    EXPECT_EQ(CsvField("-腹痛"), "'-腹痛");
    EXPECT_EQ(CsvField("@a,b"), "\"'@a,b\"");
    EXPECT_EQ(CsvField("\tx"), "\"'\tx\"");
    EXPECT_EQ(CsvField("1+2"), "1+2");
}

class ReportLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        DaySeries diary(Day(2026, 12, 9));
        for (int m = 1; m <= 5; ++m) {
            const int days = DaysInMonth(2026, m);
            std::vector<std::string> cycle(static_cast<size_t>(days));
            cycle[0] = "1";
            std::vector<std::string> temps;
            for (int d = 0; d < days; ++d)
                temps.push_back(d < 14 ? (d % 2 ? "36.2" : "36.3") : "36.8");
            AddMonth(diary, 2026, m, {cycle, temps});
        }
        diary.Finish();
        series = std::move(diary);
        analysis = AnalyseCycles(series);
    }
    DaySeries series{0};
    CycleAnalysis analysis;
    RecordingCanvas canvas;
};

TEST_F(ReportLayoutTest, ThreeCyclesOnOneDayScaleOldestAtTheTop) {
    ASSERT_EQ(analysis.cycles.size(), 5u);
    EXPECT_EQ(ReportCycleIndexes(analysis, 4), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(ReportCycleIndexes(analysis, 1), (std::vector<int>{0, 1}));
    EXPECT_TRUE(ReportCycleIndexes(CycleAnalysis{}, 0).empty());

    ReportLayout layout = LayOutReport(canvas, analysis, {2, 3, 4}, Day(2026, 12, 9), kReportWidth, 1270);
    ASSERT_EQ(layout.cycles.size(), 3u);
    EXPECT_EQ(layout.dayCount, 31) << "the longest of the three";
    for (size_t i = 0; i < layout.cycles.size(); ++i) {
        const ReportCycle& c = layout.cycles[i];
        EXPECT_EQ(c.index, static_cast<int>(i) + 2);
        EXPECT_EQ(c.chart.Height(), layout.cycles[0].chart.Height());
        EXPECT_GT(c.chart.Height(), 250);
        EXPECT_LE(c.chart.right, kReportWidth);
        canvas.SetFont(c.figures.font);
        EXPECT_LE(canvas.TextWidth(c.figures.text), kReportWidth) << "one line within the page";
        EXPECT_GT(c.figures.y, c.chart.bottom);
        if (i > 0) {
            EXPECT_GT(c.chart.top, layout.cycles[i - 1].figures.y);
        }
    }
    std::vector<std::string> texts;
    for (const ReportText& t : layout.texts)
        texts.push_back(t.text);
    EXPECT_EQ(texts[0], "基礎体温表（受診用）");
    EXPECT_EQ(texts[1], "印刷日 2026/12/09");
    EXPECT_EQ(texts[2], "氏名");
    EXPECT_EQ(texts[3], "周期の長さ 平均 30.0日（最短 28日・最長 31日・4周期）");
    EXPECT_EQ(texts.back(), "グラフの読み取りは目安です。避妊の判断には使わないでください。");
    EXPECT_LE(layout.texts.back().y + 19, 1270);
    EXPECT_EQ(layout.cycles[2].figures.text.rfind("2026/05/01 〜 2026/05/31（記録中）", 0), 0u);

    DrawReport(canvas, layout, analysis, series.Days());
    EXPECT_EQ(canvas.Calls(CanvasOp::Ellipse).size(), 17u + 16u + 17u) << "high-phase circles of the three cycles";
    EXPECT_EQ(LayOutReport(canvas, analysis, {0}, 0, kReportWidth, 1270).cycles.size(), 1u);
}

TEST_F(ReportLayoutTest, FiguresLineInTheWindowsWords) {
    EXPECT_EQ(CycleFiguresLine(analysis.cycles[0]),
              "2026/01/01 〜 2026/01/31（31日間）　高温期の始まり 2026/01/15（15日目）　カバーライン 36.30℃　"
              "低温期 平均 36.25℃　高温期 平均 36.80℃　差 0.55℃　高温期の長さ 17日");
    Cycle unshifted = analysis.cycles[0];
    unshifted.shift.reset();
    unshifted.open = true;
    EXPECT_EQ(CycleFiguresLine(unshifted), "2026/01/01 〜 2026/01/31（記録中）　体温の上昇は確認されていません");
    unshifted.leftOut = {DaySerial(2026, 1, 3), DaySerial(2026, 1, 9)};
    EXPECT_EQ(CycleFiguresLine(unshifted),
              "2026/01/01 〜 2026/01/31（記録中）　体温の上昇は確認されていません　除外 2日");
}

} // namespace
} // namespace purimo
