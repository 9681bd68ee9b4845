#include <windows.h>

#include <algorithm>

#include "widgets/Modal.h"
#include "widgets/MessageLoop.h"

namespace purimo {

void RunModal(HWND dialog, HWND owner, const std::function<void()>& shown, const std::function<bool()>& showing,
              const std::function<bool(const MSG&)>& preview) {
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    if (shown)
        shown();
    MSG msg;
    while (showing()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the main loop gets the word too.
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (preview && preview(msg))
            continue;
        DispatchThroughPreview(msg);
    }
    EndModal(dialog, owner);
}

void EndModal(HWND dialog, HWND owner) {
    // The owner comes back first, so that it, and not another program, becomes active again.
    if (owner != nullptr)
        EnableWindow(owner, TRUE);
    if (dialog != nullptr && IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_HIDE);
        if (owner != nullptr)
            SetActiveWindow(owner);
    }
}

bool ModalForm::PaintContent(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

void ModalForm::ShowModally(const std::function<void()>& shown, const std::function<bool(const MSG&)>& preview) {
    modal_ = true;
    RunModal(Hwnd(), owner_, shown, [this] { return modal_; }, preview);
    modal_ = false;
}

void ModalForm::CreateOverOwner(const wchar_t* className, DWORD style, int clientWidth, int clientHeight,
                                const wchar_t* title, HFONT font) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT over{};
    GetWindowRect(owner_, &over);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    const int x = std::max<int>(work.left, std::min<int>(over.left + (over.right - over.left - width) / 2, work.right - width));
    const int y = std::max<int>(work.top, std::min<int>(over.top + (over.bottom - over.top - height) / 2, work.bottom - height));
    CreateWindowOf(className, 0, style, x, y, width, height, owner_, nullptr, title);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

LRESULT ModalForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        modal_ = false;
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}

} // namespace purimo
