#pragma once
// The main window: header strip, month grid, temperature chart and menu. Handlers of the month,
// chart, entry and output subsystems are defined in their own folders.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/Application.h"
#include "app/Splash.h"
#include "chart/ChartControl.h"
#include "common/DisplayScale.h"
#include "common/GridLayout.h"
#include "entry/ComEdit.h"
#include "month/MonthFileIo.h"
#include "month/MonthGrid.h"
#include "output/OutputState.h"
#include "widgets/DropDownList.h"
#include "widgets/Handles.h"
#include "widgets/Panel.h"
#include "widgets/PictureButton.h"
#include "widgets/SpinEdit.h"
#include "widgets/StringGrid.h"
#include "widgets/Window.h"

namespace purimo {

class TAboutForm;
class TCycleForm;
class TCycleTableForm;
class DaySeries;
struct CycleAnalysis;

// Menu command identifiers of PurimoMenu.
enum MenuCommand : UINT {
    kCmdFileSaves = 101,
    kCmdFilePrint = 102,
    kCmdFileExit = 103,
    kCmdSettingMarks = 201,
    kCmdHelpManual = 301,
    kCmdHelpHomePage = 302,
    kCmdHelpAbout = 303,
    kCmdCycleGraph = 401,
    kCmdCycleReport = 402,
    kCmdCycleCsv = 403,
    kCmdCycleTable = 404,
};

constexpr int kDesignLeft = 214;
constexpr int kDesignTop = 165;
// The cycle-day field at 96 DPI, where it is made before it first opens over a cell.
constexpr Rect kSpinEditBox{912, 8, 912 + 36, 8 + 21};

// The main window answers the grid control for the month's cells (GridCells).
class TMainForm : public Window, private GridCells {
public:
    explicit TMainForm(AppContext context);
    ~TMainForm() override;

    // Creates the window; FormCreate runs during the creation.
    void Create();
    // Shows the window for the first time (FormShow runs once).
    void Show(int showCommand = SW_SHOW);
    // Lets the other windows of the program run take part in start-up and closing.
    void SetSplash(TSplashForm* splash) { splash_ = splash; }
    // The memo dialog, opened from the grid's memo row; OK writes into the current cell.
    void SetMemoDialog(TComEditForm* memo);
    // Or the way to make it at its first opening: every window made during the start delays the
    // first painted month (Wine makes an X window for each), and most days no memo is written.
    void SetMemoDialogMaker(std::function<TComEditForm*()> make) { makeMemo_ = std::move(make); }
    // Asks the window to close as its close button would; returns whether it closed.
    bool RequestClose();
    // Alt+Left and Alt+Right page as the two buttons do, from anywhere in the window: seen before
    // dispatch, since a combo box with the focus would swallow them. true when msg was taken.
    bool PreviewKey(const MSG& msg);
    // A window whose caption bar lies outside every monitor's work area (a saved place on a monitor
    // that is gone) moves just enough to stand whole on the nearest one.
    void KeepOnScreen();
    // The display scale the window is laid out at.
    const DisplayScale& Scale() const { return scale_; }
    // Lays the window out anew for dpi, as when it moved to a monitor of another scale; suggested is
    // where the system would have it (its place is taken), or null.
    void ApplyDpi(int dpi, const RECT* suggested);

    bool PaintContent(HDC dc, const RECT& client) override;
    // In the application's error box; the memo dialog, the About box and every control of the
    // window hand their errors here.
    void ReportError(const std::string& message) override;

    // Start-up, clock and closing.
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void Timer1Timer();
    void menuFileExitClick();

    // Month data: showing, paging and saving.
    void Set_ChangeCalender(unsigned short year, unsigned short month);
    void btnPrevClick();
    void btnNextClick();
    void btnSavesClick();
    // Writes the shown month, merged with what another writer put into its file meanwhile; tellMerge
    // shows what was kept where both changed a day (not at a log-off).
    void SaveShownMonth(bool tellMerge);
    // The shown month read again when its file changed elsewhere and nothing of it was changed here.
    void PickUpChangesElsewhere();
    std::wstring MonthFilePath() const;
    // What writes the month file's blocks when it is saved; an empty function is WriteFile again.
    // Tests give one that fails part-way.
    void SetWriteBlockFunction(WriteBlockFunction writeBlock);

