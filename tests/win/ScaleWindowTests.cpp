// The wait window, the memo dialog, the About box and the cycle windows at the display scale: each
// laid out from its 96-DPI measures, and at 96 DPI exactly as it always was.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "DialogAnswer.h"
#include "Image.h"
#include "ScaleFixture.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleTableForm.h"
#include "output/About.h"
#include "widgets/Dpi.h"
#include "widgets/Handles.h"

namespace purimo::test {

namespace {

// What the chart draws, through its own paint code.
Image ChartImage(HWND chart) {
    RECT r{};
    GetClientRect(chart, &r);
    WindowDc screen(nullptr);
    MemoryDc dc(CreateCompatibleDC(screen.Get()));
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), r.right, r.bottom));
    HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
    SendMessageW(chart, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    SelectObject(dc.Get(), old);
    return Image(bitmap.Get());
}

// The rows that the colour crosses for more than half the image's width: a horizontal line's width.
int RowsAcross(const Image& image, COLORREF color) {
    int rows = 0;
    for (int y = 0; y < image.Height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.Width(); ++x)
            n += image.At(x, y) == color ? 1 : 0;
        rows += n > image.Width() / 2 ? 1 : 0;
    }
    return rows;
}

} // namespace

TEST_F(ScaleTest, OwnWindowsAreLaidOutAtTheScale) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteFileBytes(MonthPath("202604"), kAprilFile); // a cycle from April 1st
    Start();
    form_->Set_ChangeCalender(2026, 4);
    // The wait window comes before the main window and takes the screen's scale; the others take
    // the one the main window keeps, the screen's too while it fits.
    const DisplayScale screen(SystemDpi());
    const DisplayScale s = ScaleFor(form_->Hwnd());

    ExpectClientScaled(splash_->Hwnd(), screen, 385, 80, "wait window");
    EXPECT_EQ(FontHeight(splash_->TitleFont()), screen.FontHeight(-15));

    ExpectClientScaled(memo_->Hwnd(), s, 339, 78, "memo dialog");
    EXPECT_EQ(FontHeightOf(memo_->editTitle()), s.FontHeight(-15));
    EXPECT_EQ(ChildBox(memo_->btnCancel()), s.Box(271, 42, 57, 25));

    TAboutForm about(form_->Hwnd());
    ExpectClientScaled(about.Hwnd(), s, 577, 319, "About box");
    EXPECT_EQ(FontHeight(about.ProductNameFont()), s.FontHeight(-27));
    EXPECT_EQ(ChildBox(about.OKButton()), s.Box(493, 284, 75, 25));

    int centreLine = 0;
    form_->SetCycleFormShown([&](TCycleForm& cycle) {
        ExpectClientScaled(cycle.Hwnd(), s, 960, 640, "cycle window");
        EXPECT_EQ(FontHeightOf(cycle.btnClose()), s.FontHeight(-15));
        EXPECT_EQ(ChildBox(cycle.btnClose()), s.Box(842, 607, 110, 25));
        EXPECT_EQ(ChildBox(cycle.Chart()), s.Box(8, 8, 944, 364));
        centreLine = RowsAcross(ChartImage(cycle.Chart()), RGB(255, 0, 0));
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
    Pump();
    EXPECT_EQ(centreLine, s.Line(2)) << "the chart's red centre line";

    int columnsWidth = 0;
    form_->SetCycleTableShown([&](TCycleTableForm& table) {
        ExpectClientScaled(table.Hwnd(), s, 1010, 480, "cycle table");
        EXPECT_EQ(FontHeightOf(table.List()), s.FontHeight(-12));
        EXPECT_EQ(ChildBox(table.List()), s.Box(8, 8, 994, 352));
        for (int c = 0; c < kCycleTableColumns; ++c)
            columnsWidth += ListView_GetColumnWidth(table.List(), c);
        PostMessageW(table.Hwnd(), WM_CLOSE, 0, 0);
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleTable, 0);
    Pump();
    EXPECT_EQ(columnsWidth, s.Edge(970)) << "the columns end where the 96-DPI ones end, scaled";
    form_->SetCycleFormShown(nullptr);
    form_->SetCycleTableShown(nullptr);
    EXPECT_TRUE(errors_.empty());
}

// The memo dialog and the About box are made once and shown again and again; when the main window
// has since moved to a monitor of another DPI, they lay themselves out anew at its scale.
TEST_F(ScaleTest, KeptDialogsFollowTheirOwnersNewScale) {
    Start();
    TAboutForm about(form_->Hwnd());
    const DisplayScale moved(ScaleFor(form_->Hwnd()).IsDesignSize() ? 144 : kDesignDpi);
    KeepScaleWith(form_->Hwnd(), moved);

    memo_->SetTitle("4/1");
    {
        DialogAnswer dialog(L"4/1", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); });
        memo_->ShowModal();
        ASSERT_TRUE(dialog.Found());
    }
    ExpectClientScaled(memo_->Hwnd(), moved, 339, 78, "memo dialog");
    EXPECT_EQ(FontHeightOf(memo_->btnOk()), moved.FontHeight(-15));
    EXPECT_EQ(ChildBox(memo_->pnlTitle().Hwnd()), moved.Box(9, 8, 65, 25));

    {
        DialogAnswer dialog(L"バージョン情報", [](HWND d) { PostButtonClick(d, IDOK); });
        about.ShowModal();
        ASSERT_TRUE(dialog.Found());
    }
    ExpectClientScaled(about.Hwnd(), moved, 577, 319, "About box");
    EXPECT_EQ(FontHeight(about.CopyFont()), moved.FontHeight(-15));
    EXPECT_EQ(ChildBox(about.Panel1()), moved.Box(8, 8, 561, 265));
    EXPECT_TRUE(errors_.empty());
}

