#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "RecordingCanvas.h"
#include "common/Errors.h"
#include "cycle/CycleChart.h"
#include "cycle/CycleText.h"
#include "cycle/Cycles.h"
#include "cycle/Excluded.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

int Day(int y, int m, int d) {
    return DaySerial(y, m, d);
}

// A diary kept in month grids, day cells set one by one; today is far ahead unless set.
class Diary {
public:
    Diary& Set(int y, int m, int d, int row, const std::string& text) {
        MonthGrid& grid = months_[{y, m}];
        if (grid.Cell(0, 0).empty()) {
            LayOutGridTexts(grid);
            PrepareMonthColumns(grid, y, m);
        }
        grid.SetCell(d, row, text);
        return *this;
    }
    Diary& One(int y, int m, int d) { return Set(y, m, d, kRowCycleDay, "1"); }
    // Readings on consecutive days from the day on, "" for a day without one.
    Diary& Temps(int y, int m, int d, const std::vector<std::string>& temps) {
        int serial = Day(y, m, d);
        for (const std::string& t : temps) {
            CivilDate c = DateOfSerial(serial++);
            Set(c.year, c.month, c.day, kRowTemperature, t);
        }
        return *this;
    }
    DaySeries Series(int today = Day(2100, 1, 1), std::vector<YearMonth> unreadable = {}) const {
        DaySeries series(today);
        for (const auto& [ym, grid] : months_)
            series.AddMonthGrid(YearMonth{ym.first, ym.second}, grid);
        for (YearMonth m : unreadable)
            series.AddUnreadable(m);
        series.Finish();
        return series;
    }

private:
    std::map<std::pair<int, int>, MonthGrid> months_;
};

std::vector<int> Starts(const Diary& diary) {
    DaySeries series = diary.Series();
    return FindCycleStarts(series.Days().begin(), series.PastEnd());
}

std::vector<Reading> Readings(const std::vector<int>& tenths) {
    std::vector<Reading> readings;
    int serial = 100;
    for (int t : tenths)
        readings.push_back(Reading{serial++, t * 10});
    return readings;
}

TEST(CycleDays, SerialsFollowTheCalendarAcrossYearEndsAndLeapDays) {
    EXPECT_EQ(Day(1970, 1, 1), 0);
    EXPECT_EQ(Day(2024, 3, 1) - Day(2024, 2, 28), 2) << "29 February 2024";
    EXPECT_EQ(Day(2100, 3, 1) - Day(2100, 2, 28), 1) << "2100 is no leap year";
    EXPECT_EQ(Day(2027, 1, 1) - Day(2026, 12, 31), 1);
    for (int serial : {Day(2000, 2, 29), Day(1, 1, 1), Day(9999, 12, 31), -1})
        EXPECT_EQ(DaySerial(DateOfSerial(serial).year, DateOfSerial(serial).month, DateOfSerial(serial).day), serial);
    EXPECT_EQ(FormatDate(Day(2026, 3, 2)), "2026/03/02");
    EXPECT_EQ(FormatMonthDay(Day(2026, 12, 31)), "12/31");
}

TEST(CycleDays, MonthsAreTakenAsTheGridShowsThem) {
    DaySeries series(Day(2026, 3, 20));
    series.AddMonthLines({2026, 3}, {"\"周  期\", 01 ,x", "\"体  温\",36.56,38.0,abc,36.5", "\"変  化\",,\"　\"",
                                     "\"メ  モ\""});
    series.Finish();
    const std::vector<DayRecord>& days = series.Days();
    ASSERT_EQ(days.size(), 31u) << "the diary is kept whole";
    EXPECT_EQ(series.PastEnd() - days.begin(), 20) << "the cycles read up to today";
    EXPECT_EQ(days[0].cycle, "01");
    EXPECT_EQ(days[0].hundredths, 3660) << "normalised to one decimal";
    EXPECT_EQ(days[1].hundredths, 0) << "out of range";
    EXPECT_FALSE(days[2].entry) << "a junk temperature is emptied";
    EXPECT_EQ(days[3].hundredths, 3650);
    EXPECT_TRUE(days[1].entry) << "a full-width blank is text";
    EXPECT_FALSE(days[4].entry);

    EXPECT_THROW(DaySeries(0).AddMonthLines({2026, 4}, {"a", "b"}), AppError) << "too few lines";

    YearMonth month;
    EXPECT_TRUE(ParseMonthFileName("202603.dat", month));
    EXPECT_EQ(month, (YearMonth{2026, 3}));
    for (const char* other : {"202613.dat", "202600.dat", "202603.dat.bak", "202603.tmp", "memo.dat", "20263.dat"})
        EXPECT_FALSE(ParseMonthFileName(other, month)) << other;
}

