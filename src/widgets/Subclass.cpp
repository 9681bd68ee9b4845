#include <windows.h>
#include <commctrl.h>

#include "widgets/Subclass.h"
#include "widgets/Window.h"

namespace purimo {

Subclass::~Subclass() {
    if (hwnd_ != nullptr && IsWindow(hwnd_))
        RemoveWindowSubclass(hwnd_, &Subclass::Proc, 1);
}

void Subclass::Attach(HWND hwnd, Handler handler) {
    hwnd_ = hwnd;
    handler_ = std::move(handler);
    SetWindowSubclass(hwnd_, &Subclass::Proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT Subclass::Default(UINT msg, WPARAM wp, LPARAM lp) const {
    return DefSubclassProc(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Subclass*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &Subclass::Proc, 1);
        self->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    std::optional<LRESULT> answer;
    // No exception crosses the window procedure; the window of ours that holds the control reports it.
    if (!Guarded(hwnd, [&] { answer = self->handler_(msg, wp, lp); }))
        return 0;
    return answer ? *answer : DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace purimo
