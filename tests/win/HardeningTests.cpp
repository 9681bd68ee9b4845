// Faults from outside the program: earlier backups in the way, month files that this program did not
// write, settings of every registry type, a lost mouse capture, a task bar at the top, a start-up
// error, errors in any window of the program, and many month switches in one run.
#include <windows.h>

#include <algorithm>

#include <cstdio>
#include <random>
#include <vector>

#include "FormFixture.h"
#include "HelperProcess.h"
#include "app/Application.h"
#include "common/Errors.h"
#include "month/MonthGrid.h"
#include "output/About.h"
#include "output/WindowImage.h"
#include "widgets/Handles.h"
#include "widgets/WinText.h"

namespace purimo::test {

class HardeningTest : public FormFixture {
protected:
    // Shows April 2026 from a file with the given bytes and leaves it, so that the file is saved.
    void LoadAndLeaveApril(const std::string& bytes) {
        WriteFileBytes(MonthPath("202604"), bytes);
        form_->Set_ChangeCalender(2026, 4);
        ClickButton(form_->btnNext());
    }
};

TEST_F(HardeningTest, EarlierBackupsThatCannotBeReplacedStayAndTheNewCopyTakesTheNextName) {
    Start();
    const std::string longFile = kAprilFile + "fifth line\r\n";
    WriteFileBytes(MonthPath("202604") + L".bak", "first copy");
    SetFileAttributesW((MonthPath("202604") + L".bak").c_str(), FILE_ATTRIBUTE_READONLY);
    {
        LockedFile lock(MonthPath("202604") + L".bak.2");
        LoadAndLeaveApril(longFile);
        EXPECT_TRUE(errors_.empty()) << errors_[0];
        EXPECT_EQ(form_->ShownMonth(), 5);
    }
    SetFileAttributesW((MonthPath("202604") + L".bak").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), "first copy");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak.2"), "");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak.3"), longFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604")).find("fifth"), std::string::npos);

    // The next load that drops text again leaves one more copy.
    ClickButton(form_->btnPrev());
    LoadAndLeaveApril(longFile);
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak.4"), longFile);
    EXPECT_TRUE(Close());
}

TEST_F(HardeningTest, WhatASaveWouldDropIsCopiedFirst) {
    Start();
    std::string beyondLastDay = kAprilFile;
    beyondLastDay.insert(beyondLastDay.find("\r\n\"体"), std::string(30, ',') + "day 31");
    for (const std::string& file : {kAprilFile + "\r\nafter an empty line\r\n", beyondLastDay}) {
        DeleteFileW((MonthPath("202604") + L".bak").c_str());
        LoadAndLeaveApril(file);
        EXPECT_TRUE(errors_.empty());
        EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), file);
        ClickButton(form_->btnPrev());
    }
    // Blank lines after the fourth hold nothing to lose.
    DeleteFileW((MonthPath("202604") + L".bak").c_str());
    LoadAndLeaveApril(kAprilFile + "\r\n \r\n\x1A");
    EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), "<missing>");
}

TEST_F(HardeningTest, HugeAndCorruptMonthFilesOpenWithinBoundedMemoryAndAreKept) {
    Start();
    std::mt19937 random(7);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string fourNoisyLines;
    for (int i = 0; i < 4; ++i)
        fourNoisyLines += "\"x\"," + noise.substr(static_cast<size_t>(i) * 300, 300) + "\r\n";
    std::string millionLines;
    for (int i = 0; i < 1000000; ++i)
        millionLines += "\"周  期\",1,2\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"a 64 MiB temperature line",
         "\"周  期\",1\r\n\"体  温\",36.5" + std::string(64 << 20, '7') + "\r\n\"変  化\",x\r\n\"メ  モ\",m\r\n"},
        {"a 64 MiB line of fields", "\"周  期\",1\r\n\"体  温\"" + std::string(64 << 20, ',')},
        {"a million lines", millionLines},
        {"binary noise", noise},
        {"four lines of binary noise", fourNoisyLines},
    };
    for (const auto& [what, file] : cases) {
        WriteFileBytes(MonthPath("202604"), file);
        // Memory is measured in a process of its own, where no earlier test has raised the peak.
        HelperProcess reader(L"load \"" + MonthPath("202604") + L"\"");
        const long grownKiB = reader.ExitCode(60000);
        std::printf("%s: read with the peak working set %ld KiB above the start\n", what, grownKiB);
        EXPECT_GE(grownKiB, 0) << what;
        EXPECT_LT(grownKiB, 16 * 1024) << what;

        errors_.clear();
        bool loaded = true;
        try {
            form_->Set_ChangeCalender(2026, 4);
        } catch (const AppError&) {
            // fewer than four lines: reported to the user by the caller
            loaded = false;
        }
        EXPECT_EQ(form_->pnlMonth().Caption(), "04");
        ClickButton(form_->btnNext());
        EXPECT_EQ(form_->ShownMonth(), 5) << what << (errors_.empty() ? "" : ": " + errors_.back());
        if (!loaded) {
            EXPECT_TRUE(ReadFileBytes(MonthPath("202604")) == file) << what << " failed to load and is left as it was";
            ClickButton(form_->btnPrev());
            continue;
        }
        EXPECT_TRUE(ReadFileBytes(MonthPath("202604") + L".bak") == file) << what << " is kept whole";
        ASSERT_TRUE(DeleteFileW((MonthPath("202604") + L".bak").c_str()));
        ClickButton(form_->btnPrev());
        ClickButton(form_->btnNext());
        EXPECT_EQ(ReadFileBytes(MonthPath("202604") + L".bak"), "<missing>") << what << ": what was saved loads whole";
        ClickButton(form_->btnPrev());
    }
    EXPECT_TRUE(Close());
}

