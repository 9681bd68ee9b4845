#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "month/Calendar.h"

namespace purimo {
namespace {

TEST(Calendar, DaysInMonth) {
    const std::tuple<int, int, int> cases[] = {{2000, 2, 29}, {2024, 2, 29}, {2100, 2, 28}, {2026, 2, 28},
                                               {2026, 4, 30}, {2026, 8, 31}, {2026, 12, 31}};
    for (const auto& [year, month, days] : cases)
        EXPECT_EQ(DaysInMonth(year, month), days) << year << "/" << month;
    EXPECT_THROW(DaysInMonth(2026, 13), std::out_of_range);
}

TEST(Calendar, PagingCrossesYearsAndStopsAtTheEndsOfTheRange) {
    const std::tuple<YearMonth, std::optional<YearMonth>, std::optional<YearMonth>> cases[] = {
        {{2026, 1}, YearMonth{2025, 12}, YearMonth{2026, 2}},
        {{2025, 12}, YearMonth{2025, 11}, YearMonth{2026, 1}},
        {{0, 1}, std::nullopt, YearMonth{0, 2}},
        {{65535, 12}, YearMonth{65535, 11}, std::nullopt},
    };
    for (const auto& [shown, previous, next] : cases) {
        EXPECT_EQ(PreviousMonth(shown), previous) << shown.year << "/" << shown.month;
        EXPECT_EQ(NextMonth(shown), next) << shown.year << "/" << shown.month;
    }
}

TEST(Calendar, FileNamesAndHeaders) {
    EXPECT_EQ(MonthFileName(FormatTwoDigits(2026), FormatTwoDigits(4)), "client/202604.dat");
    EXPECT_EQ(MonthFileName(FormatTwoDigits(5), FormatTwoDigits(12)), "client/0512.dat");
    EXPECT_EQ(DayHeader(4, 1), "4/1");
    EXPECT_EQ(DayHeader(12, 1), "12/1");
    EXPECT_EQ(DayHeader(12, 31), "31");
}

} // namespace
} // namespace purimo