TEST(CycleStarts, TypedOnesAndFirstCrossesStartCyclesTenDaysApart) {
    // "1" and "01" start; "1.0" and "11" do not.
    EXPECT_EQ(Starts(Diary().One(2026, 1, 1).Set(2026, 1, 15, kRowCycleDay, "01").Set(2026, 2, 1, kRowCycleDay, "1.0")
                         .Set(2026, 2, 20, kRowCycleDay, "11")),
              (std::vector<int>{Day(2026, 1, 1), Day(2026, 1, 15)}));
    // A 1 typed again the next day makes no one-day cycle; nine days later neither; ten days later does.
    EXPECT_EQ(Starts(Diary().One(2026, 1, 1).One(2026, 1, 2).One(2026, 1, 10)), (std::vector<int>{Day(2026, 1, 1)}));
    EXPECT_EQ(Starts(Diary().One(2026, 1, 1).One(2026, 1, 11)), (std::vector<int>{Day(2026, 1, 1), Day(2026, 1, 11)}));
    // The first of a run of crosses starts; a cross with another in the ten days before it does not.
    Diary crosses;
    for (int d : {1, 2, 3, 4, 5, 14, 29})
        crosses.Set(2026, 1, d, kRowEvent, "×");
    crosses.Set(2026, 2, 10, kRowEvent, "×痛");
    EXPECT_EQ(Starts(crosses), (std::vector<int>{Day(2026, 1, 1), Day(2026, 1, 29), Day(2026, 2, 10)}));
    // A cross drops out for a typed 1 at most ten days before or after it.
    EXPECT_EQ(Starts(Diary().Set(2026, 1, 5, kRowEvent, "×").One(2026, 1, 15)), (std::vector<int>{Day(2026, 1, 15)}));
    EXPECT_EQ(Starts(Diary().Set(2026, 1, 25, kRowEvent, "×").One(2026, 1, 15)), (std::vector<int>{Day(2026, 1, 15)}));
    EXPECT_EQ(Starts(Diary().Set(2026, 1, 4, kRowEvent, "×").One(2026, 1, 15)),
              (std::vector<int>{Day(2026, 1, 4), Day(2026, 1, 15)}));
    EXPECT_TRUE(Starts(Diary().Set(2026, 1, 4, kRowEvent, "△\t").Temps(2026, 1, 1, {"36.5"})).empty());
}

TEST(TemperatureShift, RegularRuleAndBothExceptionsEachOnItsOwn) {
    const std::vector<int> low{363, 364, 363, 362, 364, 363}; // cover line 36.40
    auto with = [&](std::vector<int> after) {
        std::vector<int> all = low;
        all.insert(all.end(), after.begin(), after.end());
        return FindShift(Readings(all));
    };
    auto regular = with({365, 365, 366});
    ASSERT_TRUE(regular);
    EXPECT_EQ(regular->firstHigh, 106);
    EXPECT_EQ(regular->confirmed, 108) << "the third higher reading, 0.20 over the line";
    EXPECT_EQ(regular->coverLine, 3640);

    auto first = with({365, 365, 365, 365});
    ASSERT_TRUE(first);
    EXPECT_EQ(first->confirmed, 109) << "exception 1: a fourth reading over the line";
    EXPECT_FALSE(with({365, 365, 365, 364})) << "exception 1 needs the fourth over the line";

    auto second = with({365, 364, 365, 366});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->confirmed, 109) << "exception 2: one at the line is left out";
    EXPECT_TRUE(with({365, 366, 362, 366}));
    EXPECT_FALSE(with({365, 364, 365, 365})) << "exception 2 needs the fourth 0.20 over the line: the two never combine";
    EXPECT_FALSE(with({365, 364, 364, 367})) << "two at or below the line";
    EXPECT_FALSE(with({365, 365})) << "the readings run out";
    EXPECT_FALSE(FindShift(Readings({363, 364, 363, 362, 364, 370, 371, 372}))) << "fewer than six before";

    // A candidate that fails gives way to the next one.
    auto later = with({365, 363, 363, 366, 366, 367});
    ASSERT_TRUE(later);
    EXPECT_EQ(later->firstHigh, 109);
    EXPECT_EQ(later->coverLine, 3650);
    EXPECT_EQ(later->confirmed, 111);
}

