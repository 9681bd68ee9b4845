// The main window's layout, look and menu, checked on the window image.
#include <windows.h>
#include <commctrl.h>

#include "FormFixture.h"
#include "Image.h"
#include "output/WindowImage.h"
#include "widgets/Handles.h"

namespace purimo::test {

namespace {

COLORREF Sys(int index) {
    return GetSysColor(index);
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

} // namespace

class LookTest : public FormFixture {
protected:
    Image Capture() {
        UpdateWindow(form_->Hwnd());
        BitmapHandle image = CaptureWindowImage(form_->Hwnd());
        return Image(image.Get());
    }
};

TEST_F(LookTest, WindowImageShowsPanelsButtonsAndGrid) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    form_->Timer1Timer();
    Image image = Capture();
    image.SaveArtefact("main-window-2026-01");
    ASSERT_EQ(image.Width(), 1002);
    ASSERT_EQ(image.Height(), 585);

    EXPECT_EQ(image.At(4, 4), Sys(COLOR_INACTIVECAPTION)) << "window background";
    EXPECT_EQ(image.At(60, 10), Sys(COLOR_INACTIVECAPTION)) << "pnlYear";
    EXPECT_EQ(image.At(250, 10), RGB(255, 128, 255)) << "legend";
    EXPECT_EQ(image.At(650, 10), RGB(0, 0, 128)) << "clock";
    // Lowered bevel of the legend panel: dark top-left, light bottom-right, top-right corner light.
    EXPECT_EQ(image.At(248, 8), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(image.At(248, 20), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(image.At(640, 32), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image.At(640, 8), Sys(COLOR_BTNHIGHLIGHT));

    // Hand pictures: 16 x 16 centred on the buttons; the olive corner shows the button face.
    EXPECT_EQ(image.At(16 + 9, 8 + 5 + 15), Sys(COLOR_BTNFACE)) << "btnPrev's transparent corner";
    EXPECT_EQ(image.At(204 + 10, 8 + 5 + 15), Sys(COLOR_BTNFACE)) << "btnNext's transparent corner";
    int handPixels = 0;
    for (int y = 13; y < 29; ++y)
        for (int x = 25; x < 41; ++x)
            handPixels += image.At(x, y) == RGB(255, 255, 0) ? 1 : 0;
    EXPECT_GT(handPixels, 10) << "the hand is filled with yellow";

    // Grid: 2-pixel sunken border, label column 50 wide, then a grid line every 30 pixels.
    EXPECT_EQ(image.At(8, 100), Sys(COLOR_BTNSHADOW));
    int rowY = 40 + 2 + 18 + 8; // inside row 1
    for (int day = 1; day <= 31; ++day) {
        int line = 8 + 2 + 50 + 30 * (day - 1);
        EXPECT_NE(image.At(line, rowY), image.At(line + 10, rowY)) << "grid line before day " << day;
    }
    EXPECT_EQ(image.At(8 + 2 + 50 + 30 * 4 + 10, 40 + 2 + 3 * 18 + 8), RGB(255, 128, 255)) << "event-mark row";
    EXPECT_EQ(image.At(8 + 2 + 50 + 30 * 4 + 10, rowY), Sys(COLOR_WINDOW));
    EXPECT_EQ(image.At(8 + 2 + 10, 40 + 2 + 3), Sys(COLOR_INACTIVECAPTION)) << "fixed cell";
}

// The screen is painted by another road than the window image: each control's own paint, through
// one off-screen image that the small controls share, without the system's frame painting for
// frameless controls. Both must give the same pixels, also after a larger window used the image.
TEST_F(LookTest, ScreenShowsWhatTheWindowImageShows) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    form_->Timer1Timer();
    auto screen = [this] {
        RedrawWindow(form_->Hwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return ScreenImageOf(form_->Hwnd());
    };
    auto differing = [](const Image& a, const Image& b) {
        int n = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                n += a.At(x, y) != b.At(x, y) ? 1 : 0;
        return n;
    };
    Image image = Capture();
    Image shown = screen();
    ASSERT_EQ(shown.Width(), image.Width());
    EXPECT_EQ(differing(shown, image), 0);
    splash_->SetTitle("アプリケーションを起動中です。");
    splash_->ShowNow();
    splash_->Close();
    form_->Set_ChangeCalender(2026, 2);
    EXPECT_EQ(differing(screen(), Capture()), 0) << "after the wait window's paint";
}

TEST_F(LookTest, PanelTextsHaveTheirColors) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    form_->Timer1Timer();
    Image image = Capture();
    auto count = [&](int left, int top, int width, int height, COLORREF color) {
        int n = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                n += image.At(x, y) == color ? 1 : 0;
        return n;
    };
    EXPECT_GT(count(59, 9, 55, 23, RGB(0, 0, 128)), 40) << "navy year";
    EXPECT_GT(count(145, 9, 27, 23, RGB(0, 0, 128)), 20) << "navy month";
    EXPECT_GT(count(649, 9, 245, 23, RGB(255, 255, 255)), 100) << "white clock";
    EXPECT_GT(count(249, 9, 391, 23, RGB(0, 0, 0)), 100) << "black legend";
    EXPECT_GT(count(118, 10, 23, 21, GetSysColor(COLOR_WINDOWTEXT)), 20) << "the label 年";
}

TEST_F(LookTest, PressedButtonMovesItsPictureOnePixel) {
    Start();
    HWND button = form_->btnPrev().Hwnd();
    auto picture = [&] {
        BitmapHandle image = CaptureWindowImage(button);
        return Image(image.Get());
    };
    unsigned short month = form_->ShownMonth();
    Image up = picture();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Image down = picture();
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50)); // released outside: no click
    EXPECT_EQ(form_->ShownMonth(), month);
    int same = 0;
    int moved = 0;
    for (int y = 10; y < 20; ++y) {
        for (int x = 12; x < 24; ++x) {
            same += up.At(x, y) == down.At(x, y) ? 1 : 0;
            moved += up.At(x, y) == down.At(x + 1, y + 1) ? 1 : 0;
        }
    }
    EXPECT_EQ(moved, 120) << "the picture stands one pixel right and down";
    EXPECT_LT(same, 120);
}

