// Entering a month through the grid, its in-place editors and the memo dialog, as a user would:
// mouse presses, keys and focus changes sent to the real windows.
#include <windows.h>

#include <functional>
#include <memory>

#include "FormFixture.h"
#include "Image.h"
#include "output/WindowImage.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

// Holds keys down for the thread's keyboard state, as GetKeyState sees it.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

LPARAM KeyData(int key, bool up) {
    UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    return 1 | (static_cast<LPARAM>(scan) << 16) | (up ? (3 << 30) : 0);
}

void PutClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

void EmptyClipboardOf(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    CloseClipboard();
}

} // namespace

class EntryTest : public FormFixture {
protected:
    void StartOn(unsigned short year, unsigned short month) {
        Start();
        form_->Set_ChangeCalender(year, month);
        Pump();
    }
    HWND Grid() { return form_->gridMain().Hwnd(); }
    MonthGrid& Cells() { return form_->Grid(); }
    // A point inside the cell, in the grid's client coordinates.
    LPARAM CellPoint(int col, int row) {
        Rect r = form_->gridMain().CellRect(col, row);
        return MAKELPARAM(kGridBorder + r.left + 5, kGridBorder + r.top + 5);
    }
    void Press(int col, int row, UINT message = WM_LBUTTONDOWN) {
        SendMessageW(Grid(), message, MK_LBUTTON, CellPoint(col, row));
    }
    void Release(int col, int row) { SendMessageW(Grid(), WM_LBUTTONUP, 0, CellPoint(col, row)); }
    void ClickCell(int col, int row) {
        Press(col, row);
        Release(col, row);
        Pump();
    }
    // A key pressed and released on the window with the focus.
    void Key(int key) {
        HWND focus = GetFocus();
        SendMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(key), KeyData(key, false));
        SendMessageW(focus, WM_KEYUP, static_cast<WPARAM>(key), KeyData(key, true));
        Pump();
    }
    void Type(const std::wstring& text) {
        for (wchar_t ch : text)
            SendMessageW(GetFocus(), WM_CHAR, ch, 1);
        Pump();
    }
    // Leaves the open editor by clicking the grid's row label of its row.
    void ClickAway() { ClickCell(0, 2); }
    POINT ClientPlace(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        POINT p{r.left, r.top};
        ScreenToClient(form_->Hwnd(), &p);
        return p;
    }
    Image Capture() {
        RedrawWindow(form_->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        BitmapHandle image = CaptureWindowImage(form_->Hwnd());
        return Image(image.Get());
    }
    // Runs the memo dialog for the memo cell of day col with the messages posted to it first;
    // a last WM_CLOSE ends it should the keys not.
    void RunMemo(int col, const std::vector<MSG>& messages) {
        for (const MSG& m : messages)
            PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
        PostMessageW(memo_->Hwnd(), WM_CLOSE, 0, 0);
        ClickCell(col, kRowMemo);
    }
    // Runs the memo dialog for the memo cell of day col and calls during from within its modal loop.
    void RunMemoDoing(int col, std::function<void()> during) {
        duringMemo = std::move(during);
        SetTimer(nullptr, 0, 0, &RunDuringMemo);
        ClickCell(col, kRowMemo);
    }
    static inline std::function<void()> duringMemo;
    static void CALLBACK RunDuringMemo(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        std::function<void()> during = std::move(duringMemo);
        duringMemo = nullptr;
        if (during)
            during();
    }
    MSG Char(HWND to, wchar_t ch) { return MSG{to, WM_CHAR, ch, 1, 0, {}}; }
    MSG KeyDown(HWND to, int key) { return MSG{to, WM_KEYDOWN, static_cast<WPARAM>(key), KeyData(key, false), 0, {}}; }
    std::string MonthFile(const std::string& yyyymm) { return ReadFileBytes(MonthPath(yyyymm)); }
};

TEST_F(EntryTest, CycleDayFieldOpensOnTheCellWithItsTextSelectedAndWritesOnLeaving) {
    StartOn(2026, 3);
    HWND edit = form_->spinEdit().Edit();
    ClickCell(1, kRowCycleDay);
    ASSERT_TRUE(form_->spinEdit().Visible());
    EXPECT_EQ(GetFocus(), edit);
    POINT at = ClientPlace(edit);
    EXPECT_EQ(at.x, 59) << "two pixels up and left of the cell";
    EXPECT_EQ(at.y, 58);
    EXPECT_EQ(form_->spinEdit().Text(), L"0") << "an empty cell right after start shows 0";
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 1u) << "all selected, so that typing replaces it";
    ClickAway();
    EXPECT_FALSE(form_->spinEdit().Visible());
    EXPECT_EQ(Cells().Cell(1, kRowCycleDay), "0");

    ClickCell(2, kRowCycleDay);
    Type(L"28");
    ClickCell(3, kRowCycleDay);
    EXPECT_EQ(Cells().Cell(2, kRowCycleDay), "28") << "the press on day 3 committed day 2 first";
    EXPECT_EQ(form_->spinEdit().Text(), L"28") << "an empty cell opens on the last text";
    ClickAway();
    EXPECT_EQ(Cells().Cell(3, kRowCycleDay), "28");
    Cells().SetCell(4, kRowCycleDay, "7");
    ClickCell(4, kRowCycleDay);
    EXPECT_EQ(form_->spinEdit().Text(), L"7") << "a filled cell opens on its own value";
    ClickAway();
}

