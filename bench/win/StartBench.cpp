// Starts programs the way the user's shell does and times each to its first idle moment: the
// message loop waiting with every window painted (WaitForInputIdle), which for the diary is the
// current month on the screen. Also reads the resident memory at that moment. The programs are
// started in turns, so that each run of one stands beside a run of the other on the same machine.
//   start_bench.exe [--close] RUNS EXE...
// prints one line a run: "<exe> <milliseconds> <resident KiB> <caption>". The program is then
// ended, or with --close asked to close as the user would, so that it saves what it shows.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Found {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lp) {
    auto* found = reinterpret_cast<Found*>(lp);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == found->process && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr &&
        GetWindowTextLengthW(hwnd) > 0) {
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        // The wait window comes and goes during the start; the main window is the one that stays.
        if (std::wstring(name) != L"PurimoSplash") {
            found->window = hwnd;
            return FALSE;
        }
    }
    return TRUE;
}

bool RunOnce(const std::wstring& exe, bool close) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency;
    LARGE_INTEGER from;
    LARGE_INTEGER to;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&from);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %ls: error %lu\n", exe.c_str(), GetLastError());
        return false;
    }
    // Wine may report a new process idle before its first window exists (once it has waited for a
    // message early in its start): the start ends when the main window stands and the process is
    // idle with it.
    DWORD idle = WaitForInputIdle(process.hProcess, 60000);
    LARGE_INTEGER firstIdle;
    QueryPerformanceCounter(&firstIdle);
    Found found{process.dwProcessId, nullptr};
    for (int wait = 0; idle == 0 && wait < 30000; ++wait) {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window != nullptr)
            break;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            std::fprintf(stderr, "%ls ended with code %lu before its window stood\n", exe.c_str(), code);
            idle = WAIT_FAILED;
        }
    }
    if (found.window != nullptr) {
        // Sent messages are handled only in the message loop, after the start's own work.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(found.window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
        idle = WaitForInputIdle(process.hProcess, 60000);
    }
    QueryPerformanceCounter(&to);
    double ms = 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);

    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters));
    wchar_t caption[256] = L"-";
    if (found.window != nullptr)
        GetWindowTextW(found.window, caption, 256);
    if (close && found.window != nullptr) {
        PostMessageW(found.window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "%ls did not close\n", exe.c_str());
            idle = WAIT_TIMEOUT;
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (idle != 0) {
        std::fprintf(stderr, "%ls did not become idle (%lu)\n", exe.c_str(), idle);
        return false;
    }
    // The caption's text in UTF-8, so that the script reading this can show it.
    char text[768] = {};
    WideCharToMultiByte(CP_UTF8, 0, caption, -1, text, sizeof(text), nullptr, nullptr);
    if (std::getenv("START_BENCH_DEBUG") != nullptr)
        std::fprintf(stderr, "first idle after %.1f ms\n",
                     1000.0 * static_cast<double>(firstIdle.QuadPart - from.QuadPart) /
                         static_cast<double>(frequency.QuadPart));
    std::printf("%ls %.1f %zu %s\n", exe.c_str(), ms, static_cast<size_t>(counters.WorkingSetSize / 1024), text);
    std::fflush(stdout);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    bool close = argc > 1 && std::wstring(argv[1]) == L"--close";
    int first = close ? 2 : 1;
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: start_bench [--close] RUNS EXE...\n");
        return 2;
    }
    int runs = _wtoi(argv[first]);
    for (int run = 0; run < runs; ++run)
        for (int i = first + 1; i < argc; ++i)
            if (!RunOnce(argv[i], close))
                return 1;
    return 0;
}