TEST(CycleAnalysis, CyclesAcrossMonthsWithPhasesMeansAndGaps) {
    Diary diary;
    // Closed cycle from 2024/02/20 over 29 February to 2024/03/19 (29 days); days without a reading skipped.
    diary.One(2024, 2, 20).Temps(2024, 2, 21, {"36.2", "", "36.3", "36.2", "36.3", "36.1", "36.3", "", "36.2", "36.6",
                                               "36.7", "36.7", "36.6", "36.7"});
    diary.One(2024, 3, 20).Temps(2024, 3, 20, {"36.3"}).Set(2024, 3, 25, kRowMemo, "memo");
    DaySeries series = diary.Series();
    CycleAnalysis analysis = AnalyseCycles(series);
    ASSERT_EQ(analysis.cycles.size(), 2u);
    const Cycle& closed = analysis.cycles[0];
    EXPECT_EQ(closed.Length(), 29);
    EXPECT_FALSE(closed.open);
    ASSERT_TRUE(closed.shift);
    EXPECT_EQ(closed.shift->firstHigh, Day(2024, 3, 1));
    EXPECT_EQ(closed.DayOf(closed.shift->firstHigh), 11);
    EXPECT_EQ(closed.shift->confirmed, Day(2024, 3, 3));
    EXPECT_EQ(closed.shift->coverLine, 3630);
    EXPECT_EQ(closed.lowMean, 3623) << "36.225 rounds half away from zero";
    EXPECT_EQ(closed.highMean, 3666) << "36.66";
    EXPECT_EQ(*closed.HighPhaseLength(), 19);
    const Cycle& open = analysis.cycles[1];
    EXPECT_TRUE(open.open);
    EXPECT_EQ(open.end, Day(2024, 3, 25)) << "to the last day with an entry";
    EXPECT_FALSE(open.shift);
    EXPECT_FALSE(open.HighPhaseLength());
    EXPECT_EQ(CycleIndexAt(analysis, Day(2024, 3, 31)), 1);
    EXPECT_EQ(CycleIndexAt(analysis, Day(2024, 3, 19)), 0);
    EXPECT_EQ(CycleIndexAt(analysis, Day(2023, 1, 1)), 0);

    EXPECT_TRUE(AnalyseCycles(Diary().Temps(2024, 1, 1, {"36.5"}).Series()).cycles.empty());

    // What is written ahead of today changes nothing: the open cycle ends at today's last entry.
    Diary ahead;
    ahead.One(2026, 1, 1).Temps(2026, 1, 1, {"36.4", "36.5"}).One(2026, 2, 1).Set(2026, 1, 25, kRowEvent, "×");
    CycleAnalysis upToToday = AnalyseCycles(ahead.Series(Day(2026, 1, 20)));
    ASSERT_EQ(upToToday.cycles.size(), 1u);
    EXPECT_EQ(upToToday.cycles[0].end, Day(2026, 1, 2));
}

