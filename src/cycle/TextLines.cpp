#include <windows.h>

#include "cycle/TextLines.h"
#include "widgets/Dpi.h"
#include "widgets/WinText.h"

namespace purimo {

void TextLines::Create(HWND parent, int left, int top, int width, int count, HFONT font, const DisplayScale& scale) {
    for (int i = 0; i < count; ++i) {
        const Rect box = scale.Box(left, top + i * kCycleLineHeight, width, kCycleLineHeight);
        HWND line = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, box.left, box.top, box.Width(),
                                    box.Height(), parent, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        lines_.push_back(line);
    }
}

void TextLines::Place(int left, int top, int width, HFONT font, const DisplayScale& scale) {
    for (size_t i = 0; i < lines_.size(); ++i) {
        purimo::Place(lines_[i],
                      scale.Box(left, top + static_cast<int>(i) * kCycleLineHeight, width, kCycleLineHeight));
        SendMessageW(lines_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void TextLines::Set(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const bool used = i < lines.size();
        SetWindowTextW(lines_[i], used ? Widen(lines[i]).c_str() : L"");
        ShowWindow(lines_[i], used ? SW_SHOWNA : SW_HIDE);
    }
}

std::vector<std::string> TextLines::Texts() const {
    std::vector<std::string> texts;
    for (HWND line : lines_)
        if (GetWindowLongW(line, GWL_STYLE) & WS_VISIBLE)
            texts.push_back(Narrow(WindowText(line)));
    return texts;
}

} // namespace purimo
