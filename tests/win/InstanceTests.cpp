// Two starts of one diary: the second shows the running window and ends; a copy in another folder is
// another diary. The real program is started, as from a taskbar button and a desktop icon.
#include <windows.h>

#include <vector>

#include "FormFixture.h"
#include "HelperProcess.h"
#include "app/Application.h"

namespace purimo::test {

namespace {

struct Found {
    DWORD process;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectMainWindows(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (process == found->process && IsWindowVisible(window) && std::wstring(name) == L"TMainForm")
        found->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> MainWindowsOf(DWORD process) {
    Found found{process, {}};
    EnumWindows(&CollectMainWindows, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

HWND WaitForMainWindow(DWORD process) {
    for (int i = 0; i < 300; ++i) {
        std::vector<HWND> windows = MainWindowsOf(process);
        if (!windows.empty())
            return windows[0];
        Sleep(50);
    }
    return nullptr;
}

} // namespace

class InstanceTest : public FormFixture {
protected:
    // The program copied into a folder of this test.
    std::wstring ProgramIn(const std::wstring& name) {
        std::wstring folder = folder_ + name + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        std::wstring exe = folder + L"PurimoManage.exe";
        EXPECT_TRUE(CopyFileW((ExecutableFolder() + L"PurimoManage.exe").c_str(), exe.c_str(), FALSE));
        return exe;
    }
    static void CloseProgram(HelperProcess& program, HWND window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.ExitCode(20000), 0);
    }
};

TEST_F(InstanceTest, SecondStartOfADiaryShowsTheFirstAndEnds) {
    const std::wstring exe = ProgramIn(L"diary");
    HelperProcess first(exe, L"");
    ASSERT_TRUE(first.Started());
    HWND window = WaitForMainWindow(first.Id());
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);

    HelperProcess second(exe, L"");
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.ExitCode(20000), 0);
    EXPECT_TRUE(MainWindowsOf(second.Id()).empty());
    EXPECT_EQ(MainWindowsOf(first.Id()).size(), 1u);
    EXPECT_FALSE(IsIconic(window)) << "restored";
    EXPECT_EQ(GetForegroundWindow(), window);

    const std::wstring other = ProgramIn(L"another diary");
    HelperProcess copy(other, L"");
    HWND otherWindow = WaitForMainWindow(copy.Id());
    EXPECT_NE(otherWindow, nullptr) << "a copy in another folder starts its own";
    if (otherWindow != nullptr)
        CloseProgram(copy, otherWindow);
    CloseProgram(first, window);
}

} // namespace purimo::test