TEST_F(EntryTest, CycleDayFieldTakesOnlyItsCharactersAndKeepsItsRange) {
    StartOn(2026, 3);
    ClickCell(5, kRowCycleDay);
    Type(L"a");
    EXPECT_EQ(form_->spinEdit().Text(), L"0") << "a letter is refused";
    Type(L"\r");
    EXPECT_EQ(form_->spinEdit().Text(), L"0") << "Enter is refused";
    Type(L"123");
    EXPECT_EQ(form_->spinEdit().Text(), L"12") << "two characters at most";
    Key(VK_UP);
    EXPECT_EQ(form_->spinEdit().Text(), L"13");
    form_->spinEdit().SetText(L"99");
    Key(VK_UP);
    EXPECT_EQ(form_->spinEdit().Text(), L"99");
    form_->spinEdit().SetText(L"0");
    Key(VK_DOWN);
    EXPECT_EQ(form_->spinEdit().Text(), L"0");
    form_->spinEdit().SetText(L"");
    Key(VK_UP);
    EXPECT_EQ(form_->spinEdit().Text(), L"1") << "an empty field counts as 0";
    // The arrows: the upper half adds, the lower subtracts; the field keeps the focus.
    HWND arrows = form_->spinEdit().Arrows();
    RECT r;
    GetClientRect(arrows, &r);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 2));
    SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(3, 2));
    EXPECT_EQ(form_->spinEdit().Text(), L"2");
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, r.bottom - 2));
    SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(3, r.bottom - 2));
    EXPECT_EQ(form_->spinEdit().Text(), L"1");
    EXPECT_EQ(GetFocus(), form_->spinEdit().Edit());

    SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
    Type(L"-5");
    ClickAway();
    EXPECT_EQ(Cells().Cell(5, kRowCycleDay), "-5") << "the cell keeps the text as typed";
    ClickCell(6, kRowCycleDay);
    EXPECT_EQ(form_->spinEdit().Text(), L"0") << "the field itself went back into its range";
    ClickAway();
}

TEST_F(EntryTest, TextWithoutAShiftJisFormIsRefusedInBothFields) {
    StartOn(2026, 3);
    ClickCell(1, kRowCycleDay);
    PutClipboard(form_->Hwnd(), L"1\U0001F600");
    SendMessageW(form_->spinEdit().Edit(), WM_PASTE, 0, 0);
    EXPECT_EQ(form_->spinEdit().Text(), L"0") << "a paste holding an emoji is refused whole";
    PutClipboard(form_->Hwnd(), L"345");
    SendMessageW(form_->spinEdit().Edit(), WM_PASTE, 0, 0);
    EXPECT_EQ(form_->spinEdit().Text(), L"34") << "a paste is not filtered but limited";
    ClickAway();
    EXPECT_EQ(Cells().Cell(1, kRowCycleDay), "34");
}

// Every way into a field (Ctrl+V, Shift+Insert, the field's own menu, WM_PASTE, a typed Enter) takes
// the field's rules: a line break never reaches a cell, the memo keeps its 20 bytes of code page 932.
TEST_F(EntryTest, CycleDayFieldTakesTheFirstLineOfEveryPaste) {
    StartOn(2026, 4);
    HWND spin = form_->spinEdit().Edit();
    ClickCell(1, kRowCycleDay);
    PutClipboard(form_->Hwnd(), L"1\r");
    Type(L"\x16");
    EXPECT_EQ(form_->spinEdit().Text(), L"1") << "Ctrl+V";
    ClickCell(2, kRowCycleDay);
    PutClipboard(form_->Hwnd(), L"2\r\n9");
    {
        HeldKeys shift({VK_SHIFT});
        Key(VK_INSERT);
    }
    EXPECT_EQ(form_->spinEdit().Text(), L"2") << "Shift+Insert";
    ClickCell(3, kRowCycleDay);
    PutClipboard(form_->Hwnd(), L"3\n4");
    PostMessageW(spin, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(spin), -1);
    PostMessageW(spin, WM_CHAR, L'p', 1);
    Pump();
    EXPECT_EQ(form_->spinEdit().Text(), L"3") << "the field's menu";
    ClickCell(4, kRowCycleDay);
    PutClipboard(form_->Hwnd(), L"\r\n5");
    SendMessageW(spin, WM_PASTE, 0, 0);
    Type(L"6\r\n");
    EXPECT_EQ(form_->spinEdit().Text(), L"6") << "an empty first line, then a typed Enter";
    EmptyClipboardOf(form_->Hwnd());
    SendMessageW(spin, WM_PASTE, 0, 0);
    {
        HeldKeys shift({VK_SHIFT});
        SendMessageW(spin, WM_KEYDOWN, VK_INSERT, KeyData(VK_INSERT, false));
    }
    PostMessageW(spin, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(spin), -1);
    PostMessageW(spin, WM_CHAR, L'p', 1);
    Pump();
    EXPECT_EQ(form_->spinEdit().Text(), L"6") << "no text on the clipboard changes nothing, by every path";
    ClickAway();
    EXPECT_TRUE(Close());
    EXPECT_EQ(MonthFile("202604").rfind("\"周  期\",1,2,3,6,,", 0), 0u) << MonthFile("202604");
    EXPECT_EQ(MonthFile("202604").find('\r'), MonthFile("202604").find("\r\n\"体  温\""));
}

