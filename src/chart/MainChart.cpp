#include <windows.h>

#include "app/Main.h"

namespace purimo {

void TMainForm::menuSettingMarksClick() {
    bool visible = !MarksChecked();
    Chart& chart = chartMain_.Model();
    chart.SetMarksVisible(chart.SeriesAt(kTemperatureSeries), visible);
    CheckMenuItem(menu_, kCmdSettingMarks, MF_BYCOMMAND | (visible ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace purimo
