#pragma once
// Runs the real main window against a temporary program folder and a registry key of its own,
// with the error box answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "common/Canvas.h"
#include "app/Splash.h"
#include "entry/ComEdit.h"
#include "widgets/Handles.h"

namespace purimo::test {

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// A month file of April: two days of cycle and temperature, a memo with a quote.
const std::string kAprilFile = "\"周  期\",1,2\r\n\"体  温\",36.5,36.6\r\n\"変  化\"\r\n\"メ  モ\",\"a\"\"b\"\r\n";

// Holds a file open without sharing, as another program may, for as long as it lives.
class LockedFile {
public:
    explicit LockedFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr)) {
        EXPECT_TRUE(handle_) << "the file to hold could not be opened, error " << GetLastError();
    }

private:
    FileHandle handle_;
};

// Handles the messages waiting in this thread's queue.
void Pump();

class FormFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window and the wait window and shows the main window, as at start-up.
    void Start();
    // Presses and releases the mouse button on a paging button, through its window.
    void ClickButton(PictureButton& button);
    // Asks the window to close; true when it closed.
    bool Close();

    std::wstring ClientFolder() const { return folder_ + L"client\\"; }
    std::wstring MonthPath(const std::string& yyyymm) const;
    std::wstring SettingsPath() const { return key_; }
    // Value of a setting and its registry type; type 0 when it is missing.
    std::wstring ReadSetting(const wchar_t* section, const wchar_t* name, DWORD* type = nullptr) const;
    void WriteSetting(const wchar_t* section, const wchar_t* name, const std::wstring& text);
    void WriteDwordSetting(const wchar_t* section, const wchar_t* name, DWORD value);
    RECT WindowRect() const;
    // The monitor the main window stands on, where its dialogs are placed.
    Rect MainMonitor() const;
    std::wstring Caption() const;

    std::wstring folder_;
    std::wstring startFolder_; // the process's current folder when the test began
    std::wstring key_;
    std::wstring keyRoot_; // removed with everything below it when the test ends
    std::vector<std::string> errors_;
    std::unique_ptr<TMainForm> form_;
    std::unique_ptr<TSplashForm> splash_;
    std::unique_ptr<TComEditForm> memo_;
};

} // namespace purimo::test
