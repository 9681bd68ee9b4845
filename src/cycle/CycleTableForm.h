#pragma once
// The table of every cycle: one row a cycle in a list view, the statistics under it. Enter or a double
// click opens the cycle window on the row's cycle; Ctrl+A selects every row and Ctrl+C copies rows
// for a spreadsheet.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "cycle/CycleTable.h"
#include "cycle/TextLines.h"
#include "widgets/Handles.h"
#include "widgets/Modal.h"

namespace purimo {

class TCycleTableForm : public ModalForm {
public:
    TCycleTableForm(HWND owner, DaySeries series);

    // Returns when the window is closed; shown runs once it stands, inside its modal loop.
    void ShowModal(const std::function<void()>& shown = {});
    // Opens the cycle window over this one on the cycle (index); gives the diary back as it then
    // stands (a reading may have been left out), and the table shows it anew.
    std::function<DaySeries(HWND owner, const DaySeries& series, int cycle)> OpenCycle;

    void OpenRow(int row);
    // The selected rows (all when none is selected) as text, onto the clipboard.
    void CopyRows();
    void SelectAllRows();

    HWND List() const { return list_; }
    HWND btnClose() const { return btnClose_; }
    const std::vector<CycleTableRow>& Rows() const { return rows_; }
    // The texts under the table, top to bottom.
    std::vector<std::string> Texts() const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void LayOutAgain() override;
    void Fill();
    bool PreviewKey(const MSG& msg);
    LRESULT OnNotify(const NMHDR* header);

    DaySeries series_;
    std::vector<CycleTableRow> rows_;
    std::vector<std::vector<std::wstring>> cells_; // the rows' texts as the list shows them
    FontHandle font_;
    FontHandle listFont_;
    HWND list_ = nullptr;
    TextLines lines_;
    HWND btnClose_ = nullptr;
};

} // namespace purimo
