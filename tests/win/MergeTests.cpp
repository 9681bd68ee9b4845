// Another copy of the program or another PC writes the shown month's file: a save merges instead of
// overwriting, and a month left unchanged here shows the other writer's entries when the window is
// active again.
#include <windows.h>

#include "FormFixture.h"
#include "app/Application.h"

namespace purimo::test {

namespace {

// April as another writer leaves it: the cycle day 9 on the 2nd, 36.9 on the 4th.
const std::string kAprilElsewhere =
    "\"周  期\",1,9\r\n\"体  温\",36.5,36.6,,36.9\r\n\"変  化\"\r\n\"メ  モ\",\"a\"\"b\"\r\n";

class MergeTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        SetInfoBoxHandler([this](const std::string& text) { infos_.push_back(text); });
    }
    void TearDown() override {
        SetInfoBoxHandler(nullptr);
        FormFixture::TearDown();
    }
    void StartOnApril() {
        CreateDirectoryW(ClientFolder().c_str(), nullptr);
        WriteFileBytes(MonthPath("202604"), kAprilFile);
        Start();
        form_->Set_ChangeCalender(2026, 4);
        Pump();
    }
    std::string April() { return ReadFileBytes(MonthPath("202604")); }
    std::vector<std::string> infos_;
};

TEST_F(MergeTest, ChangesOnOtherDaysAreKeptFromBothSidesWithoutBackup) {
    StartOnApril();
    form_->Grid().SetCell(3, kRowTemperature, "36.7");
    WriteFileBytes(MonthPath("202604"), kAprilElsewhere);
    ClickButton(form_->btnNext());
    EXPECT_EQ(April().substr(0, April().find("\r\n\"変")),
              "\"周  期\",1,9,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n\"体  温\",36.5,36.6,36.7,36.9,,,,,,,,,,,,,,,,,,,,,,,,,,");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), "<missing>");
    EXPECT_TRUE(infos_.empty());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(MergeTest, DayChangedOnBothSidesKeepsHersAndTheOtherFileAsBackup) {
    StartOnApril();
    form_->Grid().SetCell(4, kRowTemperature, "36.2");
    form_->Grid().SetCell(2, kRowCycleDay, "7");
    WriteFileBytes(MonthPath("202604"), kAprilElsewhere);
    ASSERT_TRUE(Close());
    EXPECT_EQ(April().substr(0, April().find("\r\n\"変")),
              "\"周  期\",1,7,,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n\"体  温\",36.5,36.6,,36.2,,,,,,,,,,,,,,,,,,,,,,,,,,");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), kAprilElsewhere);
    ASSERT_EQ(infos_.size(), 1u);
    EXPECT_EQ(infos_[0], "202604.dat は別の場所でも変更されていました。両方で変更された日 (2日, 4日) はこの画面の記録を"
                         "保存し、別の記録は 202604.dat.bak に残しました。");
}

TEST_F(MergeTest, FileRemovedMeanwhileIsWrittenAsShown) {
    StartOnApril();
    DeleteFileW(MonthPath("202604").c_str());
    ClickButton(form_->btnNext());
    EXPECT_EQ(April().substr(0, 13), "\"周  期\",1,2,");
    EXPECT_TRUE(infos_.empty());
}

TEST_F(MergeTest, UnchangedMonthShowsTheOtherWritersEntriesWhenActiveAgain) {
    StartOnApril();
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(form_->Hwnd());
    Pump();
    form_->gridMain().SetCurrent(5, kRowMemo);
    Pump();
    SetActiveWindow(other);
    Pump();
    WriteFileBytes(MonthPath("202604"), kAprilElsewhere);
    SetActiveWindow(form_->Hwnd());
    Pump();
    EXPECT_EQ(form_->Grid().Cell(4, kRowTemperature), "36.9");
    EXPECT_EQ(form_->Grid().Cell(2, kRowCycleDay), "9");
    EXPECT_EQ((form_->Grid().Current()), (CellPos{5, kRowMemo})) << "the current cell stays";
    DestroyWindow(other);
    ClickButton(form_->btnNext());
    EXPECT_EQ(April().substr(0, 13), "\"周  期\",1,9,") << "and the next save finds nothing to merge";
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), "<missing>");
}

} // namespace

} // namespace purimo::test
