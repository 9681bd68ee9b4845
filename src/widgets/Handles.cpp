#include <windows.h>

#include "widgets/Handles.h"

namespace purimo {

namespace {
long liveHandles = 0;
}

void detail::CountHandle(int delta) {
    liveHandles += delta;
}

long LiveHandleCount() {
    return liveHandles;
}

FontHandle MakeFont(const wchar_t* face, int height, bool bold, int escapement, BYTE charset) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return FontHandle(CreateFontIndirectW(&lf));
}

BrushHandle MakeBrush(COLORREF color) {
    return BrushHandle(CreateSolidBrush(color));
}

PenHandle MakePen(COLORREF color, int width, int style) {
    return PenHandle(CreatePen(style, width, color));
}

} // namespace purimo
