#pragma once
// The chart panel: owns the chart model and a cached image of its last drawing. A change marks
// the image stale and asks for a paint; a paint with a fresh image only copies it.
#include <windows.h>

#include "chart/Chart.h"
#include "widgets/GdiCanvas.h"
#include "widgets/Handles.h"
#include "widgets/Window.h"

namespace purimo {

class ChartControl : public Window {
public:
    ChartControl();

    void Create(HWND parent, int x, int y, int w, int h);

    Chart& Model() { return chart_; }
    const Chart& Model() const { return chart_; }
    // How many times the chart was drawn anew since creation.
    int RedrawCount() const { return redraws_; }

    bool PaintContent(HDC dc, const RECT& client) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    LRESULT OnPaint();
    void Redraw(HDC reference, int w, int h);

    Chart chart_;
    // The last drawing; the DC goes before the bitmap selected into it.
    BitmapHandle image_;
    MemoryDc imageDc_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int redraws_ = 0;
    bool paintRequested_ = false; // asked for a paint since the last drawing
    FontCache fonts_;             // the axis and mark fonts, made at the first drawing and kept
};

} // namespace purimo