TEST_F(EntryTest, MemoFieldTakesEveryPasteByTheSameRules) {
    StartOn(2026, 4);
    HWND field = memo_->editTitle();
    const std::vector<MSG> ok{Char(field, L'\r'), KeyDown(memo_->btnOk(), VK_RETURN)};
    auto withOk = [&](std::vector<MSG> messages) {
        messages.insert(messages.end(), ok.begin(), ok.end());
        return messages;
    };
    // Shift must be down while the dialog runs, not while the grid is clicked to open it.
    auto shiftInsert = [&] {
        {
            HeldKeys shift({VK_SHIFT});
            SendMessageW(field, WM_KEYDOWN, VK_INSERT, KeyData(VK_INSERT, false));
        }
        for (const MSG& m : ok)
            PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
        PostMessageW(memo_->Hwnd(), WM_CLOSE, 0, 0);
    };
    PutClipboard(form_->Hwnd(), L"abcdefghijklmnopqrstuvwxyz0123");
    RunMemoDoing(5, shiftInsert);
    EXPECT_EQ(Cells().Cell(5, kRowMemo), "abcdefghijklmnopqrst") << "Shift+Insert keeps to 20 bytes";
    PutClipboard(form_->Hwnd(), L"x\u00e9y\u00e9z");
    RunMemoDoing(6, shiftInsert);
    EXPECT_EQ(Cells().Cell(6, kRowMemo), "") << "text without a code page 932 form is refused, not changed";
    PutClipboard(form_->Hwnd(), L"メモ\r\nつづき");
    RunMemo(7, withOk({MSG{field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), -1, 0, {}}, Char(field, L'p')}));
    EXPECT_EQ(Cells().Cell(7, kRowMemo), "メモ") << "the field's menu pastes the first line";
    EmptyClipboardOf(form_->Hwnd());
    RunMemo(7, withOk({MSG{field, WM_PASTE, 0, 0, 0, {}}}));
    EXPECT_EQ(Cells().Cell(7, kRowMemo), "メモ") << "an empty clipboard changes nothing";
}

TEST_F(EntryTest, TemperatureListOpensOnTheMatchingItemAndMovesTheChartAtOnce) {
    StartOn(2026, 3);
    Cells().SetCell(12, kRowTemperature, "36.5");
    ClickCell(12, kRowTemperature);
    DropDownList& list = form_->cmbTemp();
    ASSERT_TRUE(list.Visible());
    EXPECT_EQ(GetFocus(), list.Hwnd());
    EXPECT_EQ(list.Selection(), 10);
    EXPECT_EQ(list.BackgroundColor(), kYellow);
    const Series& temperatures = form_->chartMain().Model().SeriesAt(0);
    // Picks with the keyboard: each one moves the chart's point before the list is left.
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(list.Selection(), 13);
    EXPECT_DOUBLE_EQ(temperatures.YValues()[11], 36.2);
    EXPECT_EQ(Cells().Cell(12, kRowTemperature), "36.5") << "the cell changes only when the list is left";
    Image open = Capture();
    open.SaveArtefact("entry-temperature-list-open");
    ClickAway();
    EXPECT_EQ(Cells().Cell(12, kRowTemperature), "36.2");
    EXPECT_FALSE(list.Visible());

    ClickCell(13, kRowTemperature);
    EXPECT_EQ(list.Selection(), 21) << "an empty cell opens on the empty item";
    SendMessageW(list.Hwnd(), CB_SETCURSEL, 3, 0);
    EXPECT_DOUBLE_EQ(temperatures.YValues()[12], 0.0) << "the program's own selection is no pick";
    Key(VK_UP);
    EXPECT_DOUBLE_EQ(temperatures.YValues()[12], 37.3);
    Key(VK_END);
    EXPECT_DOUBLE_EQ(temperatures.YValues()[12], 0.0) << "the empty item takes the point to 0";
    ClickAway();
    EXPECT_EQ(Cells().Cell(13, kRowTemperature), "");

    // Delete empties the cell and leaves the chart as it is.
    Cells().SetCurrent(CellPos{12, kRowTemperature});
    SetFocus(Grid());
    Key(VK_DELETE);
    EXPECT_EQ(Cells().Cell(12, kRowTemperature), "");
    EXPECT_DOUBLE_EQ(temperatures.YValues()[11], 36.2);
    EXPECT_FALSE(list.Visible()) << "Delete opens nothing";

    Cells().SetCell(14, kRowTemperature, "38.0");
    ClickCell(14, kRowTemperature);
    EXPECT_EQ(list.Selection(), -1) << "a text that matches no item leaves the list without selection";
    ClickAway();
    EXPECT_EQ(Cells().Cell(14, kRowTemperature), "");
}

