// The whole diary written out as CSV through the save dialog: its settings, both encodings, the
// temporary name, failures, and months that cannot be read.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "DialogAnswer.h"
#include "FormFixture.h"
#include "common/NumberText.h"
#include "month/MonthGrid.h"
#include "output/CommonDialogs.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

using namespace std::string_literals;

constexpr const wchar_t* kCsvTitle = L"CSV ファイルに書き出し";
// March: a cycle from the 2nd, a wave dash in a memo, a mark with its TAB, a memo a spreadsheet would
// take for a formula.
const std::string kMarchFile = "\"周  期\",,1\r\n\"体  温\",,36.4,36.55\r\n\"変  化\",,×,\"△\t\"\r\n"
                               "\"メ  モ\",\"9～10時\",,\"a,b\",=1+2\r\n";

std::string Utf8Of(const std::string& cp932) {
    return Utf8(Widen(cp932));
}

std::string Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return ZeroPadded(now.wYear, 4) + ZeroPadded(now.wMonth, 2) + ZeroPadded(now.wDay, 2);
}

} // namespace

class CsvTest : public FormFixture {
protected:
    void TearDown() override {
        SetSaveDialogHandler(nullptr);
        FormFixture::TearDown();
    }
    void StartWithMarch() {
        Start();
        CreateDirectoryW(ClientFolder().c_str(), nullptr);
        WriteFileBytes(MonthPath("202603"), kMarchFile);
    }
    // The save dialog answered with the name and the file type (1: Shift-JIS, 2: UTF-8).
    void ExportTo(const std::wstring& name, DWORD type) {
        SetSaveDialogHandler([=, this](OPENFILENAMEW& ofn) {
            seenTitle_ = ofn.lpstrTitle;
            seenExtension_ = ofn.lpstrDefExt;
            seenFlags_ = ofn.Flags;
            seenName_ = ofn.lpstrFile;
            const wchar_t* end = ofn.lpstrFilter;
            while (*end != L'\0' || end[1] != L'\0')
                ++end;
            seenFilter_.assign(ofn.lpstrFilter, end + 2);
            name.copy(ofn.lpstrFile, ofn.nMaxFile - 1);
            ofn.lpstrFile[name.size()] = L'\0';
            ofn.nFilterIndex = type;
            return TRUE;
        });
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleCsv, 0);
        Pump();
    }
    std::wstring seenTitle_;
    std::wstring seenExtension_;
    std::wstring seenFilter_;
    std::wstring seenName_;
    DWORD seenFlags_ = 0;
};

TEST_F(CsvTest, DialogOffersBothTypesAndWritesShiftJisBytes) {
    StartWithMarch();
    ExportTo(folder_ + L"diary", 1);
    EXPECT_EQ(seenTitle_, kCsvTitle);
    const std::wstring filter =
        L"CSV ファイル Excel 用 Shift-JIS (*.csv)\0*.csv\0CSV ファイル UTF-8 (*.csv)\0*.csv\0\0"s;
    EXPECT_EQ(seenFilter_, filter);
    EXPECT_EQ(seenExtension_, L"csv");
    EXPECT_NE(seenFlags_ & OFN_OVERWRITEPROMPT, 0u) << "replacing a file asks first";
    EXPECT_EQ(seenName_, Widen("基礎体温_" + Today() + ".csv"));
    ASSERT_TRUE(errors_.empty()) << errors_[0];

    const std::string csv = ReadFileBytes(folder_ + L"diary.csv");
    ASSERT_NE(csv, "<missing>") << ".csv added to the bare name";
    EXPECT_EQ(csv.rfind("日付,周期,体温,変化,メモ,周期日,高温期,除外\r\n2026/03/01,,,,9～10時,,,\r\n"
                        "2026/03/02,1,36.4,×,,1,,\r\n2026/03/03,,36.5,△,\"a,b\",2,,\r\n2026/03/04,,,,'=1+2,3,,\r\n",
                        0),
              0u)
        << Utf8Of(csv.substr(0, 200));
    EXPECT_EQ(ReadFileBytes(folder_ + L"diary.csv.tmp"), "<missing>");
    EXPECT_EQ(ReadFileBytes(MonthPath("202603")), kMarchFile) << "the month file is only read";
}

TEST_F(CsvTest, Utf8FormBeginsWithItsMarkAndKeepsTheWaveDashAsWindowsReadsIt) {
    StartWithMarch();
    ExportTo(folder_ + L"diary.csv", 2);
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    const std::string csv = ReadFileBytes(folder_ + L"diary.csv");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(csv.find("2026/03/01,,,,9\xEF\xBD\x9E" "10\xE6\x99\x82,,,\r\n"), std::string::npos)
        << "U+FF5E, then 時";
    EXPECT_NE(csv.find("\xE6\x97\xA5\xE4\xBB\x98,"), std::string::npos) << "日付 in UTF-8";
}

TEST_F(CsvTest, RealDialogWritesTheChosenType) {
    StartWithMarch();
    const std::wstring name = folder_ + L"本当の書き出し";
    {
        DialogAnswer dialog(kCsvTitle, [&](HWND d) {
            HWND field = GetDlgItem(d, cmb13);
            if (field == nullptr)
                field = GetDlgItem(d, edt1);
            SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            HWND types = GetDlgItem(d, cmb1);
            SendMessageW(types, CB_SETCURSEL, 1, 0);
            SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
            PostButtonClick(d, IDOK);
        });
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleCsv, 0);
        Pump();
        ASSERT_TRUE(dialog.Found());
    }
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    EXPECT_EQ(ReadFileBytes(name + L".csv").rfind("\xEF\xBB\xBF", 0), 0u) << "the UTF-8 type";
}

TEST_F(CsvTest, FailuresKeepAnExistingFileWholeAndUnreadableMonthsAreNamed) {
    StartWithMarch();
    ExportTo(folder_ + L"no such folder\\diary.csv", 1);
    EXPECT_EQ(errors_, std::vector<std::string>{"ファイル " + Narrow(folder_) + "no such folder\\diary.csv を作成できません."});

    errors_.clear();
    WriteFileBytes(folder_ + L"kept.csv", "old");
    {
        LockedFile lock(folder_ + L"kept.csv");
        ExportTo(folder_ + L"kept.csv", 1);
    }
    EXPECT_EQ(errors_, std::vector<std::string>{"ファイル " + Narrow(folder_) + "kept.csv を作成できません."});
    EXPECT_EQ(ReadFileBytes(folder_ + L"kept.csv"), "old");

    errors_.clear();
    WriteFileBytes(MonthPath("202604"), "\"周  期\"\r\n");
    ExportTo(folder_ + L"kept.csv", 1);
    EXPECT_EQ(errors_, std::vector<std::string>{"読み込めなかった月: 2026/04."}) << "named after the file is written";
    const std::string csv = ReadFileBytes(folder_ + L"kept.csv");
    EXPECT_NE(csv.find("2026/03/31,"), std::string::npos);
    EXPECT_EQ(csv.find("2026/04/"), std::string::npos);
}

} // namespace purimo::test
