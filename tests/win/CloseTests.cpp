// Closing the window while an in-place editor is open, as a user or the system closes it: the
// editor's value is what the month file holds afterwards. Input goes to the windows under the
// screen points, and the close request comes from another process.
#include <windows.h>

#include "FormFixture.h"

namespace purimo::test {


class CloseTest : public FormFixture {
protected:
    void StartOn(unsigned short year, unsigned short month) {
        Start();
        form_->Set_ChangeCalender(year, month);
        Pump();
    }
    // A left click on the screen point of day col's cell of row, given to the window under it.
    void ClickCell(int col, int row) {
        Rect r = form_->gridMain().CellRect(col, row);
        POINT at{kGridBorder + r.left + 5, kGridBorder + r.top + 5};
        ClientToScreen(form_->gridMain().Hwnd(), &at);
        HWND under = WindowFromPoint(at);
        ASSERT_NE(under, nullptr);
        ScreenToClient(under, &at);
        PostMessageW(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(under, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Pump();
    }
    void PressKey(int key) {
        HWND focus = GetFocus();
        UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
        PostMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(key), 1 | (static_cast<LPARAM>(scan) << 16));
        PostMessageW(focus, WM_KEYUP, static_cast<WPARAM>(key), 1 | (static_cast<LPARAM>(scan) << 16) | (3u << 30));
        Pump();
    }
    void TypeChar(wchar_t ch) {
        PostMessageW(GetFocus(), WM_CHAR, ch, 1);
        Pump();
    }
    // The system's taskkill without /F, as a log-off or another program closes a program: it sends
    // WM_CLOSE to each top-level window of this process, the lists' pop-ups among them.
    bool CloseFromAnotherProcess() {
        std::wstring command = L"taskkill.exe /PID " + std::to_wstring(GetCurrentProcessId());
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                   &startup, &process));
        for (int i = 0; i < 500 && MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT) != WAIT_OBJECT_0;
             ++i)
            Pump();
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        for (int i = 0; i < 50 && form_->Hwnd() != nullptr; ++i) {
            Sleep(10);
            Pump();
        }
        return form_->Hwnd() == nullptr;
    }
    // A line of April's file with one day's text and every other day empty.
    static std::string AprilLine(const char* label, int day, const std::string& text) {
        std::string line = std::string("\"") + label + "\"";
        for (int d = 1; d <= 30; ++d)
            line += "," + (d == day ? text : std::string());
        return line;
    }
    std::string MonthLine(const std::string& yyyymm, int line) {
        std::string bytes = ReadFileBytes(MonthPath(yyyymm));
        size_t at = 0;
        for (int i = 0; i < line; ++i)
            at = bytes.find("\r\n", at) + 2;
        return bytes.substr(at, bytes.find("\r\n", at) - at);
    }
};

TEST_F(CloseTest, TemperatureListOpenWhenClosedFromOutsideStoresThePick) {
    StartOn(2026, 4);
    ClickCell(3, kRowTemperature);
    ASSERT_TRUE(form_->cmbTemp().Visible());
    for (int i = 0; i < 12; ++i)
        PressKey(VK_UP);
    ASSERT_TRUE(CloseFromAnotherProcess());
    EXPECT_EQ(MonthLine("202604", 1), AprilLine("体  温", 3, "36.6"));
}

TEST_F(CloseTest, DroppedDownTemperatureListStoresThePick) {
    StartOn(2026, 4);
    ClickCell(3, kRowTemperature);
    PressKey(VK_F4);
    for (int i = 0; i < 12; ++i)
        PressKey(VK_UP);
    ASSERT_TRUE(CloseFromAnotherProcess());
    EXPECT_EQ(MonthLine("202604", 1), AprilLine("体  温", 3, "36.6"));
}

TEST_F(CloseTest, MarkListOpenWhenClosedStoresThePick) {
    StartOn(2026, 4);
    ClickCell(5, kRowEvent);
    PressKey(VK_F4);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    ASSERT_TRUE(CloseFromAnotherProcess());
    EXPECT_EQ(MonthLine("202604", 2), AprilLine("変  化", 5, "\"△\t\""));
}

TEST_F(CloseTest, CycleDayFieldOpenWhenClosedStoresTheTypedDay) {
    StartOn(2026, 4);
    ClickCell(2, kRowCycleDay);
    TypeChar(L'1');
    TypeChar(L'4');
    ASSERT_TRUE(CloseFromAnotherProcess());
    EXPECT_EQ(MonthLine("202604", 0), AprilLine("周  期", 2, "14"));
}

} // namespace purimo::test

namespace purimo::test {

namespace {

int menuLoops = 0;
LRESULT CALLBACK CountMenuLoops(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == WM_ENTERMENULOOP)
        ++menuLoops;
    return CallNextHookEx(nullptr, code, wp, lp);
}

} // namespace

TEST_F(CloseTest, AltArrowsPageFromAnOpenListKeepingItsPickAndOpenNoMenu) {
    StartOn(2026, 4);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &CountMenuLoops, nullptr, GetCurrentThreadId());
    menuLoops = 0;
    auto altArrow = [](int key, bool repeat) {
        HWND focus = GetFocus();
        const LPARAM alt = 1 | (1 << 29);
        if (!repeat)
            PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, alt);
        PostMessageW(focus, WM_SYSKEYDOWN, static_cast<WPARAM>(key), alt | (repeat ? (1 << 30) : 0));
    };
    // The system reports Alt's release as WM_SYSKEYUP or, after another key, as WM_KEYUP.
    auto releaseAlt = [](UINT message) {
        PostMessageW(GetFocus(), message, VK_MENU, 1 | (3u << 30));
        // Had the menu bar opened, these would close it again.
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        Pump();
    };
    ClickCell(3, kRowTemperature);
    PressKey(VK_F4);
    for (int i = 0; i < 12; ++i)
        PressKey(VK_UP);
    altArrow(VK_LEFT, false);
    altArrow(VK_LEFT, true);
    Pump();
    releaseAlt(WM_SYSKEYUP);
    EXPECT_EQ(form_->ShownMonth(), 3) << "a held key pages once";
    EXPECT_EQ(MonthLine("202604", 1), AprilLine("体  温", 3, "36.6"));
    altArrow(VK_RIGHT, false);
    Pump();
    releaseAlt(WM_KEYUP);
    EXPECT_EQ(form_->ShownMonth(), 4);
    EXPECT_EQ(form_->Grid().Cell(3, kRowTemperature), "36.6");
    EXPECT_EQ(menuLoops, 0) << "releasing Alt opened the menu bar";
    UnhookWindowsHookEx(hook);
}

} // namespace purimo::test
