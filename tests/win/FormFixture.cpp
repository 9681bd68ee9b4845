#include <windows.h>
#include <shellapi.h>

#include "FormFixture.h"
#include "widgets/MessageLoop.h"
#include "widgets/Handles.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {
int fixtureCount = 0;
}

std::string ReadFileBytes(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr));
    if (!file)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        DispatchThroughPreview(msg);
    }
}

void FormFixture::SetUp() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Wine hands out process numbers again, and a folder that an earlier test could not remove
    // (it was that process's current folder) may bear this test's name: each test takes a folder
    // that it made itself, so that nothing of another test is in it.
    std::wstring unique;
    do {
        unique = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++fixtureCount);
        folder_ = std::wstring(temp) + L"purimo-test-" + unique + L"\\";
    } while (!CreateDirectoryW(folder_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    key_ = L"Software\\PurimoTests\\" + unique;
    keyRoot_ = key_;
    SetErrorBoxHandler([this](const std::string& text) { errors_.push_back(text); });
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    startFolder_ = here;
}

void FormFixture::TearDown() {
    if (form_ && form_->Hwnd() != nullptr) {
        // Leave without saving: the test is over.
        SetErrorBoxHandler([](const std::string&) {});
        DestroyWindow(form_->Hwnd());
    }
    memo_.reset();
    form_.reset();
    splash_.reset();
    Pump();
    SetErrorBoxHandler(nullptr);
    // A file dialog moves the process into the folder it was left in; a folder that is some
    // process's current folder cannot be removed.
    SetCurrentDirectoryW(startFolder_.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, keyRoot_.c_str());
    std::wstring from = folder_;
    from.pop_back();
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

void FormFixture::Start() {
    form_ = std::make_unique<TMainForm>(AppContext{folder_, key_});
    form_->Create();
    // Without its window (no display to be had) every later step would pass by in silence.
    ASSERT_NE(form_->Hwnd(), nullptr) << "the main window could not be made, error " << GetLastError();
    splash_ = std::make_unique<TSplashForm>();
    memo_ = std::make_unique<TComEditForm>(form_->Hwnd());
    form_->SetSplash(splash_.get());
    form_->SetMemoDialog(memo_.get());
    form_->Show(SW_SHOWNOACTIVATE);
    Pump();
}

void FormFixture::ClickButton(PictureButton& button) {
    SendMessageW(button.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
}

bool FormFixture::Close() {
    bool closed = form_->RequestClose();
    Pump();
    return closed;
}

std::wstring FormFixture::MonthPath(const std::string& yyyymm) const {
    return ClientFolder() + Widen(yyyymm) + L".dat";
}

std::wstring FormFixture::ReadSetting(const wchar_t* section, const wchar_t* name, DWORD* type) const {
    std::wstring path = key_ + L"\\" + section;
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer);
    DWORD valueType = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY, &valueType, buffer, &size) != ERROR_SUCCESS)
        valueType = 0;
    if (type != nullptr)
        *type = valueType;
    return valueType == REG_SZ ? std::wstring(buffer) : std::wstring();
}

void FormFixture::WriteSetting(const wchar_t* section, const wchar_t* name, const std::wstring& text) {
    std::wstring path = key_ + L"\\" + section;
    RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void FormFixture::WriteDwordSetting(const wchar_t* section, const wchar_t* name, DWORD value) {
    std::wstring path = key_ + L"\\" + section;
    RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof(value));
}

Rect FormFixture::MainMonitor() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(form_->Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& m = monitor.rcMonitor;
    return Rect{m.left, m.top, m.right, m.bottom};
}

RECT FormFixture::WindowRect() const {
    RECT r{};
    GetWindowRect(form_->Hwnd(), &r);
    return r;
}

std::wstring FormFixture::Caption() const {
    wchar_t text[256] = {};
    GetWindowTextW(form_->Hwnd(), text, 256);
    return text;
}

} // namespace purimo::test