TEST_F(LookTest, ButtonPictureFollowsTheFaceColor) {
    Start();
    HWND button = form_->btnPrev().Hwnd();
    auto corner = [&] {
        BitmapHandle image = CaptureWindowImage(button);
        return Image(image.Get()).At(9, 5 + 15);
    };
    const int element = COLOR_BTNFACE;
    const COLORREF face = GetSysColor(element);
    EXPECT_EQ(corner(), face);
    const COLORREF other = RGB(12, 34, 56);
    SetSysColors(1, &element, &other);
    const COLORREF changed = corner();
    SetSysColors(1, &element, &face);
    EXPECT_EQ(changed, other) << "the transparent corner shows the new face";
    EXPECT_EQ(corner(), face);
}

TEST_F(LookTest, WindowImageNarrowsWithTheMonth) {
    Start();
    struct Case {
        unsigned short year, month;
        int width;
    };
    for (Case c : {Case{2026, 2, 912}, Case{2024, 2, 942}, Case{2026, 4, 972}, Case{2026, 5, 1002}}) {
        form_->Set_ChangeCalender(c.year, c.month);
        Image image = Capture();
        EXPECT_EQ(image.Width(), c.width);
        // The chart's right bevel and the grid's right border end 9 pixels before the window edge.
        EXPECT_EQ(image.At(c.width - 10, 300), Sys(COLOR_BTNHIGHLIGHT)) << c.width;
        EXPECT_EQ(image.At(c.width - 4, 300), Sys(COLOR_INACTIVECAPTION)) << c.width;
        EXPECT_EQ(image.At(893, 10), RGB(0, 0, 128)) << "the clock stays whole";
        if (c.width == 912)
            image.SaveArtefact("main-window-28-days");
    }
}

TEST_F(LookTest, FrameIsFixedWithoutMaximise) {
    Start();
    LONG_PTR style = GetWindowLongPtrW(form_->Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    // The program's icon, large for the task switcher and small for the caption and task bar.
    for (int which : {GCLP_HICON, GCLP_HICONSM}) {
        auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(form_->Hwnd(), which));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << which;
        BITMAP bitmap{};
        GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, which == GCLP_HICON ? GetSystemMetrics(SM_CXICON) : 16);
        DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            DeleteObject(info.hbmColor);
    }
    ShowWindow(form_->Hwnd(), SW_MINIMIZE);
    ShowWindow(form_->Hwnd(), SW_RESTORE);
    RECT client;
    GetClientRect(form_->Hwnd(), &client);
    EXPECT_EQ(client.bottom, 585);
}

TEST_F(LookTest, ControlsStandBackToFrontInOrder) {
    Start();
    auto backToFront = [this] {
        std::vector<HWND> actual;
        HWND child = GetWindow(form_->Hwnd(), GW_CHILD);
        for (HWND back = GetWindow(child, GW_HWNDLAST); back != nullptr; back = GetWindow(back, GW_HWNDPREV))
            actual.push_back(back);
        return actual;
    };
    // The editors are not made yet at the start; made at their first opening, in either order,
    // they take their places.
    auto made = [this] {
        std::vector<HWND> children = form_->ChildrenBackToFront();
        std::erase(children, nullptr);
        return children;
    };
    EXPECT_EQ(backToFront().size(), 8u);
    EXPECT_EQ(backToFront(), made());
    form_->cmbTemp();
    EXPECT_EQ(backToFront(), made()) << "the lists first";
    form_->spinEdit();
    EXPECT_EQ(backToFront(), form_->ChildrenBackToFront()) << "then the cycle-day field";
    RECT r;
    GetWindowRect(form_->btnPrev().Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 35);
    EXPECT_FALSE(IsWindowVisible(form_->cmbEvent().Hwnd()));
    EXPECT_FALSE(IsWindowVisible(form_->cmbTemp().Hwnd()));
    EXPECT_FALSE(form_->spinEdit().Visible());
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(form_->btnPrev().Hwnd(), GCLP_HCURSOR)),
              LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(LookTest, EditorsMadeCycleDayFieldFirstStandInOrder) {
    Start();
    form_->spinEdit();
    form_->cmbTemp();
    std::vector<HWND> actual;
    for (HWND back = GetWindow(form_->gridMain().Hwnd(), GW_HWNDLAST); back != nullptr;
         back = GetWindow(back, GW_HWNDPREV))
        actual.push_back(back);
    EXPECT_EQ(actual, form_->ChildrenBackToFront());
}

