#pragma once
// A canvas that records every drawing call with the pen, brush, font and text color in effect,
// and measures text with fixed metrics per font: every character of a font is equally wide.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/Canvas.h"

namespace purimo {

enum class CanvasOp {
    SetPen,
    SetBrush,
    SetClearBrush,
    SetFont,
    SetTextColor,
    MoveTo,
    LineTo,
    Rectangle,
    Ellipse,
    Fill,
    Text,
    TextInRect
};

struct CanvasCall {
    CanvasOp op = CanvasOp::MoveTo;
    int x = 0; // MoveTo, LineTo (end point), Text
    int y = 0;
    int fromX = 0; // LineTo: the current position it starts from
    int fromY = 0;
    Rect rect;        // Rectangle, Fill, TextInRect
    Color color = 0; // Fill, and the color argument of the setters
    std::string text;
    TextAlign align = TextAlign::Left;
    // State in effect when the call was made (after it, for the setters).
    Color penColor = kBlack;
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    Color brushColor = kWhite;
    bool brushClear = false;
    FontSpec font;
    Color textColor = kBlack;
};

struct FontMetrics {
    int charWidth = 6;
    int height = 12;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<CanvasCall> calls;
    FontMetrics defaultMetrics;

    void SetMetrics(const FontSpec& font, FontMetrics metrics) { metrics_[Key(font)] = metrics; }

    std::vector<CanvasCall> Calls(CanvasOp op) const {
        std::vector<CanvasCall> found;
        for (const CanvasCall& c : calls)
            if (c.op == op)
                found.push_back(c);
        return found;
    }

    void SetPen(Color color, int width, PenStyle style) override {
        state_.penColor = color;
        state_.penWidth = width;
        state_.penStyle = style;
        Record(CanvasOp::SetPen).color = color;
    }
    void SetBrush(Color color) override {
        state_.brushColor = color;
        state_.brushClear = false;
        Record(CanvasOp::SetBrush).color = color;
    }
    void SetClearBrush() override {
        state_.brushClear = true;
        Record(CanvasOp::SetClearBrush);
    }
    void SetFont(const FontSpec& font) override {
        state_.font = font;
        Record(CanvasOp::SetFont);
    }
    void SetTextColor(Color color) override {
        state_.textColor = color;
        Record(CanvasOp::SetTextColor).color = color;
    }
    void MoveTo(int x, int y) override {
        CanvasCall& c = Record(CanvasOp::MoveTo);
        c.x = x;
        c.y = y;
        position_ = {x, y};
    }
    void LineTo(int x, int y) override {
        CanvasCall& c = Record(CanvasOp::LineTo);
        c.fromX = position_.first;
        c.fromY = position_.second;
        c.x = x;
        c.y = y;
        position_ = {x, y};
    }
    void DrawRectangle(const Rect& r) override { Record(CanvasOp::Rectangle).rect = r; }
    void DrawEllipse(const Rect& r) override { Record(CanvasOp::Ellipse).rect = r; }
    void Fill(const Rect& r, Color color) override {
        CanvasCall& c = Record(CanvasOp::Fill);
        c.rect = r;
        c.color = color;
    }
    void WriteText(int x, int y, TextAlign align, const std::string& text) override {
        CanvasCall& c = Record(CanvasOp::Text);
        c.x = x;
        c.y = y;
        c.align = align;
        c.text = text;
    }
    void WriteTextInRect(const Rect& r, const std::string& text) override {
        CanvasCall& c = Record(CanvasOp::TextInRect);
        c.rect = r;
        c.text = text;
    }

    int TextWidth(const std::string& text) override { return CharCount(text) * Metrics().charWidth; }
    int TextHeight(const std::string&) override { return Metrics().height; }

private:
    static std::string Key(const FontSpec& font) { return font.face + "/" + std::to_string(font.height); }

    // Code page 932: a lead byte and its trail byte are one character.
    static int CharCount(const std::string& text) {
        int count = 0;
        for (size_t i = 0; i < text.size(); ++i, ++count) {
            unsigned char b = static_cast<unsigned char>(text[i]);
            if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
                ++i;
        }
        return count;
    }

    FontMetrics Metrics() const {
        auto it = metrics_.find(Key(state_.font));
        return it == metrics_.end() ? defaultMetrics : it->second;
    }

    CanvasCall& Record(CanvasOp op) {
        CanvasCall c = state_;
        c.op = op;
        c.x = c.y = c.fromX = c.fromY = 0;
        c.rect = {};
        c.color = 0;
        c.text.clear();
        c.align = TextAlign::Left;
        calls.push_back(c);
        return calls.back();
    }

    CanvasCall state_;
    std::pair<int, int> position_{0, 0};
    std::map<std::string, FontMetrics> metrics_;
};

} // namespace purimo