TEST(CycleAnalysis, StatisticsForecastNotesAndMonthsThatCouldNotBeRead) {
    Diary diary;
    int start = Day(2025, 1, 1);
    const int lengths[] = {28, 31, 26, 30, 29, 27, 32};
    for (int length : lengths) {
        CivilDate d = DateOfSerial(start);
        diary.One(d.year, d.month, d.day);
        start += length;
    }
    CivilDate open = DateOfSerial(start);
    diary.One(open.year, open.month, open.day);
    CycleAnalysis analysis = AnalyseCycles(diary.Series());
    const CycleStatistics& s = analysis.statistics;
    EXPECT_EQ(s.count, 7);
    EXPECT_EQ(s.meanLengthTenths, 290) << "203 / 7 = 29.0";
    EXPECT_EQ(s.shortest, 26);
    EXPECT_EQ(s.longest, 32);
    EXPECT_EQ(s.highCount, 0);
    ASSERT_TRUE(analysis.forecast);
    EXPECT_EQ(analysis.forecast->from, start + 26) << "the last six: 31 26 30 29 27 32";
    EXPECT_EQ(analysis.forecast->to, start + 32);
    EXPECT_EQ(StatisticsTexts(s), (std::vector<std::string>{"周期の長さ 平均 29.0日（最短 26日・最長 32日・7周期）"}));

    // A cycle over a month that could not be read counts for nothing; with fewer than three, no forecast.
    CycleAnalysis partly =
        AnalyseCycles(diary.Series(Day(2100, 1, 1), {{2025, 1}, {2025, 2}, {2025, 4}, {2025, 6}}));
    EXPECT_TRUE(partly.statistics.leftOutUnreadable);
    EXPECT_EQ(partly.statistics.count, 1) << "only 2025/03/01 to 2025/03/26 lies clear of them";
    EXPECT_FALSE(partly.forecast);

    // The open cycle past the longest has no forecast.
    CivilDate late = DateOfSerial(start + 33);
    diary.Set(late.year, late.month, late.day, kRowTemperature, "36.5");
    EXPECT_FALSE(AnalyseCycles(diary.Series()).forecast);

    Cycle noted;
    noted.start = 0;
    noted.end = 27;
    noted.shift = TemperatureShift{20, 22, 3640};
    noted.lowMean = 3630;
    noted.highMean = 3659;
    CycleNotes notes = NotesFor(noted);
    EXPECT_TRUE(notes.shortHighPhase) << "8 days";
    EXPECT_TRUE(notes.smallDifference) << "0.29";
    noted.end = 28;
    noted.highMean = 3660;
    notes = NotesFor(noted);
    EXPECT_TRUE(notes.shortHighPhase) << "9 days";
    EXPECT_FALSE(notes.smallDifference) << "0.30";
    noted.end = 29;
    EXPECT_FALSE(NotesFor(noted).shortHighPhase) << "10 days";
    noted.open = true;
    EXPECT_FALSE(NotesFor(noted).shortHighPhase) << "an open cycle's high phase is not over";
}

TEST(CycleText, PageOfACycleInTheWindowsWords) {
    Diary diary;
    diary.One(2026, 3, 2).Temps(2026, 3, 3, {"36.4", "36.3", "36.4", "36.5", "36.4", "36.3", "36.8", "36.8", "36.9",
                                             "36.8"});
    diary.Set(2026, 3, 30, kRowMemo, "x").One(2026, 3, 31).Set(2026, 4, 12, kRowEvent, "◎");
    CycleAnalysis analysis = AnalyseCycles(diary.Series());
    EXPECT_EQ(CycleTexts(analysis, 0),
              (std::vector<std::string>{"2026/03/02 〜 2026/03/30（29日間）",
                                        "高温期の始まり 2026/03/09（8日目）　確定 2026/03/11　カバーライン 36.50℃",
                                        "低温期 平均 36.38℃　高温期 平均 36.83℃　差 0.45℃", "高温期の長さ 22日",
                                        "周期の長さ 平均 29.0日（最短 29日・最長 29日・1周期）",
                                        "高温期の長さ 平均 22.0日（1周期）", kCycleNotice}));
    EXPECT_EQ(CycleTexts(analysis, 1),
              (std::vector<std::string>{"2026/03/31 〜 2026/04/12（記録中）", "体温の上昇は確認されていません",
                                        "周期の長さ 平均 29.0日（最短 29日・最長 29日・1周期）",
                                        "高温期の長さ 平均 22.0日（1周期）", kCycleNotice}));
    EXPECT_EQ(CycleTexts(CycleAnalysis{}, 0), (std::vector<std::string>{kNoCycleText}));

    EXPECT_EQ(UnreadableMonthsText({{2019, 3}, {2020, 7}}), "読み込めなかった月: 2019/03, 2020/07");
    EXPECT_EQ(UnreadableMonthsText({{2019, 1}, {2019, 2}, {2019, 3}, {2019, 4}, {2019, 5}, {2019, 6}, {2019, 7}}),
              "読み込めなかった月: 2019/01, 2019/02, 2019/03, 2019/04, 2019/05 ほか 2 か月");
    EXPECT_EQ(FormatHundredths(3645), "36.45℃");
    EXPECT_EQ(FormatHundredths(-5), "-0.05℃");
    EXPECT_EQ(FormatTenths(280), "28.0");
}

