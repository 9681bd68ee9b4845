#include <windows.h>
#include <psapi.h>

#include "HelperProcess.h"
#include "app/Application.h"

namespace purimo::test {

HelperProcess::HelperProcess(const std::wstring& arguments)
    : HelperProcess(ExecutableFolder() + L"month_file_helper.exe", arguments) {}

HelperProcess::HelperProcess(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Wine now and then fails a start while the process killed just before is still going away:
    // the start is tried again a few times before the test is told.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                           &startup, &process_))
            return;
        startError_ = GetLastError();
        process_ = {};
        Sleep(100);
    }
}

HelperProcess::~HelperProcess() {
    if (!Started())
        return;
    Kill();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void HelperProcess::Kill() {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, INFINITE);
}

long HelperProcess::ExitCode(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

DWORD KernelHandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return count;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

} // namespace purimo::test
