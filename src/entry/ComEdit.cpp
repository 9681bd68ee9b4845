#include <windows.h>

#include <algorithm>

#include "entry/ComEdit.h"
#include "widgets/Dpi.h"
#include "widgets/Modal.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

constexpr int kClientWidth = 339;
constexpr int kClientHeight = 78;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
const FontSpec kFormFont{"ＭＳ ゴシック", -15, false, 0};
constexpr Rect kTitleBox{9, 8, 9 + 65, 8 + 25};
constexpr Rect kFieldBox{81, 9, 81 + 248, 9 + 23};
constexpr Rect kOkBox{206, 42, 206 + 57, 42 + 25};
constexpr Rect kCancelBox{271, 42, 271 + 57, 42 + 25};

HWND CreateButton(HWND parent, const wchar_t* text) {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TComEditForm::TComEditForm(HWND owner) : ModalForm(owner, kClientWidth, kClientHeight) {
    CreateWindowOf(L"TComEditForm", kExStyle, kStyle, 0, 0, 0, 0, owner, nullptr, L"");
    CreateControls();
    LayOut();
}

void TComEditForm::CreateControls() {
    pnlTitle_.Create(Hwnd(), 0, 0, 0, 0, kFormFont, SystemColor(kSysWindowText), SystemColor(kSysBtnFace));
    pnlTitle_.SetCaption("メモ");
    editTitle_.Create(Hwnd(), 0, 0, 0, 0, nullptr, WS_VISIBLE);
    editTitle_.openInputMethod = true;
    editTitle_.FilterChar = [this](wchar_t ch) { return editTitleKeyPress(ch); };
    editTitle_.FilterPaste = [this](const std::wstring& paste) { return PasteInsert(paste); };
    btnOk_ = CreateButton(Hwnd(), L"OK");
    btnCancel_ = CreateButton(Hwnd(), L"ｷｬﾝｾﾙ");
}

void TComEditForm::LayOut() {
    const DisplayScale& scale = Scale();
    SizeClientTo(kClientWidth, kClientHeight);
    Place(pnlTitle_.Hwnd(), scale.Box(kTitleBox));
    pnlTitle_.SetFont(scale.Font(kFormFont));
    Place(editTitle_.Hwnd(), scale.Box(kFieldBox));
    Place(btnOk_, scale.Box(kOkBox));
    Place(btnCancel_, scale.Box(kCancelBox));
    // The controls take the new font before the old one goes.
    FontHandle font = MakeFont(L"ＭＳ ゴシック", scale.FontHeight(kFormFont.height), false);
    for (HWND window : {Hwnd(), editTitle_.Hwnd(), btnOk_, btnCancel_})
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    font_ = std::move(font);
}

LRESULT TComEditForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        return OnCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wp)) ? TRUE : Default(msg, wp, lp);
    case WM_CTLCOLOREDIT:
        return editTitle_.ColorFor(reinterpret_cast<HDC>(wp));
    case WM_CLOSE:
        return OnClose();
    case WM_DESTROY:
        EndShowing();
        return 0;
    default:
        return ModalForm::HandleMessage(msg, wp, lp);
    }
}

LRESULT TComEditForm::OnCommand(HWND control, UINT code) {
    if (code != BN_CLICKED)
        return 0;
    if (control == btnOk_)
        btnOkClick();
    else if (control == btnCancel_)
        btnCancelClick();
    return 0;
}