TEST_F(EntryTest, EventMarksGoIntoTheCellWithTheirTab) {
    StartOn(2026, 3);
    ClickCell(3, kRowEvent);
    DropDownList& list = form_->cmbEvent();
    ASSERT_TRUE(list.Visible());
    EXPECT_EQ(list.Selection(), 0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    ClickAway();
    EXPECT_EQ(Cells().Cell(3, kRowEvent), "\x81\xA2\t");
    Cells().SetCell(4, kRowEvent, "\x81\xA2");
    ClickCell(4, kRowEvent);
    EXPECT_EQ(list.Selection(), 2) << "a mark without its tab still finds its item";
    ClickAway();
}

TEST_F(EntryTest, MouseSelectsOnReleaseAndFollowsTheHeldButton) {
    StartOn(2026, 3);
    Press(3, kRowCycleDay);
    SendMessageW(Grid(), WM_MOUSEMOVE, MK_LBUTTON, CellPoint(4, kRowCycleDay));
    SendMessageW(Grid(), WM_MOUSEMOVE, MK_LBUTTON, CellPoint(5, kRowCycleDay));
    EXPECT_EQ(Cells().Current(), (CellPos{5, kRowCycleDay}));
    EXPECT_FALSE(form_->spinEdit().Visible()) << "nothing opens before the release";
    Release(5, kRowCycleDay);
    Pump();
    EXPECT_TRUE(form_->spinEdit().Visible());
    EXPECT_EQ(ClientPlace(form_->spinEdit().Edit()).x, 59 + 4 * 30);

    // A fixed cell while an editor is open: the editor is written and closed, nothing opens.
    Type(L"9");
    ClickCell(7, 0);
    EXPECT_FALSE(form_->spinEdit().Visible());
    EXPECT_EQ(Cells().Cell(5, kRowCycleDay), "9");
    EXPECT_EQ(Cells().Current(), (CellPos{5, kRowCycleDay}));
    EXPECT_EQ(GetFocus(), Grid());

    // Other buttons and the second press of a double click move nothing and report nothing.
    SendMessageW(Grid(), WM_RBUTTONDOWN, MK_RBUTTON, CellPoint(8, kRowTemperature));
    SendMessageW(Grid(), WM_RBUTTONUP, 0, CellPoint(8, kRowTemperature));
    Press(8, kRowTemperature, WM_LBUTTONDBLCLK);
    Release(8, kRowTemperature);
    Pump();
    EXPECT_EQ(Cells().Current(), (CellPos{5, kRowCycleDay}));
    EXPECT_FALSE(form_->cmbTemp().Visible());

    // The release reports also when the cell was already current.
    ClickCell(5, kRowCycleDay);
    EXPECT_TRUE(form_->spinEdit().Visible());
    ClickAway();
}

TEST_F(EntryTest, KeysMoveTheCurrentCellAndOpenItsEditor) {
    StartOn(2026, 2); // 28 days
    ASSERT_EQ(GetFocus(), Grid());
    Cells().SetCell(1, kRowCycleDay, "3");
    Key(VK_DELETE);
    EXPECT_EQ(Cells().Cell(1, kRowCycleDay), "");
    EXPECT_FALSE(form_->spinEdit().Visible());
    Key(VK_RETURN);
    Key(VK_F2);
    Type(L"5");
    EXPECT_EQ(GetFocus(), Grid()) << "Enter, F2 and typed characters do nothing on the grid";
    EXPECT_EQ(Cells().Cell(1, kRowCycleDay), "");

    Key(VK_DOWN);
    EXPECT_EQ(Cells().Current(), (CellPos{1, kRowTemperature}));
    EXPECT_EQ(GetFocus(), form_->cmbTemp().Hwnd()) << "the temperature list opened with the focus";
    SetFocus(Grid());
    EXPECT_FALSE(form_->cmbTemp().Visible());

    struct Step {
        int key;
        bool ctrl;
        CellPos expected;
    };
    const Step steps[] = {
        {VK_END, false, {28, 2}}, {VK_HOME, false, {1, 2}},  {VK_RIGHT, true, {28, 2}}, {VK_LEFT, true, {1, 2}},
        {VK_NEXT, false, {1, 4}}, {VK_PRIOR, false, {1, 1}}, {VK_NEXT, true, {1, 4}},   {VK_PRIOR, true, {1, 1}},
        {VK_END, true, {28, 4}},  {VK_HOME, true, {1, 1}},   {VK_LEFT, false, {1, 1}},  {VK_UP, false, {1, 1}},
    };
    for (const Step& step : steps) {
        // A memo cell opens the dialog: the WM_CLOSE waiting for it ends it.
        PostMessageW(memo_->Hwnd(), WM_CLOSE, 0, 0);
        {
            std::unique_ptr<HeldKeys> ctrl =
                step.ctrl ? std::make_unique<HeldKeys>(std::initializer_list<int>{VK_CONTROL}) : nullptr;
            Key(step.key);
        }
        EXPECT_EQ(Cells().Current(), step.expected) << "key " << step.key << (step.ctrl ? " with Ctrl" : "");
        SetFocus(Grid());
        Pump();
    }
    EXPECT_FALSE(form_->spinEdit().Visible()) << "a key that moves nothing reports nothing";
}

TEST_F(EntryTest, WheelMovesByRowsWithinTheDayRows) {
    StartOn(2026, 3);
    SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump();
    EXPECT_EQ(Cells().Current(), (CellPos{1, kRowTemperature}));
    EXPECT_TRUE(form_->cmbTemp().Visible());
    SetFocus(Grid());
    SendMessageW(Grid(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
    Pump();
    EXPECT_EQ(Cells().Current(), (CellPos{1, kRowCycleDay})) << "never above row 1";
    SetFocus(Grid());
}

TEST_F(EntryTest, TabFromAnOpenEditorGoesBackToTheGridAndCommits) {
    StartOn(2026, 3);
    ClickCell(2, kRowTemperature);
    Key(VK_UP); // the empty item, then one step up: 35.5
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), Grid());
    EXPECT_EQ(Cells().Cell(2, kRowTemperature), "35.5");
    ClickCell(2, kRowCycleDay);
    {
        HeldKeys shift{VK_SHIFT};
        Key(VK_TAB);
    }
    EXPECT_EQ(GetFocus(), Grid());
    EXPECT_FALSE(form_->spinEdit().Visible());
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), Grid()) << "on the grid Tab leaves the focus where it is";
}

