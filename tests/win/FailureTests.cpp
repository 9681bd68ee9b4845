// Failures of the month files: each is reported with its text and loses nothing.
#include <windows.h>

#include "FormFixture.h"
#include "month/MonthFileIo.h"
#include "month/MonthGrid.h"
#include "widgets/Handles.h"

namespace purimo::test {

// A memo of two blocks of the month file.
const std::string kLongMemo(6000, 'x');

class FailureTest : public FormFixture {
protected:
    void StartOnApril() {
        Start();
        WriteFileBytes(MonthPath("202604"), kAprilFile);
        form_->Set_ChangeCalender(2026, 4);
        errors_.clear();
    }

    // April with the long memo, saved through a disk that fills up in the middle of the second
    // block.
    void StartOnAprilWithADiskThatFillsUp() {
        StartOnApril();
        form_->Grid().SetCell(10, kRowMemo, kLongMemo);
        form_->SetWriteBlockFunction([blocks = 0](HANDLE file, const void* data, DWORD size, DWORD* written) mutable {
            DWORD allowed = ++blocks == 1 ? size : size / 2;
            return WriteFile(file, data, allowed, written, nullptr);
        });
    }
};

TEST_F(FailureTest, MissingDataFolderIsReportedAndKeepsTheMonthAndTheWindow) {
    StartOnApril();
    form_->Grid().SetCell(3, kRowTemperature, "36.9");
    DeleteFileW(MonthPath("202604").c_str());
    ASSERT_TRUE(RemoveDirectoryW(ClientFolder().c_str()));

    ClickButton(form_->btnNext());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "不正なファイル名です.");
    EXPECT_EQ(form_->ShownMonth(), 4) << "the month stays when it cannot be saved";
    EXPECT_EQ(form_->Grid().Cell(3, kRowTemperature), "36.9");

    EXPECT_FALSE(Close()) << "closing is refused while the month cannot be saved";
    EXPECT_EQ(errors_.size(), 2u);
    EXPECT_EQ(ReadSetting(L"Windows", L"Left"), L"") << "the settings are not written either";

    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    EXPECT_TRUE(Close());
    EXPECT_NE(ReadFileBytes(MonthPath("202604")).find("36.9"), std::string::npos);
}

TEST_F(FailureTest, FileHeldOpenByAnotherProgramIsReportedWithItsCode) {
    StartOnApril();
    {
        LockedFile lock(MonthPath("202604"));
        ClickButton(form_->btnPrev());
        ASSERT_EQ(errors_.size(), 1u);
        EXPECT_EQ(errors_[0], "I/O エラー (32)");
        EXPECT_EQ(form_->ShownMonth(), 4);
    }
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")), kAprilFile);
    ClickButton(form_->btnPrev());
    EXPECT_EQ(form_->ShownMonth(), 3);
}

TEST_F(FailureTest, MonthThatCouldNotBeReadIsNotWrittenOver) {
    Start();
    WriteFileBytes(MonthPath("202605"), kAprilFile);
    auto writeTime = [this] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(MonthPath("202605").c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    };
    const FILETIME before = writeTime();
    form_->Set_ChangeCalender(2026, 4);
    {
        LockedFile lock(MonthPath("202605"));
        ClickButton(form_->btnNext());
        ASSERT_EQ(errors_.size(), 1u);
        EXPECT_EQ(errors_[0], "I/O エラー (32)");
        EXPECT_EQ(form_->pnlMonth().Caption(), "05");
        EXPECT_EQ(form_->Grid().Cell(1, kRowTemperature), "") << "the grid shows the new month empty";
        EXPECT_EQ(form_->chartMain().Model().SeriesAt(0).Count(), 30) << "the chart still shows April";
    }
    ClickButton(form_->btnNext());
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_EQ(form_->ShownMonth(), 6);
    EXPECT_EQ(ReadFileBytes(MonthPath("202605")), kAprilFile);
    FILETIME after = writeTime();
    EXPECT_EQ(CompareFileTime(&before, &after), 0) << "not even rewritten";
    EXPECT_EQ(ReadFileBytes(MonthPath("202605") + L".bak"), "<missing>");

    // Something entered in a month that failed to load is merged with what the file holds.
    {
        LockedFile lock(MonthPath("202605"));
        ClickButton(form_->btnPrev());
        ASSERT_EQ(errors_.size(), 2u);
    }
    form_->Grid().SetCell(3, kRowTemperature, "36.8");
    ClickButton(form_->btnNext());
    EXPECT_EQ(errors_.size(), 2u);
    EXPECT_EQ(ReadFileBytes(MonthPath("202605") + L".bak"), kAprilFile);
    EXPECT_NE(ReadFileBytes(MonthPath("202605")).find("\r\n\"体  温\",36.5,36.6,36.8,,"), std::string::npos)
        << ReadFileBytes(MonthPath("202605"));
}

