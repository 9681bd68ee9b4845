#include <windows.h>

#include "widgets/Subclass.h"
#include "widgets/Window.h"

namespace purimo {

namespace {

// Where a subclassed control keeps the object that sees its messages.
constexpr const wchar_t* kSubclassProperty = L"PurimoSubclass";

} // namespace

// The control's own window procedure is replaced and called on, without the common controls
// library: loading it at every start cost its memory for this alone.
Subclass::~Subclass() {
    Detach();
}

void Subclass::Attach(HWND hwnd, Handler handler) {
    Detach();
    hwnd_ = hwnd;
    handler_ = std::move(handler);
    SetPropW(hwnd_, kSubclassProperty, this);
    original_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::Proc)));
}

void Subclass::Detach() {
    if (hwnd_ == nullptr)
        return;
    if (IsWindow(hwnd_)) {
        // Put the control's procedure back only where nobody has replaced ours since.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == &Subclass::Proc)
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropW(hwnd_, kSubclassProperty);
    }
    hwnd_ = nullptr;
}

LRESULT Subclass::Default(UINT msg, WPARAM wp, LPARAM lp) const {
    return CallWindowProcW(original_, hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<Subclass*>(GetPropW(hwnd, kSubclassProperty));
    if (self == nullptr)
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        self->Detach();
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    std::optional<LRESULT> answer;
    // No exception crosses the window procedure; the window of ours that holds the control reports it.
    if (!Guarded(hwnd, [&] { answer = self->handler_(msg, wp, lp); }))
        return 0;
    return answer ? *answer : CallWindowProcW(self->original_, hwnd, msg, wp, lp);
}

} // namespace purimo
