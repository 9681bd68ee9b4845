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
    case WM_CONTEXTMENU:
        return OnContextMenu(lp);
    case WM_KEYDOWN:
        if (OnKey && OnKey(wp))
            return 0;
        // Shift+Insert pastes inside the control without a WM_PASTE: it is sent one, so that every
        // paste takes the field's rules.
        if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0)
            return OnPaste();
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
    // A line break in a cell would end the month file's row there.
    if (verdict == CharVerdict::Accept && (ch == L'\r' || ch == L'\n'))
        verdict = CharVerdict::Drop;
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
    // Nothing to paste (no text on the clipboard, or an empty one) leaves the field as it is instead
    // of emptying what was selected.
    if (text.empty())
        return 0;
    // A one-line field takes the clipboard's first line.
    text = text.substr(0, text.find_first_of(L"\r\n"));
    if (!Cp932CanHold(text)) {
        MessageBeep(MB_OK);
        return 0;
    }
    // The control's own paste would take the whole clipboard text; the first line goes in its place,
    // within the field's length limit.
    std::optional<std::wstring> insert = FilterPaste ? FilterPaste(text) : std::optional<std::wstring>(text);
    if (!insert) {
        MessageBeep(MB_OK);
        return 0;
    }
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(insert->c_str()));
    return 0;
}

// The control's own menu pastes inside the control without a WM_PASTE; this one has the same items
// and sends each its message.
std::optional<LRESULT> TextField::OnContextMenu(LPARAM lp) {
    enum : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selected = start != end;
    const size_t length = Text().size();
    auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };
    MenuHandle menu(CreatePopupMenu());
    AppendMenuW(menu.Get(), state(SendMessageW(hwnd_, EM_CANUNDO, 0, 0) != 0), kUndo, L"元に戻す(&U)");
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), state(selected), kCut, L"切り取り(&T)");
    AppendMenuW(menu.Get(), state(selected), kCopy, L"コピー(&C)");
    AppendMenuW(menu.Get(), state(IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE), kPaste, L"貼り付け(&P)");
    AppendMenuW(menu.Get(), state(selected), kDelete, L"削除(&D)");
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), state(length > 0 && !(start == 0 && end == length)), kSelectAll, L"すべて選択(&A)");
    POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (lp == -1) {
        // From the keyboard: at the field's lower left corner.
        RECT r;
        GetWindowRect(hwnd_, &r);
        at = POINT{r.left, r.bottom};
    }
    SetFocus(hwnd_);
    UINT command = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                                                    at.y, 0, hwnd_, nullptr));
    switch (command) {
    case kUndo:
        SendMessageW(hwnd_, WM_UNDO, 0, 0);
        break;
    case kCut:
        SendMessageW(hwnd_, WM_CUT, 0, 0);
        break;
    case kCopy:
        SendMessageW(hwnd_, WM_COPY, 0, 0);
        break;
    case kPaste:
        SendMessageW(hwnd_, WM_PASTE, 0, 0);
        break;
    case kDelete:
        SendMessageW(hwnd_, WM_CLEAR, 0, 0);
        break;
    case kSelectAll:
        SelectAll();
        break;
    default:
        break;
    }
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
