#include <gtest/gtest.h>

#include "month/MonthMerge.h"

namespace purimo {
namespace {

TEST(MonthMerge, EachSidesChangesStayAndHersWinWhereBothDiffer) {
    // April, loaded with a temperature on the 1st and a mark on the 2nd.
    const MonthGrid base = MonthGridFromLines(2026, 4, {"\"周  期\"", "\"体  温\",36.5", "\"変  化\",,\"△\t\"", "\"メ  モ\""});
    MonthGrid window = base;
    window.SetCell(3, kRowTemperature, "36.6");  // only hers
    window.SetCell(5, kRowMemo, "頭痛");         // both, the same
    window.SetCell(7, kRowCycleDay, "3");        // both, different
    window.SetCell(2, kRowEvent, "△\t");        // the same mark as loaded, TAB and all
    MonthGrid file = MonthGridFromLines(
        2026, 4, {"\"周  期\",,,,,,,5", "\"体  温\",36.5,,,36.8", "\"変  化\",,\"△\"", "\"メ  モ\",,,,,頭痛"});

    std::vector<int> both = MergeMonthCells(window, base, file, 30);

    EXPECT_EQ(both, std::vector<int>{7});
    EXPECT_EQ(window.Cell(3, kRowTemperature), "36.6");
    EXPECT_EQ(window.Cell(4, kRowTemperature), "36.8") << "only the file's";
    EXPECT_EQ(window.Cell(5, kRowMemo), "頭痛");
    EXPECT_EQ(window.Cell(7, kRowCycleDay), "3") << "hers, on the screen";
    EXPECT_EQ(window.Cell(2, kRowEvent), "△\t");
    EXPECT_EQ(window.Cell(1, kRowTemperature), "36.5");
    EXPECT_FALSE(SameMonthCells(window, base, 30));
    EXPECT_TRUE(SameMonthCells(base, MonthGridFromLines(2026, 4, {"\"周  期\"", "\"体  温\",36.50 ", "\"変  化\",,△",
                                                                    "\"メ  モ\""}),
                               30));
}

TEST(MonthMerge, NoticeNamesTheFileTheDaysAndTheBackup) {
    EXPECT_EQ(MergeNotice("202612.dat", {3, 5}, "202612.dat.bak.2"),
              "202612.dat は別の場所でも変更されていました。両方で変更された日 (3日, 5日) はこの画面の記録を保存し、"
              "別の記録は 202612.dat.bak.2 に残しました。");
}

} // namespace
} // namespace purimo
