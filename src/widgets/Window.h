#pragma once
// Base of every window class of the program: the static window procedure stores `this` at
// WM_NCCREATE and forwards to HandleMessage. No exception crosses the window procedure: it is
// reported by the window, which hands it on to the window it belongs to, up to the form that shows
// it to the user, and the program goes on.
#include <windows.h>

#include <string>

namespace purimo {

// What a window's class gives every window of it.
struct ClassLook {
    UINT style = CS_DBLCLKS;
    HCURSOR cursor = nullptr; // the arrow when none is given
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }
    // The object behind a window of ours; nullptr for any other window.
    static Window* FromHwnd(HWND hwnd);

    // Shows an error that reached this window's event handling. A window hands it to the window it
    // belongs to (its parent, or the owner of a top-level window); the forms at the top override
    // this to show it to the user.
    virtual void ReportError(const std::string& message);

    // Draws the window's client area, of the size of client, into dc at (0, 0): serves WM_PAINT,
    // WM_PRINTCLIENT and the window image alike. Windows that the system paints return false.
    virtual bool PaintContent(HDC dc, const RECT& client) {
        (void)dc;
        (void)client;
        return false;
    }

protected:
    // Registers the class on first use and creates the window with this object behind it.
    void CreateWindowOf(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent,
                        HMENU menu, const wchar_t* title = L"", const ClassLook& look = {});
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }
    // WM_PAINT through PaintContent, drawn off-screen first so that nothing flickers.
    LRESULT PaintBuffered();
    // WM_PAINT through PaintContent straight onto the screen, for a window whose PaintContent
    // draws no pixel twice and so cannot flicker.
    LRESULT PaintDirect();
    bool OnPrintClient(HDC dc);

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
};

// Whether the key is down, as the message being handled saw it.
inline bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

// Reports an error through the first window of ours from hwnd upwards: hwnd itself, else the window
// it belongs to, and so on.
void ReportError(HWND hwnd, const std::string& message);
// Runs fn and reports any exception it throws as ReportError(hwnd, ...) does; returns whether it
// ran without one.
template <class F> bool Guarded(HWND hwnd, F&& fn);

} // namespace purimo

#include "widgets/WindowGuard.inl"
