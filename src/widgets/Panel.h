#pragma once
// A panel with a lowered 1-pixel bevel and one line of text centred in it.
#include <string>

#include "common/Canvas.h"
#include "widgets/GdiCanvas.h"
#include "widgets/Window.h"

namespace purimo {

class Panel : public Window {
public:
    void Create(HWND parent, int x, int y, int w, int h, const FontSpec& font, Color text, Color background);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    void SetFont(const FontSpec& font);
    const FontSpec& Font() const { return font_; }

    bool PaintContent(HDC dc, const RECT& client) override;

private:
    std::string caption_;
    FontSpec font_;
    FontCache fonts_; // the caption's font, made at the first paint and kept
    Color text_ = 0;
    Color background_ = 0;
};

} // namespace purimo