TEST_F(FailureTest, ShortMonthFileStopsTheSwitchAndSurvivesTheNextSave) {
    Start();
    form_->Set_ChangeCalender(2026, 3);
    const std::string shortFile = "\"周  期\",7,8\r\n\"体  温\",36.1\r\n";
    WriteFileBytes(MonthPath("202604"), shortFile);

    ClickButton(form_->btnNext());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(form_->Grid().Cell(2, kRowCycleDay), "8");
    RECT r;
    GetWindowRect(form_->chartMain().Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 985) << "width and chart still belong to March";

    // Nothing was entered: the file stays as it is.
    ClickButton(form_->btnNext());
    EXPECT_EQ(form_->ShownMonth(), 5);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")), shortFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), "<missing>");
}

TEST_F(FailureTest, LinesBeyondTheFourthAreKeptInTheBackup) {
    Start();
    const std::string longFile = kAprilFile + "extra line\r\n";
    WriteFileBytes(MonthPath("202604"), longFile);
    form_->Set_ChangeCalender(2026, 4);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(form_->Grid().Cell(2, kRowTemperature), "36.6");
    ClickButton(form_->btnNext());
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), longFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")).find("extra"), std::string::npos);

    // A month that loaded whole leaves no backup behind.
    ClickButton(form_->btnPrev());
    ClickButton(form_->btnNext());
    EXPECT_EQ(ReadFileBytes(MonthPath("202605") + L".bak"), "<missing>");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), longFile);
}

TEST_F(FailureTest, MonthFileThatCannotBeReplacedIsReportedAsAccessDenied) {
    Start();
    form_->Set_ChangeCalender(2026, 4);
    // A folder where the month file belongs cannot be replaced by a file.
    ASSERT_TRUE(CreateDirectoryW(MonthPath("202604").c_str(), nullptr));
    ClickButton(form_->btnNext());
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "ファイルへのアクセスが拒否されました.");
    EXPECT_EQ(form_->ShownMonth(), 4);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".tmp"), "<missing>");
}

TEST_F(FailureTest, WriteFailingPartWayLeavesTheOldFileWhole) {
    StartOnAprilWithADiskThatFillsUp();
    ClickButton(form_->btnNext());
    form_->SetWriteBlockFunction(nullptr);

    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "ディスクがいっぱいです.");
    EXPECT_EQ(form_->ShownMonth(), 4);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")), kAprilFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".tmp"), "<missing>");

    form_->SetWriteBlockFunction([](HANDLE, const void*, DWORD, DWORD*) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    });
    ClickButton(form_->btnNext());
    form_->SetWriteBlockFunction(nullptr);
    EXPECT_EQ(errors_.back(), "I/O エラー (112)");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")), kAprilFile);

    ClickButton(form_->btnNext());
    EXPECT_EQ(form_->ShownMonth(), 5);
    EXPECT_NE(ReadFileBytes(MonthPath("202604")).find(kLongMemo), std::string::npos);
}

TEST_F(FailureTest, WriteFailingPartWayOnClosingKeepsTheWindowAndTheOldFile) {
    StartOnAprilWithADiskThatFillsUp();
    EXPECT_FALSE(Close()) << "the window stays while its month cannot be saved";
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "ディスクがいっぱいです.");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")), kAprilFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".tmp"), "<missing>");
    EXPECT_EQ(ReadSetting(L"Windows", L"Left"), L"") << "the settings are not written either";
    EXPECT_EQ(form_->Grid().Cell(10, kRowMemo), kLongMemo);

    form_->SetWriteBlockFunction(nullptr);
    EXPECT_TRUE(Close());
    EXPECT_NE(ReadFileBytes(MonthPath("202604")).find(kLongMemo), std::string::npos);
}

TEST_F(FailureTest, TemporaryFilesLeftByAnEarlierRunNeverStopASave) {
    StartOnApril();
    const std::wstring temporary = MonthPath("202604") + L".tmp";
    WriteFileBytes(temporary, "left when the power failed");
    form_->Grid().SetCell(2, kRowTemperature, "36.8");
    ClickButton(form_->btnNext());
    EXPECT_TRUE(errors_.empty());
    EXPECT_NE(ReadFileBytes(MonthPath("202604")).find(",36.5,36.8,"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(temporary), "<missing>");

    // One that another program holds open is passed over, and no other name is left behind.
    ClickButton(form_->btnPrev());
    WriteFileBytes(temporary, "held");
    form_->Grid().SetCell(3, kRowTemperature, "36.9");
    {
        LockedFile lock(temporary);
        ClickButton(form_->btnNext());
    }
    EXPECT_TRUE(errors_.empty());
    EXPECT_NE(ReadFileBytes(MonthPath("202604")).find(",36.5,36.8,36.9,"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(temporary + L".2"), "<missing>");
}

} // namespace purimo::test
