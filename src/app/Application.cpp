#include <windows.h>

#include "app/Application.h"
#include "common/ComFunction.h"
#include "common/Errors.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {
ErrorBoxHandler errorBoxHandler;
ErrorBoxHandler infoBoxHandler;
int waitDepth = 0;
} // namespace

std::wstring ExecutableFolder() {
    std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

AppContext DefaultAppContext() {
    return AppContext{ExecutableFolder(), kSettingsKey};
}

ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler) {
    ErrorBoxHandler previous = std::move(errorBoxHandler);
    errorBoxHandler = std::move(handler);
    return previous;
}

void ShowErrorBox(const std::string& message) {
    std::string text = ErrorBoxText(message);
    if (errorBoxHandler) {
        errorBoxHandler(text);
        return;
    }
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), kAppTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

ErrorBoxHandler SetInfoBoxHandler(ErrorBoxHandler handler) {
    ErrorBoxHandler previous = std::move(infoBoxHandler);
    infoBoxHandler = std::move(handler);
    return previous;
}

void ShowInfoBox(const std::string& message) {
    if (infoBoxHandler) {
        infoBoxHandler(message);
        return;
    }
    MessageBoxW(GetActiveWindow(), Widen(message).c_str(), kAppTitle, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

WaitCursor::WaitCursor() {
    ++waitDepth;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

WaitCursor::~WaitCursor() {
    if (--waitDepth == 0) {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, p.y); // lets the window under the pointer set its own cursor again
    }
}

} // namespace purimo
