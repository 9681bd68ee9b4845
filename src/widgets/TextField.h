#pragma once
// A one-line edit control whose typed characters, pastes and keys pass the owner's rules first.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/Canvas.h"
#include "widgets/Handles.h"
#include "widgets/Subclass.h"

namespace purimo {

enum class CharVerdict { Accept, Drop, Refuse }; // Refuse beeps, Drop is silent

class TextField {
public:
    TextField() = default;
    TextField(const TextField&) = delete;
    TextField& operator=(const TextField&) = delete;

    void Create(HWND parent, int x, int y, int w, int h, HFONT font, DWORD style = 0);
    HWND Hwnd() const { return hwnd_; }

    std::wstring Text() const;
    void SetText(const std::wstring& text);
    // Characters from start to end of the current selection.
    std::wstring SelectedText() const;
    void SelectAll();
    void Show(bool visible);
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

    // The background; the parent answers WM_CTLCOLOREDIT for the field with Paint.
    void SetColor(Color color);
    LRESULT ColorFor(HDC dc);

    // Each typed character, also those an input method sends.
    std::function<CharVerdict(wchar_t)> FilterChar;
    // What a paste inserts (the clipboard's text in; nothing refuses it with a beep). Unset, the
    // control pastes as usual.
    std::function<std::optional<std::wstring>(const std::wstring&)> FilterPaste;
    // A key going down; true when it is taken before the control sees it.
    std::function<bool(WPARAM key)> OnKey;
    // The input method is switched on whenever the field gets the focus.
    bool openInputMethod = false;

private:
    std::optional<LRESULT> Handle(UINT msg, WPARAM wp, LPARAM lp);
    std::optional<LRESULT> OnChar(wchar_t ch);
    std::optional<LRESULT> OnPaste();
    std::optional<LRESULT> OnContextMenu(LPARAM lp);
    std::optional<LRESULT> OnInputMethodResult(LPARAM lp);

    HWND hwnd_ = nullptr;
    Subclass hook_;
    Color color_ = SystemColor(kSysWindow);
    BrushHandle brush_;
    // A surrogate pair is refused as one character: its second half follows silently.
    bool dropLowSurrogate_ = false;
};

} // namespace purimo