TEST(CycleChart, LayoutShowsPhasesGapsCoverLineAndThinnedLabels) {
    Diary diary;
    diary.One(2026, 3, 2).Temps(2026, 3, 2, {"36.4", "36.3", "36.4", "", "36.5", "36.4", "36.3", "36.8", "36.8", "36.9"});
    diary.Set(2026, 3, 3, kRowEvent, "△\t").One(2026, 4, 1);
    DaySeries series = diary.Series();
    CycleAnalysis analysis = AnalyseCycles(series);
    const Cycle& cycle = analysis.cycles[0];
    RecordingCanvas canvas;
    CycleChartLayout layout = LayOutCycleChart(canvas, cycle, series.Days(), 900, 360);

    ASSERT_EQ(layout.points.size(), 9u);
    EXPECT_EQ(layout.temperatureLine.size(), 7u) << "no line across the day without a reading";
    EXPECT_FALSE(layout.points[5].high);
    EXPECT_TRUE(layout.points[6].high);
    EXPECT_EQ(layout.points[6].marker.Width(), layout.points[6].marker.Height());
    ASSERT_TRUE(layout.coverLine && layout.coverLabel && layout.shiftLine);
    EXPECT_EQ(layout.coverLabel->text, "36.50");
    EXPECT_EQ(layout.coverLine->x1, layout.backWall.left);
    EXPECT_EQ(layout.coverLine->x2, layout.backWall.right);
    EXPECT_LT(layout.points[6].y, layout.coverLine->y1);
    EXPECT_GT(layout.points[5].y, layout.coverLine->y1);
    EXPECT_GT(layout.shiftLine->x1, layout.points[5].x);
    EXPECT_LT(layout.shiftLine->x1, layout.points[6].x);
    EXPECT_EQ(layout.centreLine.y1, ValueToPixel(layout.leftScale, 36.7));
    EXPECT_EQ(layout.leftLabels.front().text, "37.5");
    EXPECT_EQ(layout.leftLabels.back().text, "35.5");
    ASSERT_EQ(layout.markLabels.size(), 1u);
    EXPECT_EQ(layout.markLabels[0].text, "△") << "the mark without its TAB";
    EXPECT_EQ(layout.dayLabels.size(), 30u) << "30 days have room for every cycle day";
    EXPECT_EQ(layout.dateLabels[0].text, "3/2");
    for (size_t i = 1; i < layout.dateLabels.size(); ++i)
        EXPECT_GE(layout.dateLabels[i].textX - layout.dateLabels[i - 1].textX, canvas.TextWidth("12/31"));

    // A long cycle on a narrow chart: labels thinned, every point still inside the plot.
    CycleChartLayout narrow = LayOutCycleChart(canvas, cycle, series.Days(), 300, 200, 90);
    EXPECT_LT(narrow.dayLabels.size(), 30u);
    for (size_t i = 1; i < narrow.dayLabels.size(); ++i)
        EXPECT_GE(narrow.dayLabels[i].textX - narrow.dayLabels[i - 1].textX, canvas.TextWidth("99"));
    for (const CyclePoint& p : narrow.points)
        EXPECT_TRUE(p.x > narrow.backWall.left && p.x < narrow.backWall.right);

    DrawCycleChart(canvas, layout);
    EXPECT_EQ(canvas.Calls(CanvasOp::Ellipse).size(), 3u) << "high-phase points as circles";
    EXPECT_EQ(canvas.Calls(CanvasOp::Rectangle).size(), 1u + 6u) << "the back wall and the low-phase squares";
}

