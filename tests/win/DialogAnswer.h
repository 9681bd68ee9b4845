#pragma once
// Answers a modal window of this program as a user would: a thread of its own waits until the
// window is shown, then acts on it through window messages while the test's thread sits in the
// window's modal loop.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

namespace purimo::test {

class DialogAnswer {
public:
    // action runs on the answering thread with the window found; it must end the window's modal
    // loop, for example by posting a click on OK.
    DialogAnswer(std::wstring title, std::function<void(HWND)> action);
    ~DialogAnswer();
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    bool Found() const { return found_; }
    // The window's outer rectangle when it was found.
    RECT Rect() const { return rect_; }

private:
    std::wstring title_;
    std::function<void(HWND)> action_;
    std::atomic<bool> found_{false};
    std::atomic<bool> stop_{false};
    RECT rect_{};
    HANDLE thread_ = nullptr;
    static DWORD WINAPI Run(void* self);
};

// A visible top-level window of this process with this title, or nullptr.
HWND FindOwnWindow(const std::wstring& title);
// Posts a click of the push button with the id to the dialog.
void PostButtonClick(HWND dialog, int id);
// Waits until the window is visible with the same rectangle twice in a row (the system's dialogs
// move themselves once they are shown).
void WaitUntilSettled(HWND window);

} // namespace purimo::test
