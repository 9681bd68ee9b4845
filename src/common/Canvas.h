#pragma once
// Drawing surface used by the chart renderer and the cell painter. GdiCanvas draws on a device
// context; tests draw on a recording canvas with fixed font metrics.
#include <cstdint>
#include <string>

namespace purimo {

// Color value $00BBGGRR. With the top bit set the low byte names a system color of the desktop
// scheme (the index GetSysColor takes), except for kDefaultPointColor which the chart resolves.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr Color SystemColor(int index) {
    return 0x80000000u | static_cast<Color>(index);
}
constexpr bool IsSystemColor(Color c) {
    return (c & 0x80000000u) != 0;
}

// System color indexes (the values of COLOR_* in the Windows headers).
constexpr int kSysWindow = 5;
constexpr int kSysWindowText = 8;
constexpr int kSysInactiveCaption = 3;
constexpr int kSysBtnFace = 15;
constexpr int kSysBtnShadow = 16;
constexpr int kSysBtnHighlight = 20;
constexpr int kSysInfoBk = 24;

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kGray = Rgb(128, 128, 128);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kNavy = Rgb(0, 0, 128);
constexpr Color kYellow = Rgb(255, 255, 0);
constexpr Color kLightMagenta = Rgb(255, 128, 255);

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct FontSpec {
    std::string face; // code page 932 bytes, e.g. "ＭＳ ゴシック"
    int height = 0;   // as in LOGFONT: negative = character height, positive = cell height
    bool bold = false;
    int escapement = 0; // tenths of a degree
    bool operator==(const FontSpec&) const = default;
};

enum class PenStyle { Solid, Dot, Dash };

// Horizontal alignment of text drawn at a point; the point is always the top of the line box.
enum class TextAlign { Left, Center, Right };

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetPen(Color color, int width, PenStyle style = PenStyle::Solid) = 0;
    virtual void SetBrush(Color color) = 0;
    virtual void SetClearBrush() = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual void SetTextColor(Color color) = 0;

    // A line covers its start point and every pixel up to, not including, its end point.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Covers columns left .. right - 1 and rows top .. bottom - 1: outline in the pen, inside in
    // the brush.
    virtual void DrawRectangle(const Rect& r) = 0;
    // The ellipse inside the same pixels as DrawRectangle's.
    virtual void DrawEllipse(const Rect& r) = 0;
    virtual void Fill(const Rect& r, Color color) = 0;
    // Transparent background.
    virtual void WriteText(int x, int y, TextAlign align, const std::string& text) = 0;
    // One line centred horizontally and vertically in r, clipped to r.
    virtual void WriteTextInRect(const Rect& r, const std::string& text) = 0;

    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
};

} // namespace purimo