TEST_F(LookTest, EditorsAreHiddenListsAndACentredSpinEdit) {
    Start();
    for (HWND combo : {form_->cmbEvent().Hwnd(), form_->cmbTemp().Hwnd()}) {
        EXPECT_EQ(GetWindowLongPtrW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
        EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 12);
    }
    HWND edit = form_->spinEdit().Edit();
    EXPECT_NE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_CENTER, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 2);
    EXPECT_EQ(GetParent(form_->spinEdit().Arrows()), edit) << "the arrows stand inside the field";
    EXPECT_EQ(form_->spinEdit().Text(), L"0");
}

TEST_F(LookTest, TabFromTheGridReachesOnlyVisibleEditors) {
    Start();
    HWND grid = form_->gridMain().Hwnd();
    ASSERT_EQ(GetFocus(), grid);
    SendMessageW(grid, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), grid) << "no editor is shown: the grid keeps the focus";
    ShowWindow(form_->cmbTemp().Hwnd(), SW_SHOW);
    SendMessageW(grid, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), form_->cmbTemp().Hwnd());
    ShowWindow(form_->cmbTemp().Hwnd(), SW_HIDE);
}

TEST_F(LookTest, FocusComesBackToTheGridWhenTheWindowIsActiveAgain) {
    Start();
    HWND grid = form_->gridMain().Hwnd();
    ASSERT_EQ(GetFocus(), grid);
    SendMessageW(form_->Hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(form_->Hwnd());
    SendMessageW(form_->Hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), grid);
}

TEST_F(LookTest, ButtonsHaveTheirTooltips) {
    Start();
    // Made when the mouse first comes over a paging button.
    EXPECT_EQ(form_->Tooltip(), nullptr);
    SendMessageW(form_->btnNext().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND tip = form_->Tooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
    auto textOf = [&](HWND control) {
        wchar_t text[128] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = form_->Hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(textOf(form_->btnPrev().Hwnd()), L"前月のデータを表示します。");
    EXPECT_EQ(textOf(form_->btnNext().Hwnd()), L"翌月のデータを表示します。");
    EXPECT_EQ(textOf(form_->pnlYear().Hwnd()), L"");
}

TEST_F(LookTest, MenuHasItsFourMenusAndNoDisabledItem) {
    Start();
    HMENU bar = GetMenu(form_->Hwnd());
    ASSERT_EQ(bar, form_->PurimoMenu());
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(MenuText(bar, 0), L"ファイル(&F)");
    EXPECT_EQ(MenuText(bar, 1), L"グラフ設定(&S)");
    EXPECT_EQ(MenuText(bar, 2), L"周期(&C)");
    EXPECT_EQ(MenuText(bar, 3), L"ヘルプ(&H)");
    const std::vector<std::vector<std::wstring>> items{
        {L"ビットマップで保存...(&A)", L"画面印刷...(&P)", L"", L"終了(&X)"},
        {L"マーカー表示(&M)"},
        {L"周期グラフ...(&G)", L"周期一覧...(&L)", L"受診用レポート印刷...(&R)", L"CSV 形式で書き出し...(&E)"},
        {L"操作手順書(&M)", L"著作権者ホームページ(&H)", L"", L"バージョン情報(&A)"}};
    for (UINT m = 0; m < items.size(); ++m) {
        HMENU sub = GetSubMenu(bar, static_cast<int>(m));
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(items[m].size()));
        for (UINT i = 0; i < items[m].size(); ++i) {
            UINT state = GetMenuState(sub, i, MF_BYPOSITION);
            EXPECT_EQ((state & MF_SEPARATOR) != 0, items[m][i].empty());
            if (items[m][i].empty())
                continue;
            EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED), 0u);
            EXPECT_EQ(MenuText(sub, i), items[m][i]);
        }
    }
}

TEST_F(LookTest, HandlesDoNotGrowOverMonthSwitchesAndRepaints) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    Capture();
    long before = LiveHandleCount();
    for (int i = 0; i < 24; ++i) {
        ClickButton(form_->btnNext());
        RedrawWindow(form_->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Capture();
    }
    EXPECT_EQ(LiveHandleCount(), before);
}

} // namespace purimo::test
