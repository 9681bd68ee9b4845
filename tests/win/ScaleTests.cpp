#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ScaleFixture.h"
#include "output/WindowImage.h"
#include "widgets/Dpi.h"
#include "widgets/WinText.h"

namespace purimo::test {
namespace {

// The character height (cell height less the internal leading) the font really has on the screen.
int CharacterHeight(const FontSpec& asked) {
    FontHandle font = MakeFont(Widen(asked.face).c_str(), asked.height, asked.bold);
    WindowDc screen(nullptr);
    SelectScope select(screen.Get(), font.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

// The main window for a month of days at the scale: client area, column edges, panels, chart and
// fonts; exact at 96 DPI, within a pixel elsewhere.
void ExpectMainWindowAt(TMainForm& form, const DisplayScale& s, int days) {
    const int slack = s.IsDesignSize() ? 0 : 1;
    RECT client;
    GetClientRect(form.Hwnd(), &client);
    EXPECT_NEAR(client.right, s.Edge(1002 - 30 * (31 - days)), slack);
    EXPECT_NEAR(client.bottom, s.Edge(585), slack);
    const Rect grid = ScaleTest::ChildBox(form.gridMain().Hwnd());
    for (int col : {0, 1, 15, days}) {
        const Rect cell = form.gridMain().CellRect(col, 2);
        const int designLeft = col == 0 ? 0 : 51 + 30 * (col - 1);
        EXPECT_NEAR(grid.left + form.gridMain().Border() + cell.left, s.Edge(10 + designLeft), slack)
            << "column " << col;
        EXPECT_NEAR(grid.left + form.gridMain().Border() + cell.right, s.Edge(10 + designLeft + (col == 0 ? 50 : 29)),
                    slack)
            << "column " << col;
    }
    const Rect chart = ScaleTest::ChildBox(form.chartMain().Hwnd());
    const Rect designChart = s.Box(8, 281, 985 - 30 * (31 - days), 297);
    EXPECT_NEAR(chart.left, designChart.left, slack);
    EXPECT_NEAR(chart.top, designChart.top, slack);
    EXPECT_NEAR(chart.right, designChart.right, 2 * slack);
    EXPECT_NEAR(chart.bottom, designChart.bottom, slack);
    EXPECT_EQ(chart.Width(), grid.Width()) << "the chart stands under the grid";
    const Rect date = ScaleTest::ChildBox(form.pnlDate().Hwnd());
    EXPECT_EQ(date, s.Box(648, 8, 247, 25));
    EXPECT_EQ(ScaleTest::ChildBox(form.btnNext().Hwnd()), s.Box(204, 8, 36, 26));
    EXPECT_EQ(form.chartMain().Model().Scale(), s);
    // The character heights asked for at 96 DPI, scaled, are what the screen's fonts give.
    EXPECT_NEAR(CharacterHeight(form.gridMain().Font()), -s.FontHeight(-12), 1);
    EXPECT_NEAR(CharacterHeight(form.pnlYear().Font()), -s.FontHeight(-21), 1);
    EXPECT_NEAR(CharacterHeight(form.pnlDate().Font()), -s.FontHeight(-15), 1);
    // The window image, for the bitmap file and the printout, is the window as large as it is.
    BitmapHandle image = CaptureWindowImage(form.Hwnd());
    BITMAP size{};
    GetObjectW(image.Get(), sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, client.right);
    EXPECT_EQ(size.bmHeight, client.bottom);
}

} // namespace

// The screen's scale, on a desktop large enough for the window at it.
TEST_F(ScaleTest, MainWindowTakesTheScreensScale) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteFileBytes(MonthPath("202602"), kAprilFile);
    Start();
    form_->Set_ChangeCalender(2026, 2);
    const DisplayScale screen(SystemDpi());
    // The runs at a raised scale name it: a prefix that did not take it would pass at 96 DPI.
    if (const char* expected = std::getenv("PURIMO_EXPECT_DPI"))
        ASSERT_EQ(screen.Dpi(), std::atoi(expected));
    else if (!screen.IsDesignSize())
        GTEST_SKIP() << "the desktop of the whole suite is too small for the window at " << screen.Dpi() << " DPI";
    EXPECT_EQ(form_->Scale(), screen);
    ExpectMainWindowAt(*form_, screen, 28);
    // An editor opens over its cell at the same scale.
    form_->gridMain().SetCurrent(1, kRowTemperature);
    form_->gridMainClick();
    const Rect list = ChildBox(form_->cmbTemp().Hwnd());
    const Rect grid = ChildBox(form_->gridMain().Hwnd());
    EXPECT_EQ(list.left, grid.left + form_->gridMain().CellRect(1, kRowTemperature).left);
    EXPECT_NEAR(list.Width(), screen.Edge(50), 1);
    form_->CommitOpenEditor();
    EXPECT_TRUE(errors_.empty());
}

// Moved to a monitor of another scale, the window lays itself out anew where the system puts it; on
// a monitor too small for it at that scale, as large as fits.
TEST_F(ScaleTest, DpiChangeLaysTheWindowOutAnew) {
    Start();
    const int days = form_->Grid().ColCount() - 1;
    RECT suggested{20, 30, 1000, 700};
    SendMessageW(form_->Hwnd(), WM_DPICHANGED, MAKEWPARAM(kDesignDpi, kDesignDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form_->Scale(), DisplayScale());
    ExpectMainWindowAt(*form_, DisplayScale(), days);

    form_->gridMain().SetCurrent(2, kRowTemperature);
    form_->gridMainClick();
    SendMessageW(form_->cmbTemp().Hwnd(), CB_SETCURSEL, 3, 0);
    SendMessageW(form_->Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form_->Grid().Cell(2, kRowTemperature), "37.2") << "the open list's pick is kept";
    RECT window;
    GetWindowRect(form_->Hwnd(), &window);
    EXPECT_EQ(window.left, 20);
    EXPECT_EQ(window.top, 30);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(form_->Hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG frameWidth = (window.right - window.left) - ClientSize(form_->Hwnd()).cx;
    const bool fits = DisplayScale(144).Edge(1002) + frameWidth <= monitor.rcWork.right - monitor.rcWork.left &&
                      window.bottom - window.top - ClientSize(form_->Hwnd()).cy + DisplayScale(144).Edge(585) <=
                          monitor.rcWork.bottom - monitor.rcWork.top;
    if (fits) {
        EXPECT_EQ(form_->Scale(), DisplayScale(144));
    } else {
        EXPECT_LT(form_->Scale().Dpi(), 144);
        EXPECT_GT(form_->Scale().Dpi(), kDesignDpi);
        EXPECT_LE(window.right - window.left, monitor.rcWork.right - monitor.rcWork.left);
        EXPECT_LE(window.bottom - window.top, monitor.rcWork.bottom - monitor.rcWork.top);
    }
    ExpectMainWindowAt(*form_, form_->Scale(), days);
    EXPECT_EQ(ScaleFor(form_->Hwnd()), form_->Scale()) << "kept for the dialogs";
    SendMessageW(form_->btnNext().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    EXPECT_EQ(FontHeightOf(form_->Tooltip()), MulDiv(metrics.lfStatusFont.lfHeight, form_->Scale().Dpi(), SystemDpi()));
    EXPECT_TRUE(errors_.empty());
}

} // namespace purimo::test
