// Read-only month files. Wine lets an administrator write them anyway, so these run as an
// ordinary user (scripts/as-user.sh) and are skipped where the process can write them.
#include <windows.h>

#include "FormFixture.h"
#include "month/MonthGrid.h"
#include "widgets/Handles.h"

namespace purimo::test {

namespace {

const std::string kMayFile = "\"周  期\",9\r\n\"体  温\",36.4\r\n\"変  化\"\r\n\"メ  モ\"\r\n";

bool WritesReadOnlyFiles(const std::wstring& folder) {
    std::wstring probe = folder + L"probe.txt";
    WriteFileBytes(probe, "x");
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    bool writes =
        static_cast<bool>(FileHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(probe.c_str());
    return writes;
}

} // namespace

class ReadOnlyTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        if (WritesReadOnlyFiles(folder_))
            GTEST_SKIP() << "this account writes read-only files; scripts/as-user.sh runs these as an ordinary user";
    }
};

TEST_F(ReadOnlyTest, ReadOnlyMonthFileIsReportedAndKeepsItsBytesAndTheWindow) {
    Start();
    WriteFileBytes(MonthPath("202605"), kMayFile);
    form_->Set_ChangeCalender(2026, 5);
    ASSERT_TRUE(SetFileAttributesW(MonthPath("202605").c_str(), FILE_ATTRIBUTE_READONLY));
    form_->Grid().SetCell(2, kRowTemperature, "36.6");

    ClickButton(form_->btnNext());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "ファイルへのアクセスが拒否されました.");
    EXPECT_EQ(form_->ShownMonth(), 5);
    EXPECT_EQ(form_->Grid().Cell(2, kRowTemperature), "36.6") << "nothing entered is lost";
    EXPECT_FALSE(Close());
    EXPECT_EQ(ReadFileBytes(MonthPath("202605")), kMayFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202605") + L".tmp"), "<missing>");

    SetFileAttributesW(MonthPath("202605").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(Close());
    EXPECT_NE(ReadFileBytes(MonthPath("202605")).find(",36.4,36.6,"), std::string::npos)
        << ReadFileBytes(MonthPath("202605"));
}

TEST_F(ReadOnlyTest, ReadOnlyTemporaryFileLeftByAnEarlierRunDoesNotStopTheSave) {
    Start();
    WriteFileBytes(MonthPath("202605"), kMayFile);
    form_->Set_ChangeCalender(2026, 5);
    const std::wstring temporary = MonthPath("202605") + L".tmp";
    WriteFileBytes(temporary, "left behind");
    ASSERT_TRUE(SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_READONLY));
    form_->Grid().SetCell(2, kRowTemperature, "36.6");

    ClickButton(form_->btnNext());
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(form_->ShownMonth(), 6);
    EXPECT_NE(ReadFileBytes(MonthPath("202605")).find(",36.4,36.6,"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(temporary), "<missing>");
}

} // namespace purimo::test
