// Showing and paging months with their files on disk.
#include <windows.h>

#include "FormFixture.h"
#include "month/MonthGrid.h"

namespace purimo::test {

namespace {

std::string EmptyMonthFile(int days) {
    std::string commas(static_cast<size_t>(days), ',');
    return "\"周  期\"" + commas + "\r\n\"体  温\"" + commas + "\r\n\"変  化\"" + commas + "\r\n\"メ  モ\"" + commas +
           "\r\n";
}

int OuterWidth(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

} // namespace

using PagingTest = FormFixture;

TEST_F(PagingTest, PagingAYearForwardAndBackWritesEveryMonthAndTurnsTheYear) {
    Start();
    form_->Set_ChangeCalender(2025, 12);
    form_->Grid().SetCell(5, kRowTemperature, "36.5");
    ClickButton(form_->btnNext());
    EXPECT_EQ(form_->pnlYear().Caption(), "2026");
    EXPECT_EQ(form_->pnlMonth().Caption(), "01");
    EXPECT_EQ(form_->Grid().Cell(1, 0), "1/1");
    EXPECT_EQ(form_->Grid().Cell(5, kRowTemperature), "") << "nothing of the month before stays";
    std::string december = ReadFileBytes(MonthPath("202512"));
    EXPECT_NE(december.find("\"体  温\",,,,,36.5,"), std::string::npos);

    for (int i = 0; i < 12; ++i)
        ClickButton(form_->btnNext());
    EXPECT_EQ(form_->pnlYear().Caption(), "2027");
    EXPECT_EQ(form_->pnlMonth().Caption(), "01");
    for (int i = 0; i < 13; ++i)
        ClickButton(form_->btnPrev());
    EXPECT_EQ(form_->pnlYear().Caption(), "2025");
    EXPECT_EQ(form_->pnlMonth().Caption(), "12");
    EXPECT_EQ(form_->Grid().Cell(5, kRowTemperature), "36.5") << "the month comes back from its file";
    EXPECT_TRUE(errors_.empty());

    EXPECT_EQ(ReadFileBytes(MonthPath("202602")), EmptyMonthFile(28)) << "a month left untouched is written empty";
    EXPECT_EQ(ReadFileBytes(MonthPath("202607")), EmptyMonthFile(31));
}

TEST_F(PagingTest, WidthsFollowTheMonthsLength) {
    Start();
    struct Case {
        unsigned short year, month;
        int days;
    };
    for (Case c : {Case{2026, 2, 28}, Case{2024, 2, 29}, Case{2026, 4, 30}, Case{2026, 1, 31}, Case{2100, 2, 28}}) {
        form_->Set_ChangeCalender(c.year, c.month);
        int missing = 31 - c.days;
        EXPECT_EQ(OuterWidth(form_->Hwnd()), 1008 - 30 * missing) << c.year << "/" << c.month;
        EXPECT_EQ(OuterWidth(form_->chartMain().Hwnd()), 985 - 30 * missing);
        EXPECT_EQ(OuterWidth(form_->gridMain().Hwnd()), 985 - 30 * missing);
        EXPECT_EQ(form_->Grid().ColCount(), 1 + c.days);
        EXPECT_EQ(form_->chartMain().Model().SeriesAt(0).Count(), c.days);
        RECT client;
        GetClientRect(form_->Hwnd(), &client);
        EXPECT_EQ(client.right, 1002 - 30 * missing);
    }
}

TEST_F(PagingTest, LoadingTrimsNormalisesAndPlacesTheCurrentCell) {
    Start();
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteFileBytes(MonthPath("202604"), "\"周  期\",3\r\n\"体  温\",36,36.54,\" 36.5 \",35.4,37.6,abc,35.5,37.5\r\n"
                                        "\"変  化\",\"\x81\xA2\t\"\r\n\"メ  モ\",\" \"\r\n");
    form_->Grid().SetCurrent(CellPos{20, 3});
    form_->Set_ChangeCalender(2026, 4);
    const MonthGrid& grid = form_->Grid();
    const char* expected[] = {"36.0", "36.5", "36.5", "", "", "", "35.5", "37.5"};
    for (int day = 1; day <= 8; ++day)
        EXPECT_EQ(grid.Cell(day, kRowTemperature), expected[day - 1]) << "day " << day;
    EXPECT_EQ(grid.Cell(1, kRowEvent), "\x81\xA2") << "the tab after the mark is trimmed";
    EXPECT_EQ(grid.Cell(1, kRowMemo), "");
    EXPECT_EQ(grid.Current(), (CellPos{1, 1}));
    const Series& temperatures = form_->chartMain().Model().SeriesAt(0);
    EXPECT_DOUBLE_EQ(temperatures.YValues()[1], 36.5);
    EXPECT_DOUBLE_EQ(temperatures.YValues()[3], 0.0);
    EXPECT_FALSE(IsWindowVisible(form_->cmbTemp().Hwnd()));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(PagingTest, AtTheEndsOfTheYearRangePagingSavesAndStays) {
    Start();
    form_->Set_ChangeCalender(0, 1);
    EXPECT_EQ(form_->pnlYear().Caption(), "00");
    form_->btnPrevClick();
    EXPECT_EQ(form_->ShownYear(), 0);
    EXPECT_EQ(form_->ShownMonth(), 1);
    EXPECT_NE(ReadFileBytes(MonthPath("0001")), "<missing>");

    form_->Set_ChangeCalender(65535, 12);
    form_->btnNextClick();
    EXPECT_EQ(form_->ShownYear(), 65535);
    EXPECT_EQ(form_->ShownMonth(), 12);
    EXPECT_NE(ReadFileBytes(MonthPath("6553512")), "<missing>");
    EXPECT_TRUE(errors_.empty());
}

} // namespace purimo::test
