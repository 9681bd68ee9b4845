#pragma once
// Owning wrappers for GDI objects, device contexts, registry keys and files. Move-only; each
// kind counts its live objects so that tests can prove nothing leaks over many repaints.
#include <windows.h>

#include <utility>

namespace purimo {

long LiveHandleCount();

namespace detail {
void CountHandle(int delta);
}

template <class H, class Traits> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {
        if (Traits::Valid(h_))
            detail::CountHandle(1);
    }
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = std::exchange(other.h_, Traits::Invalid());
        }
        return *this;
    }

    H Get() const { return h_; }
    explicit operator bool() const { return Traits::Valid(h_); }
    void Reset() {
        if (Traits::Valid(h_)) {
            Traits::Close(h_);
            detail::CountHandle(-1);
        }
        h_ = Traits::Invalid();
    }

private:
    H h_ = Traits::Invalid();
};

template <class H> struct GdiObjectTraits {
    static H Invalid() { return nullptr; }
    static bool Valid(H h) { return h != nullptr; }
    static void Close(H h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static bool Valid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static bool Valid(HKEY h) { return h != nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static bool Valid(HMENU h) { return h != nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};

using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using PenHandle = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;
using FileHandle = UniqueHandle<HANDLE, FileTraits>;
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;
using FindHandle = UniqueHandle<HANDLE, FindTraits>;

// A window's device context, released on destruction.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return ps_.hdc; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectScope() { SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves and restores a DC's whole state (objects, colors, modes, origin).
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, id_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int id_;
};

FontHandle MakeFont(const wchar_t* face, int height, bool bold, int escapement = 0, BYTE charset = SHIFTJIS_CHARSET);
BrushHandle MakeBrush(COLORREF color);
PenHandle MakePen(COLORREF color, int width, int style = PS_SOLID);

} // namespace purimo
