#pragma once
// What the windows of one program run share: its title, its folder, its settings key, and the
// error box through which every error that reaches the event loop is shown.
#include <functional>
#include <string>

namespace purimo {

struct AppContext {
    std::wstring programFolder; // with a trailing separator
    std::wstring settingsKey;   // below HKEY_CURRENT_USER
};

constexpr const wchar_t* kAppTitle = L"プリモ";
constexpr const wchar_t* kSettingsKey = L"Software\\Sorano\\PurimoManage";

// The folder of the running executable, with its trailing separator.
std::wstring ExecutableFolder();
AppContext DefaultAppContext();

// Replaces the message box, so that tests can read what the user would be shown. Returns the
// previous one; an empty function restores the message box.
using ErrorBoxHandler = std::function<void(const std::string& text)>;
ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler);

// Shows the application's error box: caption the title, error icon, OK.
void ShowErrorBox(const std::string& message);

// The application's information box (caption the title, information icon, OK), with a seam of its
// own for the tests like the error box's.
ErrorBoxHandler SetInfoBoxHandler(ErrorBoxHandler handler);
void ShowInfoBox(const std::string& message);

// The hourglass for the whole application while it lives.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace purimo