// A scale too large for the screen (the main window's, fitted to its own size) lays the taller cycle
// window out as large as fits, its buttons on the screen.
TEST_F(ScaleTest, CycleWindowTooLargeForTheScreenTakesTheLargestScaleThatFits) {
    Start();
    KeepScaleWith(form_->Hwnd(), DisplayScale(288));
    DisplayScale taken;
    RECT window{};
    form_->SetCycleFormShown([&](TCycleForm& cycle) {
        taken = cycle.Scale();
        GetWindowRect(cycle.Hwnd(), &window);
        ExpectClientScaled(cycle.Hwnd(), taken, 960, 640, "cycle window");
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
    Pump();
    form_->SetCycleFormShown(nullptr);
    KeepScaleWith(form_->Hwnd(), form_->Scale());
    EXPECT_LT(taken.Dpi(), 288);
    EXPECT_GT(taken.Dpi(), kDesignDpi);
    const Rect work = MainMonitor();
    EXPECT_GE(window.left, work.left);
    EXPECT_GE(window.top, work.top);
    EXPECT_LE(window.right, work.right);
    EXPECT_LE(window.bottom, work.bottom);
    EXPECT_TRUE(errors_.empty());
}

// Moved, open, to a monitor of another DPI, the cycle window and the table lay themselves out anew
// for it, as large as fits.
TEST_F(ScaleTest, OpenCycleWindowsFollowADpiChange) {
    Start();
    const int other = ScaleFor(form_->Hwnd()).IsDesignSize() ? 144 : kDesignDpi;
    RECT suggested{10, 10, 500, 500};
    const auto moved = [&](ModalForm& window, HWND button, const Rect& design, int width, int height) {
        const DisplayScale before = window.Scale();
        SendMessageW(window.Hwnd(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
        const DisplayScale s = window.Scale();
        EXPECT_NE(s, before);
        EXPECT_LE(s.Dpi(), other);
        ExpectClientScaled(window.Hwnd(), s, width, height, "moved window");
        EXPECT_EQ(ChildBox(button), s.Box(design));
        EXPECT_EQ(FontHeightOf(button), s.FontHeight(-15));
        PostMessageW(window.Hwnd(), WM_CLOSE, 0, 0);
    };
    form_->SetCycleFormShown([&](TCycleForm& cycle) {
        moved(cycle, cycle.btnClose(), Rect{842, 607, 952, 632}, 960, 640);
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
    Pump();
    form_->SetCycleTableShown([&](TCycleTableForm& table) {
        moved(table, table.btnClose(), Rect{892, 447, 1002, 472}, 1010, 480);
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleTable, 0);
    Pump();
    form_->SetCycleFormShown(nullptr);
    form_->SetCycleTableShown(nullptr);
    EXPECT_TRUE(errors_.empty());
}

} // namespace purimo::test