TEST_F(HardeningTest, SettingsOfEveryRegistryTypeOpenTheWindow) {
    struct Value {
        DWORD type;
        std::string data;
        bool isText;
    };
    const std::wstring text = L"12";
    const std::string textBytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
    const Value values[] = {
        {REG_NONE, "", false},
        {REG_SZ, textBytes, true},
        {REG_SZ, "", true},
        {REG_SZ, "\x31\x00\x32", true}, // an odd size and no terminator
        {REG_SZ, std::string(100000, '\x31'), true},
        {REG_EXPAND_SZ, textBytes, true},
        {REG_BINARY, "\x01\x02\x03", false},
        {REG_DWORD, std::string("\x0C\x00\x00\x00", 4), false},
        {REG_DWORD_BIG_ENDIAN, std::string("\x00\x00\x00\x0C", 4), false},
        {REG_LINK, textBytes, false},
        {REG_MULTI_SZ, textBytes + std::string(2, '\0'), false},
        {REG_RESOURCE_LIST, "\x01", false},
        {REG_FULL_RESOURCE_DESCRIPTOR, "\x01", false},
        {REG_RESOURCE_REQUIREMENTS_LIST, "\x01", false},
        {REG_QWORD, std::string(8, '\x0C'), false},
        {0x12345678, "unknown type", false},
    };
    const std::pair<const wchar_t*, const wchar_t*> settings[] = {
        {L"Windows", L"Left"}, {L"Windows", L"Top"}, {L"Options", L"Marker"}};
    for (const auto& [section, name] : settings) {
        for (const Value& value : values) {
            std::wstring path = key_ + L"\\" + section;
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, value.type, value.data.data(),
                                      static_cast<DWORD>(value.data.size())),
                      ERROR_SUCCESS);
            errors_.clear();
            Start();
            std::string context = Narrow(std::wstring(name)) + " of type " + std::to_string(value.type);
            if (value.isText) {
                EXPECT_TRUE(errors_.empty()) << context;
            } else {
                ASSERT_EQ(errors_.size(), 1u) << context;
                EXPECT_EQ(errors_[0], "'" + Narrow(std::wstring(name)) + "' のデータ型が不正です.") << context;
            }
            EXPECT_TRUE(Close()) << context;
            DWORD type = 0;
            ReadSetting(section, name, &type);
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << context << ": written back as text";
            memo_.reset();
            form_.reset();
            splash_.reset();
        }
    }
}

TEST_F(HardeningTest, PressOfAPagingButtonEndsWhenAnotherWindowTakesTheMouse) {
    Start();
    form_->Set_ChangeCalender(2026, 4);
    PictureButton& next = form_->btnNext();
    SendMessageW(next.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(next.Pressed());
    // As Alt+Tab does: another window takes the capture while the button is held.
    SetCapture(form_->Hwnd());
    EXPECT_FALSE(next.Pressed());
    ReleaseCapture();
    SendMessageW(next.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(form_->ShownMonth(), 4) << "a release without a press is no click";

    ClickButton(next);
    EXPECT_EQ(form_->ShownMonth(), 5);
}

TEST_F(HardeningTest, MinimisedWindowKeepsItsPlaceWithATaskBarAtTheTopOrLeft) {
    struct WorkAreaScope {
        RECT original{};
        WorkAreaScope() { SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0); }
        ~WorkAreaScope() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0); }
    } scope;
    const RECT original = scope.original;
    const RECT workAreas[] = {{original.left, original.top + 40, original.right, original.bottom},
                              {original.left + 60, original.top, original.right, original.bottom}};
    for (const RECT& workArea : workAreas) {
        RECT area = workArea;
        SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0);
        Start();
        SetWindowPos(form_->Hwnd(), nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(form_->Hwnd(), SW_MINIMIZE);
        Pump();
        ASSERT_TRUE(IsIconic(form_->Hwnd()));
        EXPECT_TRUE(Close());
        EXPECT_EQ(ReadSetting(L"Windows", L"Left"), L"100");
        EXPECT_EQ(ReadSetting(L"Windows", L"Top"), L"200");
        memo_.reset();
        form_.reset();
        splash_.reset();
    }
}

