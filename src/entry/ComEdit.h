#pragma once
// The memo dialog: created hidden at start-up and shown modally over the main window for the
// memo of one day. OK hands the field's text to the owner; Cancel and Esc leave it.
#include <windows.h>

#include <functional>
#include <string>

#include "entry/EditorRules.h"
#include "widgets/Handles.h"
#include "widgets/Modal.h"
#include "widgets/Panel.h"
#include "widgets/TextField.h"
#include "widgets/Window.h"

namespace purimo {

class TComEditForm : public ModalForm {
public:
    explicit TComEditForm(HWND owner);

    // The memo to edit, as the cell holds it.
    void SetMemo(const std::string& text);
    // The memo as it stands in the field; the cell's own bytes when it was not changed.
    std::string Memo() const;
    void SetTitle(const std::string& title);
    // Shows the dialog and returns when it has closed. The owner takes no input meanwhile.
    void ShowModal();
    bool Showing() const { return IsShownModally(); }

    // OK was pressed: (the memo's text).
    std::function<void(const std::string&)> OnOk;

    void FormShow();
    void btnOkClick();
    void btnCancelClick();
    // Handles a key before the control with the focus sees it; true when it was taken.
    bool FormKeyPress(const MSG& msg);
    CharVerdict editTitleKeyPress(wchar_t ch);

    HWND editTitle() const { return editTitle_.Hwnd(); }
    HWND btnOk() const { return btnOk_; }
    HWND btnCancel() const { return btnCancel_; }
    Panel& pnlTitle() { return pnlTitle_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnCommand(HWND control, UINT code);
    LRESULT OnSetCursor(HWND over);
    LRESULT OnClose();
    void CreateControls();
    // Places the controls and sizes the window at its scale.
    void LayOut();
    void LayOutAgain() override { LayOut(); }
    void Finish();
    MemoFocus FocusedControl() const;
    void FocusControl(MemoFocus control);
    std::optional<std::wstring> PasteInsert(const std::wstring& paste) const;

    FontHandle font_;
    Panel pnlTitle_;
    TextField editTitle_;
    HWND btnOk_ = nullptr;
    HWND btnCancel_ = nullptr;
    std::string memo_;
    std::wstring memoShown_;
    bool placed_ = false;
};

} // namespace purimo