    // Day entry: the in-place editors, the memo dialog and the cells' painting.
    void gridMainClick();
    void gridMainKeyDown(WORD key, bool shift);
    void spinEditExit();
    void cmbTempExit();
    void cmbEventExit();
    void cmbTempClick();
    // An open in-place editor is written into its cell and closed, as leaving it would.
    void CommitOpenEditor();
    // The grid as the user sees it: an open in-place editor's value stands in its cell.
    MonthGrid GridWithOpenEditor() const;
    void gridMainDrawCell(Canvas& canvas, int col, int row, const Rect& rect, bool fixed, bool focused);
    void DrawVerticalText(Canvas& canvas, const std::string& text, const Rect& rect);
    // The control that holds the focus, or gets it back when the window is active again.
    HWND ActiveControl() const;

    // Chart.
    void menuSettingMarksClick();
    bool MarksChecked() const;

    // Output and help.
    void menuFileSavesClick();
    void menuFilePrintClick();
    void menuHelpManualClick();
    void menuHelpHomePageClick();
    void menuHelpAboutClick();
    // The printer set-up dialog over owner and the chosen printer made current, as every print
    // command does it; empty when the user cancels. portrait opens it with an upright page.
    MemoryDc SetUpPrinter(HWND owner, bool portrait);
    void SetAbout(TAboutForm* about) { about_ = about; }
    // Or the way to make the About box at its first opening, as the memo dialog.
    void SetAboutMaker(std::function<TAboutForm*()> make) { makeAbout_ = std::move(make); }

    // Cycles across months: the cycle window, over the month files and the grid as it is.
    void menuCycleGraphClick();
    // Every cycle in one table.
    void menuCycleTableClick();
    void SetCycleTableShown(std::function<void(TCycleTableForm&)> shown) { cycleTableShown_ = std::move(shown); }
    // The doctor's report of the newest three cycles on one printed page.
    void menuCycleReportClick();
    // The whole diary as a CSV file, in code page 932 or UTF-8.
    void menuCycleCsvClick();
    // A test sees the cycle window while it is shown modally.
    void SetCycleFormShown(std::function<void(TCycleForm&)> shown) { cycleFormShown_ = std::move(shown); }

    // Read access for the windows of the program and for tests.
    const AppContext& Context() const { return context_; }
    MonthGrid& Grid() { return gridModel_; }
    GridLayout& Layout() { return gridLayout_; }
    StringGrid& gridMain() { return gridMain_; }
    ChartControl& chartMain() { return chartMain_; }
    Panel& pnlYear() { return pnlYear_; }
    Panel& pnlMonth() { return pnlMonth_; }
    Panel& pnlGuide() { return pnlGuide_; }
    Panel& pnlDate() { return pnlDate_; }
    PictureButton& btnPrev() { return btnPrev_; }
    PictureButton& btnNext() { return btnNext_; }
    // The editors are made when first opened; asked for, they are made.
    DropDownList& cmbEvent() {
        CreateLists();
        return cmbEvent_;
    }
    DropDownList& cmbTemp() {
        CreateLists();
        return cmbTemp_;
    }
    SpinEdit& spinEdit() {
        CreateSpinEdit();
        return spinEdit_;
    }
    HWND Tooltip() const { return tooltip_; }
    HMENU PurimoMenu() const { return menu_; }
    unsigned short ShownYear() const { return shownYear_; }
    unsigned short ShownMonth() const { return shownMonth_; }
    // The window's children in drawing order, back to front.
    std::vector<HWND> ChildrenBackToFront() const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnCreate();
    LRESULT OnCommand(WPARAM wp, LPARAM lp);
    LRESULT OnControlCommand(HWND control, UINT code);
    LRESULT OnCtlColorEdit(HDC dc, HWND control);
    LRESULT OnClose();
    LRESULT OnTimer();
    LRESULT OnQueryEndSession();
    LRESULT OnActivate(UINT state);
    LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT* item);
    void CreateControls();
    // The factor for dpi: dpi / 96, or less where the window for a 31-day month would not fit the
    // work area of monitor at it.
    DisplayScale FittingScale(int dpi, HMONITOR monitor) const;
    void MakeFonts();
    // Moves and sizes the controls and the window for the shown month at the current scale.
    void PlaceControls();
    void CreateMenuBar();
    void CreateTooltips(const MSG& move);
    // The tooltips' text in the system's font at the window's scale: the system gives it at its own
    // DPI, which differs on another monitor or where the window's factor was fitted to the screen.
    void ScaleTooltipFont();
    void ApplyMonthWidths(int days);
    void CreateSpinEdit();
    void CreateLists();
    // Where an editor stands over the cell: the cell's corner inside the grid's border.
    POINT EditorPlace(CellPos cell) const;
    void OpenSpinEdit(const std::string& text, POINT at);
    void OpenList(DropDownList& list, int match, POINT at);
    void OpenMemo(const std::string& text, int col);
    // The focus went to another window, or to none of this program: the editor stays open.
    bool FocusLeftTheWindow() const;
    void SetSpinText(const std::string& text);
    std::string SpinText() const;
    void WriteCurrentCell(const std::string& text);