TEST_F(EntryTest, LeavingForAnotherWindowKeepsTheEditorOpen) {
    StartOn(2026, 3);
    ClickCell(2, kRowTemperature);
    HWND other =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetFocus(other);
    Pump();
    EXPECT_TRUE(form_->cmbTemp().Visible()) << "a dialog or another program does not commit the editor";
    DestroyWindow(other);
    SetFocus(Grid());
    EXPECT_FALSE(form_->cmbTemp().Visible());
}

TEST_F(EntryTest, MemoDialogWritesOnOkAndLeavesTheCellOnCancel) {
    StartOn(2026, 3);
    HWND field = memo_->editTitle();
    std::wstring title;
    memo_->OnOk = [&, ok = memo_->OnOk](const std::string& text) {
        title = WindowText(memo_->Hwnd());
        ok(text);
    };
    // Typing replaces the selected text; a comma is dropped; Enter moves to OK, Enter presses it.
    Cells().SetCell(9, kRowMemo, "old");
    RunMemo(9, {Char(field, L'熱'), Char(field, L','), Char(field, L'、'), Char(field, L'\r'),
                KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(title, L"2026/03/09");
    EXPECT_EQ(Cells().Cell(9, kRowMemo), "熱、");
    EXPECT_FALSE(IsWindowVisible(memo_->Hwnd()));
    EXPECT_EQ(GetFocus(), Grid()) << "the focus comes back to the grid";

    RunMemo(9, {Char(field, L'x'), KeyDown(field, VK_ESCAPE)});
    EXPECT_EQ(Cells().Cell(9, kRowMemo), "熱、") << "Esc leaves the cell";
    RunMemo(9, {Char(field, L'x'), Char(field, L'\r'), Char(memo_->btnOk(), L'\r'),
                KeyDown(memo_->btnCancel(), VK_RETURN)});
    EXPECT_EQ(Cells().Cell(9, kRowMemo), "熱、") << "Enter on Cancel closes without writing";

    RunMemo(1, {KeyDown(field, VK_END), Char(field, L'\b'), Char(field, L'\b'), Char(field, L'\r'),
                KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(title, L"2026/03/01");
    RunMemo(9, {KeyDown(field, VK_DELETE), Char(field, L'\r'), KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(Cells().Cell(9, kRowMemo), "") << "OK with an empty field empties the cell";
}

// The program makes the memo dialog at the first memo the user opens and keeps it for the next.
TEST_F(EntryTest, MemoDialogIsMadeAtItsFirstOpeningAndKept) {
    Start();
    form_->SetMemoDialog(nullptr);
    memo_.reset();
    EXPECT_EQ(FindWindowW(L"TComEditForm", nullptr), nullptr);
    std::unique_ptr<TComEditForm> made;
    int makes = 0;
    form_->SetMemoDialogMaker([&] {
        ++makes;
        made = std::make_unique<TComEditForm>(form_->Hwnd());
        PostMessageW(made->Hwnd(), WM_CLOSE, 0, 0);
        return made.get();
    });
    ClickCell(3, kRowMemo);
    ASSERT_EQ(makes, 1);
    EXPECT_FALSE(IsWindowVisible(made->Hwnd()));

    // The dialog made on demand writes into the cell like any other.
    for (const MSG& m :
         {Char(made->editTitle(), L'熱'), Char(made->editTitle(), L'\r'), KeyDown(made->btnOk(), VK_RETURN)})
        PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    PostMessageW(made->Hwnd(), WM_CLOSE, 0, 0);
    ClickCell(4, kRowMemo);
    EXPECT_EQ(makes, 1);
    EXPECT_EQ(Cells().Cell(4, kRowMemo), "熱");
    form_->SetMemoDialogMaker(nullptr);
    form_->SetMemoDialog(nullptr);
}

TEST_F(EntryTest, MemoFieldCountsShiftJisBytes) {
    StartOn(2026, 3);
    HWND field = memo_->editTitle();
    std::vector<MSG> typing;
    for (int i = 0; i < 11; ++i)
        typing.push_back(Char(field, L'あ'));
    typing.push_back(Char(field, L'a'));
    // An emoji comes as two halves of a surrogate pair.
    typing.push_back(Char(field, 0xD83D));
    typing.push_back(Char(field, 0xDE00));
    typing.push_back(Char(field, L'\r'));
    typing.push_back(KeyDown(memo_->btnOk(), VK_RETURN));
    RunMemo(2, typing);
    EXPECT_EQ(Cells().Cell(2, kRowMemo), "ああああああああああ") << "ten full-width characters fill 20 bytes";

    std::string longMemo = "0123456789abcdefghijKLMNO";
    Cells().SetCell(3, kRowMemo, longMemo);
    RunMemo(3, {KeyDown(field, VK_END), Char(field, L'p'), Char(field, L'\r'), KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(Cells().Cell(3, kRowMemo), longMemo) << "a longer memo shows whole and is not lengthened";
    RunMemo(3, {KeyDown(field, VK_END), Char(field, L'\b'), Char(field, L'\r'), KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(Cells().Cell(3, kRowMemo), longMemo.substr(0, 24)) << "but it can be shortened";

    PutClipboard(form_->Hwnd(), L"メモ,の\U0001F600");
    RunMemo(4, {Char(field, 0x16), Char(field, L'\r'), KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(Cells().Cell(4, kRowMemo), "") << "a paste with an emoji is refused whole";
    PutClipboard(form_->Hwnd(), L"いろはにほへとちりぬるを,");
    RunMemo(4, {Char(field, 0x16), Char(field, L'\r'), KeyDown(memo_->btnOk(), VK_RETURN)});
    EXPECT_EQ(Cells().Cell(4, kRowMemo), "いろはにほへとちりぬ") << "a paste is cut to the limit";
}

TEST_F(EntryTest, MemoDialogKeysMoveTheFocusRound) {
    StartOn(2026, 3);
    HWND field = memo_->editTitle();
    // Shift+Esc moves back (field, Cancel, OK) instead of closing; Enter then presses OK.
    RunMemo(5, {Char(field, L'z'), Char(field, 0x1B), Char(field, 0x1B), KeyDown(field, VK_RETURN)});
    EXPECT_EQ(Cells().Cell(5, kRowMemo), "z");
    // Tab and Shift+Tab go round the same way.
    RunMemo(6, {Char(field, L'y'), KeyDown(field, VK_TAB), KeyDown(field, VK_TAB), KeyDown(field, VK_TAB),
                KeyDown(field, VK_TAB), KeyDown(field, VK_RETURN)});
    EXPECT_EQ(Cells().Cell(6, kRowMemo), "y") << "four Tabs: OK, Cancel, the field, OK";
    {
        HeldKeys shift{VK_SHIFT};
        RunMemo(7, {Char(field, L'x'), KeyDown(field, VK_TAB), Char(field, L'\r'), KeyDown(field, VK_ESCAPE)});
    }
    EXPECT_EQ(Cells().Cell(7, kRowMemo), "") << "Shift+Esc as a key is no Cancel, but no OK either";
    RunMemo(7, {Char(field, L'w'), KeyDown(field, VK_TAB), KeyDown(field, VK_TAB), KeyDown(field, VK_RETURN)});
    EXPECT_EQ(Cells().Cell(7, kRowMemo), "") << "Enter on Cancel";
}

TEST_F(EntryTest, MemoDialogIsCentredFirstAndThenStaysWhereItWasLeft) {
    StartOn(2026, 3);
    RunMemo(1, {});
    RECT r;
    GetWindowRect(memo_->Hwnd(), &r);
    RECT client;
    GetClientRect(memo_->Hwnd(), &client);
    EXPECT_EQ(client.right, 339);
    EXPECT_EQ(client.bottom, 78);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    LONG_PTR style = GetWindowLongPtrW(memo_->Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    SetWindowPos(memo_->Hwnd(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RunMemo(1, {});
    GetWindowRect(memo_->Hwnd(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
}

TEST_F(EntryTest, AWeekEnteredReachesTheMonthFileAlsoWhenClosingWithAnEditorOpen) {
    StartOn(2026, 3);
    const wchar_t* days[] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7"};
    for (int day = 1; day <= 7; ++day) {
        ClickCell(day, kRowCycleDay);
        SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
        Type(days[day - 1]);
        ClickCell(day, kRowTemperature);
        for (int i = 0; i < 8 + day; ++i)
            Key(VK_UP);
        ClickAway();
    }
    ClickCell(1, kRowEvent);
    Key(VK_DOWN);
    ClickAway();
    RunMemo(2, {Char(memo_->editTitle(), L'頭'), Char(memo_->editTitle(), L'痛'), Char(memo_->editTitle(), L'\r'),
                KeyDown(memo_->btnOk(), VK_RETURN)});
    Image image = Capture();
    image.SaveArtefact("entry-week");
    ClickButton(form_->btnNext());
    ClickButton(form_->btnPrev());
    auto commas = [](int n) { return std::string(static_cast<size_t>(n), ','); };
    EXPECT_EQ(MonthFile("202603"), "\"周  期\",1,2,3,4,5,6,7" + commas(24) + "\r\n" +
                                       "\"体  温\",36.3,36.4,36.5,36.6,36.7,36.8,36.9" + commas(24) + "\r\n" +
                                       "\"変  化\",×" + commas(30) + "\r\n" + "\"メ  モ\",,頭痛" + commas(29) + "\r\n");
    EXPECT_EQ(Cells().Cell(3, kRowTemperature), "36.5") << "paging back shows the month as entered";

    // The value just picked is saved with the month when the window closes.
    ClickCell(8, kRowTemperature);
    Key(VK_UP);
    ASSERT_TRUE(form_->cmbTemp().Visible());
    ASSERT_TRUE(Close());
    std::string saved = MonthFile("202603");
    EXPECT_NE(saved.find(",36.9,35.5,"), std::string::npos) << saved;
}

TEST_F(EntryTest, ShowingAnotherMonthOpensNoEditor) {
    StartOn(2026, 3);
    WriteFileBytes(MonthPath("202604"), "\"周  期\",5\r\n\"体  温\"\r\n\"変  化\"\r\n\"メ  モ\"\r\n");
    Cells().SetCurrent(CellPos{15, kRowTemperature});
    form_->btnNextClick();
    Pump();
    EXPECT_EQ(Cells().Current(), (CellPos{1, kRowCycleDay}));
    EXPECT_EQ(Cells().Cell(1, kRowCycleDay), "5");
    EXPECT_FALSE(form_->spinEdit().Visible());
    EXPECT_FALSE(form_->cmbTemp().Visible());
}

TEST_F(EntryTest, CellsArePaintedYellowOnlyWhileTheGridHasTheFocus) {
    StartOn(2026, 3);
    Cells().SetCell(4, kRowMemo, "あいうえお");
    Cells().SetCurrent(CellPos{2, kRowCycleDay});
    SetFocus(Grid());
    Image focused = Capture();
    focused.SaveArtefact("entry-grid-focused");
    auto inside = [&](const Image& image, int col, int row) {
        Rect r = form_->gridMain().CellRect(col, row);
        return image.At(8 + kGridBorder + r.left + 3, 40 + kGridBorder + r.top + 3);
    };
    EXPECT_EQ(inside(focused, 2, kRowCycleDay), RGB(255, 255, 0));
    EXPECT_EQ(inside(focused, 3, kRowCycleDay), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(inside(focused, 2, kRowEvent), RGB(255, 128, 255));
    // Vertical memo glyphs: dark pixels inside day 4's memo cell, none in day 5's.
    auto darkPixels = [&](const Image& image, int col) {
        Rect r = form_->gridMain().CellRect(col, kRowMemo);
        int n = 0;
        for (int y = 40 + kGridBorder + r.top; y < 40 + kGridBorder + r.bottom; ++y)
            for (int x = 8 + kGridBorder + r.left; x < 8 + kGridBorder + r.right; ++x)
                n += GetRValue(image.At(x, y)) < 100 ? 1 : 0;
        return n;
    };
    EXPECT_GT(darkPixels(focused, 4), 60);
    EXPECT_EQ(darkPixels(focused, 5), 0);

    Cells().SetCurrent(CellPos{2, kRowEvent});
    Image onMark = Capture();
    EXPECT_EQ(inside(onMark, 2, kRowEvent), RGB(255, 128, 255)) << "the event row stays magenta";

    ClickCell(6, kRowTemperature);
    Image editing = Capture();
    editing.SaveArtefact("entry-editor-open");
    for (int col = 1; col <= 31; ++col)
        EXPECT_NE(inside(editing, col, kRowCycleDay), RGB(255, 255, 0))
            << "no yellow cell while the list has the focus";
    ClickAway();
}

} // namespace purimo::test

namespace purimo::test {

TEST_F(EntryTest, WindowImageShowsTheOpenEditorAsTheScreenDoes) {
    StartOn(2026, 3);
    SetWindowPos(form_->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The screen's own pixels of an editor against the window image's, in per cent.
    auto screenMatches = [&](const Image& image, HWND editor) {
        Image screen = ScreenImageOf(form_->Hwnd());
        POINT at = ClientPlace(editor);
        RECT r;
        GetWindowRect(editor, &r);
        int same = 0;
        int all = 0;
        for (int y = at.y; y < at.y + (r.bottom - r.top); ++y)
            for (int x = at.x; x < at.x + (r.right - r.left); ++x, ++all)
                same += screen.At(x, y) == image.At(x, y) ? 1 : 0;
        return all > 0 ? same * 100 / all : 0;
    };
    auto yellowPixels = [&](const Image& image, HWND editor) {
        POINT at = ClientPlace(editor);
        RECT r;
        GetWindowRect(editor, &r);
        int n = 0;
        for (int y = at.y; y < at.y + (r.bottom - r.top); ++y)
            for (int x = at.x; x < at.x + (r.right - r.left); ++x)
                n += image.At(x, y) == RGB(255, 255, 0) ? 1 : 0;
        return n;
    };
    ClickCell(3, kRowCycleDay);
    UpdateWindow(form_->Hwnd());
    Image spin = Capture();
    EXPECT_GT(yellowPixels(spin, form_->spinEdit().Edit()), 100);
    EXPECT_GE(screenMatches(spin, form_->spinEdit().Edit()), 95);
    ClickCell(3, kRowTemperature);
    Image list = Capture();
    list.SaveArtefact("entry-image-with-list");
    EXPECT_GT(yellowPixels(list, form_->cmbTemp().Hwnd()), 100);
    EXPECT_GE(screenMatches(list, form_->cmbTemp().Hwnd()), 95);
    EXPECT_TRUE(form_->cmbTemp().Visible()) << "the picture commits nothing";
    ClickAway();
}

} // namespace purimo::test

#include "output/CommonDialogs.h"

namespace purimo::test {

TEST_F(EntryTest, SavingAsBitmapShowsTheOpenEditorAndCommitsNothing) {
    StartOn(2026, 3);
    ClickCell(4, kRowTemperature);
    Key(VK_UP);
    std::wstring file = folder_ + L"with-editor.bmp";
    // The dialog takes the focus while it is open, as the real one does.
    SetSaveDialogHandler([&](OPENFILENAMEW& ofn) {
        HWND dialog =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetFocus(dialog);
        DestroyWindow(dialog);
        wcsncpy(ofn.lpstrFile, file.c_str(), ofn.nMaxFile);
        return TRUE;
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdFileSaves, 0);
    Pump();
    SetSaveDialogHandler(nullptr);
    EXPECT_TRUE(form_->cmbTemp().Visible());
    EXPECT_EQ(Cells().Cell(4, kRowTemperature), "") << "saving the picture writes nothing into the cell";
    std::string bytes = ReadFileBytes(file);
    ASSERT_GT(bytes.size(), 54u);
    // 32-bit rows bottom-up, blue green red: the open list's yellow field is in the file.
    POINT at = ClientPlace(form_->cmbTemp().Hwnd());
    const size_t width = 1002;
    const size_t height = 585;
    int yellow = 0;
    for (size_t y = static_cast<size_t>(at.y); y < static_cast<size_t>(at.y) + 20; ++y) {
        for (size_t x = static_cast<size_t>(at.x); x < static_cast<size_t>(at.x) + 50; ++x) {
            size_t offset = 54 + ((height - 1 - y) * width + x) * 4;
            yellow += bytes[offset] == 0 && bytes[offset + 1] == '\xFF' && bytes[offset + 2] == '\xFF' ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, 100);
    ClickAway();
    EXPECT_EQ(Cells().Cell(4, kRowTemperature), "35.5");
}

} // namespace purimo::test
