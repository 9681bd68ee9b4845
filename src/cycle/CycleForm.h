#pragma once
// The cycle window: one cycle whole, by cycle day, with its shift, phases and the figures over all
// cycles. Modal over the main window; paging and closing never write a file.
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "cycle/CycleDays.h"
#include "cycle/Cycles.h"
#include "cycle/TextLines.h"
#include "widgets/Handles.h"
#include "widgets/Modal.h"
#include "widgets/Window.h"

namespace purimo {

class TCycleForm;

// The chart of the shown cycle, drawn through the same painter as the printed report.
class CycleChartView : public Window {
public:
    void Create(TCycleForm& form, HWND parent, int x, int y, int w, int h);
    bool PaintContent(HDC dc, const RECT& client) override;
    // The client x of the middle of the day's column, as last painted.
    int DayX(int index) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TCycleForm* form_ = nullptr;
    // The columns as last painted, for a click to find its day.
    int plotLeft_ = 0;
    int plotWidth_ = 1;
    int dayCount_ = 1;
};

class TCycleForm : public ModalForm {
public:
    // series: the diary's days, already read; shownLastDay: the last day (serial) of the month the
    // main window shows, whose cycle the window opens on.
    TCycleForm(HWND owner, DaySeries series, int shownLastDay);

    // Returns when the window is closed; shown runs once it stands, inside its modal loop.
    void ShowModal(const std::function<void()>& shown = {});
    // -1 while no cycle has begun.
    int ShownCycle() const { return shown_; }
    int CycleCount() const { return static_cast<int>(analysis_.cycles.size()); }
    void ShowCycle(int index);
    void ShowOlder() { ShowCycle(shown_ - 1); }
    void ShowNewer() { ShowCycle(shown_ + 1); }
    // The day the window marks (a serial within the shown cycle): the one that is left out or taken
    // back in. It starts on the cycle's last day with a reading.
    int SelectedDay() const { return selected_; }
    void SelectDay(int serial);
    // Leaves the selected day's reading out, or takes it back in; the whole window is computed anew.
    void ToggleLeftOut();
    bool CanToggleLeftOut() const;
    // Changes the diary's list of readings left out: (day, out) gives the dates as they then stand.
    std::function<std::vector<int>(int serial, bool out)> ChangeLeftOut;

    const DaySeries& Series() const { return series_; }
    const CycleAnalysis& Analysis() const { return analysis_; }
    // The visible text lines, top to bottom (code page 932).
    std::vector<std::string> Texts() const;
    HWND btnPrev() const { return btnPrev_; }
    HWND btnNext() const { return btnNext_; }
    HWND btnClose() const { return btnClose_; }
    HWND btnReport() const { return btnReport_; }
    HWND btnLeaveOut() const { return btnLeaveOut_; }
    // The report button: the shown cycle and the two before it on paper.
    std::function<void(int shownCycle)> OnReport;
    HWND Chart() const { return chart_.Hwnd(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool PreviewKey(const MSG& msg);
    void Refresh();
    LRESULT OnContextMenu(HWND from, LPARAM lp);
    const DayRecord* Record(int serial) const;
    LRESULT OnCommand(UINT id);
    // A push button at its 96-DPI box, laid out at the scale.
    HWND MakeButton(const wchar_t* text, int id, const Rect& design);
    void LayOutAgain() override;

    DaySeries series_;
    CycleAnalysis analysis_;
    int shown_ = -1;
    int selected_ = 0;
    FontHandle font_;
    CycleChartView chart_;
    TextLines lines_;
    HWND btnPrev_ = nullptr;
    HWND btnNext_ = nullptr;
    HWND btnClose_ = nullptr;
    HWND btnReport_ = nullptr;
    HWND btnLeaveOut_ = nullptr;
};

} // namespace purimo