LRESULT TComEditForm::OnSetCursor(HWND over) {
    if (over != btnOk_ && over != btnCancel_)
        return FALSE;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

LRESULT TComEditForm::OnClose() {
    // Closed any other way than by OK, the memo is not written.
    Finish();
    return 0;
}

void TComEditForm::SetMemo(const std::string& text) {
    memo_ = text;
    memoShown_ = Widen(text);
    editTitle_.SetText(memoShown_);
}

std::string TComEditForm::Memo() const {
    std::wstring text = editTitle_.Text();
    // Bytes that have no one form of their own in UTF-16 come back as the cell held them.
    return text == memoShown_ ? memo_ : Narrow(text);
}

void TComEditForm::SetTitle(const std::string& title) {
    SetWindowTextW(Hwnd(), Widen(title).c_str());
}

void TComEditForm::ShowModal() {
    if (FollowOwnersScale())
        LayOut();
    if (!placed_) {
        // Centred on the screen the first time; later where the user left it.
        RECT r;
        GetWindowRect(Hwnd(), &r);
        int w = r.right - r.left;
        int h = r.bottom - r.top;
        int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
        int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
        SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    ShowModally([this] { FormShow(); }, [this](const MSG& msg) { return FormKeyPress(msg); });
    Finish();
}

void TComEditForm::Finish() {
    EndShowing();
    if (Hwnd() != nullptr)
        EndModal(Hwnd(), Owner());
}

void TComEditForm::FormShow() {
    SetFocus(editTitle_.Hwnd());
}

void TComEditForm::btnOkClick() {
    std::string memo = Memo();
    Finish();
    if (OnOk)
        OnOk(memo);
}

void TComEditForm::btnCancelClick() {
    Finish();
}

MemoFocus TComEditForm::FocusedControl() const {
    HWND focus = GetFocus();
    return focus == btnOk_ ? MemoFocus::Ok : focus == btnCancel_ ? MemoFocus::Cancel : MemoFocus::Field;
}

void TComEditForm::FocusControl(MemoFocus control) {
    HWND target = control == MemoFocus::Ok ? btnOk_ : control == MemoFocus::Cancel ? btnCancel_ : editTitle_.Hwnd();
    SetFocus(target);
}

bool TComEditForm::FormKeyPress(const MSG& msg) {
    if (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd))
        return false;
    MemoKeyAction action = MemoKeyAction::None;
    if (msg.message == WM_KEYDOWN) {
        if (msg.wParam == VK_TAB) {
            FocusControl(MemoFocusAfter(FocusedControl(), !KeyHeld(VK_SHIFT)));
            return true;
        }
        action =
            MemoKeyDownAction(static_cast<int>(msg.wParam), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), FocusedControl());
    } else if (msg.message == WM_CHAR) {
        action = MemoCharAction(static_cast<char32_t>(msg.wParam));
    }
    switch (action) {
    case MemoKeyAction::None:
        return false;
    case MemoKeyAction::PressOk:
        btnOkClick();
        break;
    case MemoKeyAction::PressCancel:
        btnCancelClick();
        break;
    case MemoKeyAction::FocusNext:
        FocusControl(MemoFocusAfter(FocusedControl(), true));
        break;
    case MemoKeyAction::FocusPrevious:
        FocusControl(MemoFocusAfter(FocusedControl(), false));
        break;
    }
    return true;
}

CharVerdict TComEditForm::editTitleKeyPress(wchar_t ch) {
    if (MemoDropsChar(ch))
        return CharVerdict::Drop;
    if (ch < 0x20)
        return CharVerdict::Accept;
    bool fits = MemoInsertFits(Cp932Bytes(editTitle_.Text()), Cp932Bytes(editTitle_.SelectedText()),
                               Cp932Bytes(std::wstring(1, ch)));
    return fits ? CharVerdict::Accept : CharVerdict::Refuse;
}

std::optional<std::wstring> TComEditForm::PasteInsert(const std::wstring& paste) const {
    size_t text = Cp932Bytes(editTitle_.Text());
    size_t selected = Cp932Bytes(editTitle_.SelectedText());
    size_t room = text - std::min(text, selected) >= kMemoMaxBytes ? 0 : kMemoMaxBytes - (text - selected);
    std::string fitted = Cp932Prefix(Narrow(paste), room);
    if (fitted.empty() && !paste.empty())
        return std::nullopt;
    return Widen(fitted);
}

} // namespace purimo