    CellPos CurrentCell() const override { return gridModel_.Current(); }
    void SetCurrentCell(CellPos cell) override { gridModel_.SetCurrent(cell); }
    void PaintCell(Canvas& canvas, int col, int row, const Rect& r, bool fixed, bool focused) override {
        gridMainDrawCell(canvas, col, row, r, fixed, focused);
    }
    void FocusNextEditor(bool forward);
    void SetCaptions();
    // Every month file and the grid as it is shown, read for the cycle commands; nothing is written.
    DaySeries ReadDiary() const;
    // The report of the cycle at newest and the two before it, over owner.
    void PrintCycleReport(HWND owner, const DaySeries& series, const CycleAnalysis& analysis, int newest);
    RECT NormalWindowRect() const;

    AppContext context_;
    TSplashForm* splash_ = nullptr;
    MonthGrid gridModel_;
    GridLayout gridLayout_;
    DisplayScale scale_;
    unsigned short shownYear_ = 0;
    unsigned short shownMonth_ = 0;
    bool shown_ = false;
    // The shown month's file exists but did not load whole: its bytes are kept aside before the
    // first save overwrites them.
    bool keepBackupOnSave_ = false;
    // The month as loaded or last saved (its cells and the file's stamp): the base of a merge with
    // another writer's changes. A month that failed to load has an empty base.
    MonthGrid loadedGrid_;
    MonthFileStamp loadedStamp_;
    bool loadFailed_ = false;
    MonthGrid shownAfterFailedLoad_;
    bool endingSession_ = false;
    // Alt was held for paging: its release must not open the menu bar.
    bool pagedWithAlt_ = false;
    WriteBlockFunction writeBlock_ = WriteFileBlock;
    // The control that held the focus when the window was last deactivated.
    HWND activeControl_ = nullptr;

    FontHandle formFont_;
    FontHandle labelFont_;
    FontHandle gridFont_; // also the in-place editors'
    TComEditForm* memo_ = nullptr;
    std::function<TComEditForm*()> makeMemo_;
    // The cycle-day field's text as it was last set, and the bytes it came from: an unchanged
    // text goes back into the cell as those bytes.
    std::string spinBytes_ = "0";
    std::wstring spinShown_ = L"0";
    StringGrid gridMain_{*this, gridLayout_};
    ChartControl chartMain_;
    Panel pnlGuide_;
    PictureButton btnNext_;
    PictureButton btnPrev_;
    Panel pnlDate_;
    Panel pnlYear_;
    Panel pnlMonth_;
    DropDownList cmbEvent_;
    DropDownList cmbTemp_;
    SpinEdit spinEdit_;
    HWND tooltip_ = nullptr;
    FontHandle tooltipFont_;
    HMENU menu_ = nullptr;

    // Output and help.
    TAboutForm* about_ = nullptr;
    std::function<TAboutForm*()> makeAbout_;
    OutputState output_;

    std::function<void(TCycleForm&)> cycleFormShown_;
    std::function<void(TCycleTableForm&)> cycleTableShown_;
    // The cycle window over owner on the series, opened on the cycle begun by lastDay; gives the
    // diary back as it stands when the window closes.
    DaySeries ShowCycleWindow(HWND owner, DaySeries series, int lastDay);
};

} // namespace purimo
