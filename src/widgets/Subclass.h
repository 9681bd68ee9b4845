#pragma once
// Lets an object see a system control's messages before the control does.
#include <windows.h>

#include <functional>
#include <optional>

namespace purimo {

class Subclass {
public:
    // The handler's answer ends the message; nothing lets the control handle it as usual.
    using Handler = std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp)>;

    Subclass() = default;
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    void Attach(HWND hwnd, Handler handler);
    // The control's own handling of a message.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) const;

private:
    void Detach();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    Handler handler_;
};

} // namespace purimo