// A cold in the low phase: the 3rd's 36.9 lifts the line over every later reading unless it is left
// out. Each case leaves out other days as well and names where the shift then stands.
TEST(LeftOut, RulesTakeOnlyTheReadingsNotLeftOut) {
    Diary diary;
    diary.One(2026, 5, 1).Temps(2026, 5, 1, {"36.2", "36.3", "36.9", "36.2", "36.3", "36.2", "36.3", "36.6", "36.6",
                                             "36.7", "36.7", "36.6", "36.6"});
    auto shiftWith = [&](std::vector<int> leftOut) {
        DaySeries series = diary.Series();
        series.SetExcluded(std::move(leftOut));
        return AnalyseCycles(series).cycles.at(0);
    };
    EXPECT_FALSE(shiftWith({}).shift) << "the cold hides the shift";

    Cycle inTheSix = shiftWith({Day(2026, 5, 3)});
    ASSERT_TRUE(inTheSix.shift);
    EXPECT_EQ(inTheSix.shift->firstHigh, Day(2026, 5, 8));
    EXPECT_EQ(inTheSix.shift->coverLine, 3630);
    EXPECT_EQ(inTheSix.shift->confirmed, Day(2026, 5, 10));
    EXPECT_EQ(inTheSix.lowMean, 3625) << "the means leave it out too";
    EXPECT_EQ(inTheSix.highMean, 3663);
    EXPECT_EQ(inTheSix.leftOut, std::vector<int>{Day(2026, 5, 3)});
    EXPECT_EQ(inTheSix.readings.size(), 12u);

    Cycle candidate = shiftWith({Day(2026, 5, 3), Day(2026, 5, 8)});
    ASSERT_TRUE(candidate.shift);
    EXPECT_EQ(candidate.shift->firstHigh, Day(2026, 5, 9)) << "a day left out is never the first higher one";

    Cycle amongTheThree = shiftWith({Day(2026, 5, 3), Day(2026, 5, 9)});
    ASSERT_TRUE(amongTheThree.shift);
    EXPECT_EQ(amongTheThree.shift->firstHigh, Day(2026, 5, 8));
    EXPECT_EQ(amongTheThree.shift->confirmed, Day(2026, 5, 11)) << "the third reading is the 11th's";

    // The exception with one of the two at the line: its fourth reading is the next one not left out.
    Diary dip;
    dip.One(2026, 5, 1).Temps(2026, 5, 1, {"36.2", "36.3", "36.2", "36.3", "36.2", "36.3", "36.6", "36.3", "36.6",
                                           "36.4", "36.6"});
    DaySeries series = dip.Series();
    EXPECT_FALSE(AnalyseCycles(series).cycles.at(0).shift) << "the 10th is too low for the fourth";
    series.SetExcluded({Day(2026, 5, 10)});
    const Cycle skipped = AnalyseCycles(series).cycles.at(0);
    ASSERT_TRUE(skipped.shift);
    EXPECT_EQ(skipped.shift->firstHigh, Day(2026, 5, 7));
    EXPECT_EQ(skipped.shift->confirmed, Day(2026, 5, 11));
}

TEST(LeftOut, CycleTextsNameTheDaysLeftOutAndALongHighPhase) {
    Diary diary;
    diary.One(2026, 9, 1).Temps(2026, 9, 1, {"36.2", "36.3", "36.2", "36.3", "36.2", "36.3", "36.7", "36.8", "36.8"});
    for (int d = 10; d <= 24; ++d)
        diary.Temps(2026, 9, d, {"36.8"});
    DaySeries series = diary.Series();
    series.SetExcluded({Day(2026, 9, 14), Day(2026, 9, 20), Day(2026, 9, 30)});
    const std::vector<std::string> lines = CycleTexts(AnalyseCycles(series), 0);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3], "除外した体温 2日 (9/14, 9/20)") << "a date without a reading leaves nothing out";
    EXPECT_EQ(lines[4], "高温期が18日続いています。妊娠の可能性があります。") << "9/7 to 9/24";
    diary.Temps(2026, 9, 24, {""});
    EXPECT_EQ(CycleTexts(AnalyseCycles(diary.Series()), 0).at(2).rfind("低温期", 0), 0u);
    EXPECT_NE(CycleTexts(AnalyseCycles(diary.Series()), 0).at(3).rfind("高温期が", 0), 0u) << "17 days say nothing";
}

TEST(LeftOut, FileKeepsDatesInOrderOnceAndForeignLinesAfterThem) {
    ExcludedList list = ParseExcluded("2026/09/20\r\nnote\n2026/09/14\n2026/02/30\r\n2026/09/20\n 2026/09/21\r\n");
    EXPECT_EQ(list.dates, (std::vector<int>{Day(2026, 9, 14), Day(2026, 9, 20)}));
    EXPECT_EQ(list.foreign, (std::vector<std::string>{"note", "2026/02/30", " 2026/09/21"}));
    SetExcluded(list, Day(2026, 9, 1), true);
    SetExcluded(list, Day(2026, 9, 20), false);
    EXPECT_EQ(ExcludedBytes(list), "2026/09/01\r\n2026/09/14\r\nnote\r\n2026/02/30\r\n 2026/09/21\r\n");
    EXPECT_EQ(ExcludedBytes(ParseExcluded("2026/09/14\n")).size(), 12u);
    ExcludedList empty = ParseExcluded("2026/09/14");
    SetExcluded(empty, Day(2026, 9, 14), false);
    EXPECT_EQ(ExcludedBytes(empty), "") << "nothing left: the file goes";
}

} // namespace
} // namespace purimo