TEST_F(HardeningTest, StartUpErrorIsShownOnlyOnceTheWaitWindowIsGone) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char name[16];
    std::snprintf(name, sizeof name, "%04d%02d", now.wYear, now.wMonth);
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    LockedFile lock(MonthPath(name));
    std::vector<bool> waitWindowShown;
    SetErrorBoxHandler([this, &waitWindowShown](const std::string& text) {
        errors_.push_back(text);
        waitWindowShown.push_back(splash_ && IsWindowVisible(splash_->Hwnd()));
    });
    Start();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "I/O エラー (32)");
    EXPECT_FALSE(waitWindowShown[0]);
    EXPECT_TRUE(IsWindowVisible(form_->Hwnd()));
}

TEST_F(HardeningTest, ErrorInAnyWindowOfTheProgramReachesTheErrorBox) {
    Start();
    TAboutForm about(form_->Hwnd());
    // Controls of the system inside the main window and inside the memo dialog, a widget of ours,
    // the dialogs that the main window owns (not its children) with what stands on them, and the
    // wait window, which belongs to no other window.
    const std::vector<HWND> windows = {form_->cmbTemp().Hwnd(),
                                       form_->spinEdit().Edit(),
                                       form_->gridMain().Hwnd(),
                                       memo_->Hwnd(),
                                       memo_->editTitle(),
                                       about.Hwnd(),
                                       GetWindow(about.Hwnd(), GW_CHILD),
                                       splash_->Hwnd()};
    for (HWND hwnd : windows) {
        ASSERT_NE(hwnd, nullptr);
        EXPECT_FALSE(Guarded(hwnd, [] { throw IoError(32); }));
    }
    EXPECT_EQ(errors_, std::vector<std::string>(windows.size(), "I/O エラー (32)"));
}

TEST_F(HardeningTest, ThousandMonthSwitchesKeepMemoryAndHandlesFlat) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    auto switchMonths = [this](int count) {
        for (int i = 0; i < count; ++i) {
            ClickButton(i % 2 == 0 ? form_->btnNext() : form_->btnPrev());
            if (i % 3 == 0)
                form_->Grid().SetCell(1 + i % 28, kRowTemperature, "36.5");
            RedrawWindow(form_->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            if (i % 10 == 0)
                CaptureWindowImage(form_->Hwnd());
        }
    };
    // The private memory after each of 20 more switches, the least of them: Wine keeps one freed
    // window image now and then for the next, which is no leak; a leak raises every sample.
    auto settledPrivateBytes = [&] {
        SIZE_T least = PrivateBytes();
        for (int i = 0; i < 20; ++i) {
            switchMonths(2);
            least = std::min(least, PrivateBytes());
        }
        return least;
    };
    // The first switches fill caches of the system's (fonts, GDI, Wine's heaps) that then stay: under
    // Wine the heap takes its last step within the first few hundred.
    switchMonths(300);
    const SIZE_T privateBefore = settledPrivateBytes();
    const DWORD handlesBefore = KernelHandleCount();
    const long liveBefore = LiveHandleCount();
    switchMonths(1000);
    const SIZE_T privateAfter = settledPrivateBytes();
    const DWORD handlesAfter = KernelHandleCount();
    std::printf("1000 month switches: private memory %zu KiB -> %zu KiB, handles %lu -> %lu, GDI objects of ours "
                "%ld -> %ld\n",
                static_cast<size_t>(privateBefore / 1024), static_cast<size_t>(privateAfter / 1024), handlesBefore, handlesAfter, liveBefore, LiveHandleCount());
    EXPECT_LT(privateAfter, privateBefore + (SIZE_T{1} << 20));
    EXPECT_LE(handlesAfter, handlesBefore + 2);
    EXPECT_EQ(LiveHandleCount(), liveBefore);
    EXPECT_TRUE(errors_.empty());
}

} // namespace purimo::test
