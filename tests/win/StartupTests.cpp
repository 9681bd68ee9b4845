// Start-up, settings and closing of the main window.
#include <windows.h>

#include <regex>

#include "FormFixture.h"
#include "month/Calendar.h"
#include "widgets/WinText.h"

namespace purimo::test {

using StartupTest = FormFixture;

TEST_F(StartupTest, FirstStartShowsTheCurrentMonthAndCloseWritesTheSettings) {
    Start();
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Caption(), L"プリモ  [for Version 1.0.0.1]");
    RECT r = WindowRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    RECT client;
    GetClientRect(form_->Hwnd(), &client);
    EXPECT_EQ(client.bottom, 585);

    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(form_->ShownYear(), now.wYear);
    EXPECT_EQ(form_->ShownMonth(), now.wMonth);
    EXPECT_EQ(form_->pnlYear().Caption(), FormatTwoDigits(now.wYear));
    EXPECT_EQ(form_->pnlMonth().Caption(), FormatTwoDigits(now.wMonth));
    EXPECT_EQ(form_->pnlGuide().Caption(), "※凡例：×(生理), △(不正出血), ＋(おりもの), ◎(性交)");
    EXPECT_TRUE(form_->pnlDate().Caption().empty()) << "the clock waits for its first tick";
    EXPECT_EQ(form_->Grid().Cell(0, 1), "周  期");
    EXPECT_EQ(form_->Grid().Cell(0, 4), "メ  モ");
    EXPECT_EQ(form_->Layout().ColWidth(0), 50);
    EXPECT_EQ(form_->Layout().RowHeight(4), 165);
    EXPECT_EQ(GetFileAttributesW(ClientFolder().c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(splash_->Title(), "アプリケーションを起動中です。");
    EXPECT_FALSE(IsWindowVisible(splash_->Hwnd()));
    RECT splash;
    GetClientRect(splash_->Hwnd(), &splash);
    EXPECT_EQ(splash.right, 385);
    EXPECT_EQ(splash.bottom, 80);
    EXPECT_EQ(GetWindowLongPtrW(splash_->Hwnd(), GWL_STYLE) & WS_SYSMENU, 0) << "no buttons in its caption";
    wchar_t splashCaption[64] = {};
    GetWindowTextW(splash_->Hwnd(), splashCaption, 64);
    EXPECT_STREQ(splashCaption, L"しばらくおまちください…");
    EXPECT_EQ(GetFocus(), form_->gridMain().Hwnd());
    EXPECT_FALSE(form_->MarksChecked());

    ASSERT_TRUE(Close());
    DWORD type = 0;
    EXPECT_EQ(ReadSetting(L"Windows", L"Left", &type), L"0");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadSetting(L"Windows", L"Top"), L"0");
    EXPECT_EQ(ReadSetting(L"Options", L"Marker", &type), L"0");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    std::string month = FormatTwoDigits(now.wYear) + FormatTwoDigits(now.wMonth);
    EXPECT_NE(ReadFileBytes(MonthPath(month)), "<missing>") << "showing a month and leaving it writes its file";
}

TEST_F(StartupTest, StoredPositionAndMarksAreRestoredAndWrittenBack) {
    WriteSetting(L"Windows", L"Left", L"-3000");
    WriteSetting(L"Windows", L"Top", L"-3000");
    WriteSetting(L"Options", L"Marker", L"2");
    Start();
    // Saved on a monitor that is gone: the window comes whole onto the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(form_->Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT window = WindowRect();
    EXPECT_EQ(window.left, monitor.rcWork.left);
    EXPECT_EQ(window.top, monitor.rcWork.top);
    EXPECT_LE(window.right, monitor.rcWork.right);
    EXPECT_LE(window.bottom, monitor.rcWork.bottom);
    EXPECT_EQ(ReadSetting(L"Windows", L"Left"), L"-3000") << "until the window is closed";
    EXPECT_TRUE(form_->MarksChecked()) << "any number other than 0 is true";
    EXPECT_TRUE(form_->chartMain().Model().SeriesAt(0).MarksVisible());

    SetWindowPos(form_->Hwnd(), nullptr, 120, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    form_->menuSettingMarksClick();
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadSetting(L"Windows", L"Left"), L"120");
    EXPECT_EQ(ReadSetting(L"Windows", L"Top"), L"70");
    EXPECT_EQ(ReadSetting(L"Options", L"Marker"), L"0");
}

TEST_F(StartupTest, ClosingWhileMinimisedKeepsThePlaceOnTheScreen) {
    Start();
    SetWindowPos(form_->Hwnd(), nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(form_->Hwnd(), SW_MINIMIZE);
    Pump();
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadSetting(L"Windows", L"Left"), L"150");
    EXPECT_EQ(ReadSetting(L"Windows", L"Top"), L"90");
}

TEST_F(StartupTest, TextsThatAreNoNumbersCountAsTheDefault) {
    WriteSetting(L"Windows", L"Left", L"abc");
    WriteSetting(L"Options", L"Marker", L"yes");
    Start();
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(WindowRect().left, 0);
    EXPECT_FALSE(form_->MarksChecked());
}

TEST_F(StartupTest, ValueOfAnotherTypeStopsTheSettingsThatFollow) {
    WriteSetting(L"Windows", L"Left", L"300");
    WriteDwordSetting(L"Windows", L"Top", 50);
    WriteSetting(L"Options", L"Marker", L"1");
    Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "'Top' のデータ型が不正です.");
    EXPECT_EQ(WindowRect().left, 300);
    EXPECT_EQ(WindowRect().top, 165) << "the design-time top edge stays";
    EXPECT_FALSE(form_->MarksChecked()) << "the marks setting after the bad value is not applied";
    EXPECT_EQ(GetFileAttributesW(ClientFolder().c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(StartupTest, SettingsKeyThatCannotBeMadeIsReportedAndKeepsTheWindowOpen) {
    // A key name longer than the registry allows cannot be created.
    key_ += L"\\" + std::wstring(300, L'k');
    Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0].rfind("キー Software", 0), 0u) << errors_[0];
    EXPECT_NE(errors_[0].find("の作成に失敗しました."), std::string::npos);
    EXPECT_EQ(WindowRect().left, 214) << "the design-time position stays";

    EXPECT_FALSE(Close()) << "closing is refused while the settings cannot be written";
    EXPECT_EQ(errors_.size(), 2u);
    EXPECT_NE(ReadFileBytes(MonthPath(form_->pnlYear().Caption() + form_->pnlMonth().Caption())), "<missing>")
        << "the month was saved before the settings";
}

TEST_F(StartupTest, ClockShowsDateWeekdayAndTime) {
    Start();
    form_->Timer1Timer();
    std::wstring clock = Widen(form_->pnlDate().Caption());
    EXPECT_TRUE(std::regex_match(clock, std::wregex(LR"(\d{4}/\d\d/\d\d \[[月火水木金土日]曜日\] \d\d:\d\d:\d\d)")))
        << Narrow(clock);
}

TEST_F(StartupTest, ExitMenuClosesLikeTheCloseButton) {
    Start();
    form_->menuFileExitClick();
    Pump();
    EXPECT_EQ(form_->Hwnd(), nullptr);
    EXPECT_EQ(ReadSetting(L"Options", L"Marker"), L"0");
}

} // namespace purimo::test
