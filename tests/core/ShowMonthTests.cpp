#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Errors.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

MonthGrid StartupGrid() {
    MonthGrid grid;
    LayOutGridTexts(grid);
    for (int col = 1; col < grid.ColCount(); ++col)
        for (int row = 0; row < kGridRowCount; ++row)
            grid.SetCell(col, row, "old");
    return grid;
}

TEST(ShowMonth, ColumnsAndHeadersFollowTheMonth) {
    const std::tuple<int, int, int, const char*> cases[] = {
        {2026, 2, 28, "2/1"}, {2024, 2, 29, "2/1"}, {2025, 12, 31, "12/1"}, {2026, 4, 30, "4/1"}};
    for (const auto& [year, month, days, firstHeader] : cases) {
        MonthGrid grid = StartupGrid();
        EXPECT_EQ(PrepareMonthColumns(grid, year, month), days);
        ASSERT_EQ(grid.ColCount(), 1 + days);
        EXPECT_EQ(grid.Cell(1, kRowHeader), firstHeader);
        EXPECT_EQ(grid.Cell(days, kRowHeader), std::to_string(days));
        for (int row = kRowCycleDay; row <= kRowMemo; ++row)
            EXPECT_EQ(grid.Cell(days, row), "");
        EXPECT_EQ(grid.Cell(0, kRowCycleDay), "\x8E\xFC  \x8A\xFA");
    }
}

TEST(ShowMonth, SwitchThroughAShorterMonthLeavesNothingInTheLastColumn) {
    MonthGrid grid = StartupGrid();
    PrepareMonthColumns(grid, 2026, 4);
    PrepareMonthColumns(grid, 2026, 5);
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        EXPECT_EQ(grid.Cell(31, row), "");
}

TEST(ShowMonth, FileLinesReplaceLabelsAndDayCellsAreTrimmed) {
    MonthGrid grid = StartupGrid();
    const int days = PrepareMonthColumns(grid, 2026, 4);
    ApplyMonthLines(grid, days,
                    {"\"C\",\" 3 \",4", ",\"\x81\xA2\t\",\" \"", "E", "M,a,b" + std::string(40, ','), "5th"});
    EXPECT_EQ(grid.Cell(0, kRowCycleDay), "C");
    EXPECT_EQ(grid.Cell(1, kRowCycleDay), "3");
    EXPECT_EQ(grid.Cell(2, kRowCycleDay), "4");
    EXPECT_EQ(grid.Cell(0, kRowTemperature), " ");
    EXPECT_EQ(grid.Cell(1, kRowTemperature), "\x81\xA2");
    EXPECT_EQ(grid.Cell(2, kRowTemperature), "");
    EXPECT_EQ(grid.Cell(2, kRowMemo), "b");
    EXPECT_EQ(grid.Cell(0, kRowHeader), kRowLabels[kRowHeader]);

    MonthGrid empty = StartupGrid();
    ApplyMonthLines(empty, PrepareMonthColumns(empty, 2026, 4), {});
    EXPECT_EQ(empty.Cell(0, kRowMemo), kRowLabels[kRowMemo]);
    EXPECT_EQ(empty.Cell(1, kRowMemo), "");
}

TEST(ShowMonth, ShortFileStopsAtTheFirstMissingLineUntrimmed) {
    for (size_t count = 1; count <= 3; ++count) {
        MonthGrid grid = StartupGrid();
        const int days = PrepareMonthColumns(grid, 2026, 4);
        try {
            ApplyMonthLines(grid, days, std::vector<std::string>(count, "L,\" x \""));
            ADD_FAILURE() << count << " lines were accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "\x83\x8A\x83\x58\x83\x67\x82\xCC\x83\x43\x83\x93\x83\x66\x83\x62\x83\x4E\x83\x58\x82\xAA"
                      "\x94\xCD\x88\xCD\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7 (" +
                          std::to_string(count) + ")");
        }
        for (int row = kRowCycleDay; row <= kRowMemo; ++row)
            EXPECT_EQ(grid.Cell(1, row), static_cast<size_t>(row) <= count ? " x " : "") << count << "," << row;
    }
}

TEST(ShowMonth, TemperaturesAreNormalised) {
    const std::pair<const char*, const char*> cases[] = {
        {"36", "36.0"},      {"36.54", "36.5"}, {" 36.5 ", "36.5"}, {"35.5", "35.5"}, {"37.5", "37.5"},
        {"+3.65e1", "36.5"}, {"35.4", ""},      {"37.6", ""},       {"350", ""},      {"abc", ""},
        {"-36.5", ""},       {"36.5x", ""},     {"36,5", ""},       {"1e999", ""},    {".", ""},
    };
    for (const auto& [stored, shown] : cases) {
        MonthGrid grid = StartupGrid();
        const int days = PrepareMonthColumns(grid, 2026, 2);
        ApplyMonthLines(grid, days, {"c", std::string("T,37.0,\"") + stored + "\"", "e", "m"});
        NormaliseTemperatures(grid, days);
        EXPECT_EQ(grid.Cell(2, kRowTemperature), shown) << stored;
        EXPECT_EQ(grid.Cell(1, kRowTemperature), "37.0");
        EXPECT_EQ(grid.Cell(3, kRowTemperature), "");
    }
}

} // namespace
} // namespace purimo
