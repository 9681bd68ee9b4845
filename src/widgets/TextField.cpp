#include <windows.h>
#include <imm.h>

#include "widgets/GdiCanvas.h"
#include "widgets/TextField.h"
#include "widgets/WinText.h"

namespace purimo {

void TextField::Create(HWND parent, int x, int y, int w, int h, HFONT font, DWORD style) {
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | style, x, y, w, h,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    hook_.Attach(hwnd_, [this](UINT msg, WPARAM wp, LPARAM lp) { return Handle(msg, wp, lp); });
}

std::wstring TextField::Text() const {
    return WindowText(hwnd_);
}

void TextField::SetText(const std::wstring& text) {
    SetWindowTextW(hwnd_, text.c_str());
}

std::wstring TextField::SelectedText() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring text = Text();
    start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
    end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(text.size()));
    return text.substr(start, end - start);
}

void TextField::SelectAll() {
    SendMessageW(hwnd_, EM_SETSEL, 0, -1);
}

void TextField::Show(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void TextField::SetColor(Color color) {
    if (brush_ && color == color_)
        return;
    color_ = color;
    brush_ = MakeBrush(ToColorRef(color));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT TextField::ColorFor(HDC dc) {
    if (!brush_)
        brush_ = MakeBrush(ToColorRef(color_));
    SetBkColor(dc, ToColorRef(color_));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(brush_.Get());
}

std::optional<LRESULT> TextField::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CHAR:
        return OnChar(static_cast<wchar_t>(wp));
    case WM_PASTE:
        return OnPaste();
    case WM_KEYDOWN:
        if (OnKey && OnKey(wp))
            return 0;
        return std::nullopt;
    case WM_SETFOCUS: {
        LRESULT result = hook_.Default(msg, wp, lp);
        // Typing replaces the whole text; a click then puts the caret where it was made.
        SelectAll();
        if (openInputMethod) {
            if (HIMC context = ImmGetContext(hwnd_)) {
                ImmSetOpenStatus(context, TRUE);
                ImmReleaseContext(hwnd_, context);
            }
        }
        return result;
    }
    case WM_IME_COMPOSITION:
        return OnInputMethodResult(lp);
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> TextField::OnChar(wchar_t ch) {
    if (IS_LOW_SURROGATE(ch) && dropLowSurrogate_) {
        dropLowSurrogate_ = false;
        return 0;
    }
    dropLowSurrogate_ = false;
    // Text without a code page 932 form would be stored as "?": such a character is refused.
    bool representable = !IS_HIGH_SURROGATE(ch) && !IS_LOW_SURROGATE(ch) && Cp932CanHold(std::wstring(1, ch));
    CharVerdict verdict = !representable ? CharVerdict::Refuse : FilterChar ? FilterChar(ch) : CharVerdict::Accept;
    if (verdict == CharVerdict::Accept)
        return std::nullopt;
    if (verdict == CharVerdict::Refuse) {
        dropLowSurrogate_ = IS_HIGH_SURROGATE(ch);
        MessageBeep(MB_OK);
    }
    return 0;
}

std::optional<LRESULT> TextField::OnPaste() {
    std::wstring text = ClipboardText(hwnd_);
    // A one-line field takes the clipboard's first line.
    text = text.substr(0, text.find_first_of(L"\r\n"));
    if (!Cp932CanHold(text)) {
        MessageBeep(MB_OK);
        return 0;
    }
    if (!FilterPaste)
        return std::nullopt;
    std::optional<std::wstring> insert = FilterPaste(text);
    if (!insert) {
        MessageBeep(MB_OK);
        return 0;
    }
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(insert->c_str()));
    return 0;
}

std::optional<LRESULT> TextField::OnInputMethodResult(LPARAM lp) {
    if ((lp & GCS_RESULTSTR) == 0)
        return std::nullopt;
    std::wstring result;
    if (HIMC context = ImmGetContext(hwnd_)) {
        LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
        if (bytes > 0) {
            result.resize(static_cast<size_t>(bytes) / sizeof(wchar_t));
            ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(bytes));
        }
        ImmReleaseContext(hwnd_, context);
    }
    // The converted text comes in as typed characters, each through the field's rules.
    for (wchar_t ch : result)
        SendMessageW(hwnd_, WM_CHAR, ch, 1);
    return hook_.Default(WM_IME_COMPOSITION, 0,
                         lp & ~(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE));
}

} // namespace purimo
