#pragma once
// The tests' second process (month_file_helper.exe beside the test executable), and the process
// figures that the tests watch.
#include <windows.h>

#include <string>

namespace purimo::test {

class HelperProcess {
public:
    explicit HelperProcess(const std::wstring& arguments);
    // Another program: exe started with arguments in its own folder.
    HelperProcess(const std::wstring& exe, const std::wstring& arguments);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    // The system's error code of the last failed start.
    DWORD StartError() const { return startError_; }
    // Ends the process at once, as a crash or a power cut would, and waits until it is gone.
    void Kill();
    // Waits for the process to end by itself; its exit code, or -1 when it did not end in time.
    long ExitCode(DWORD timeoutMs);

private:
    PROCESS_INFORMATION process_{};
    DWORD startError_ = 0;
};

// Private memory committed by this process. Wine answers 0 for the private usage and keeps the
// figure in the page-file usage instead.
SIZE_T PrivateBytes();
// Open kernel handles of this process. Wine answers 0 to GetProcessHandleCount, so the handle
// values are probed one by one there.
DWORD KernelHandleCount();

} // namespace purimo::test
