#include <windows.h>

#include "DialogAnswer.h"

namespace purimo::test {

namespace {

struct Search {
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (*search->title != text)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND FindOwnWindow(const std::wstring& title) {
    Search search{&title, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PostButtonClick(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void WaitUntilSettled(HWND window) {
    RECT last{};
    GetWindowRect(window, &last);
    for (int i = 0; i < 50; ++i) {
        Sleep(100);
        RECT now{};
        GetWindowRect(window, &now);
        if (EqualRect(&now, &last))
            return;
        last = now;
    }
}

DialogAnswer::DialogAnswer(std::wstring title, std::function<void(HWND)> action)
    : title_(std::move(title)), action_(std::move(action)) {
    // A thread of Win32's own: <thread> cannot be compiled with the program's character set.
    thread_ = CreateThread(nullptr, 0, &DialogAnswer::Run, this, 0, nullptr);
}

DWORD WINAPI DialogAnswer::Run(void* param) {
    auto* self = static_cast<DialogAnswer*>(param);
    ULONGLONG until = GetTickCount64() + 30000;
    while (!self->stop_ && GetTickCount64() < until) {
        HWND window = FindOwnWindow(self->title_);
        if (window != nullptr) {
            WaitUntilSettled(window);
            GetWindowRect(window, &self->rect_);
            self->found_ = true;
            self->action_(window);
            return 0;
        }
        Sleep(50);
    }
    return 0;
}

DialogAnswer::~DialogAnswer() {
    stop_ = true;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

} // namespace purimo::test
