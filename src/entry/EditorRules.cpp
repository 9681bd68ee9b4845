#include "entry/EditorRules.h"

#include <algorithm>
#include <cstdio>

#include "common/Cp932.h"
#include "common/NumberText.h"

namespace purimo {

const std::array<const char*, kTemperatureItemCount> kTemperatureItems{
    "37.5", "37.4", "37.3", "37.2", "37.1", "37.0", "36.9", "36.8", "36.7", "36.6", "36.5",
    "36.4", "36.3", "36.2", "36.1", "36.0", "35.9", "35.8", "35.7", "35.6", "35.5", ""};

const std::array<const char*, kEventItemCount> kEventItems{"", "×", "△\t", "＋\t", "◎"};

// CR and LF are never the second byte of a double-byte character, so a byte search finds them.
std::string CellLine(const std::string& edited) {
    return edited.substr(0, edited.find_first_of("\r\n"));
}

template <size_t N>
int MatchListItem(const std::array<const char*, N>& items, const std::string& cell, size_t prefixBytes) {
    const std::string wanted = cell.substr(0, prefixBytes);
    for (size_t i = 0; i < N; ++i)
        if (std::string(items[i]).substr(0, prefixBytes) == wanted)
            return static_cast<int>(i);
    return -1;
}

int MatchTemperatureItem(const std::string& cell) {
    return MatchListItem(kTemperatureItems, cell, 4);
}

int MatchEventItem(const std::string& cell) {
    return MatchListItem(kEventItems, cell, 2);
}

bool SpinAcceptsChar(char32_t ch, char32_t decimalSeparator) {
    if (ch >= U'0' && ch <= U'9')
        return true;
    if (ch == U'+' || ch == U'-' || ch == decimalSeparator)
        return true;
    return ch < 0x20 && ch != U'\r';
}

std::string SpinStepText(const std::string& text, int delta) {
    long long value = ParseWholeNumber(text).value_or(0) + delta;
    return std::to_string(std::clamp<long long>(value, kSpinMin, kSpinMax));
}

std::string SpinClampText(const std::string& text) {
    std::optional<long long> value = ParseWholeNumber(text);
    if (value && *value < kSpinMin)
        return std::to_string(kSpinMin);
    if (value && *value > kSpinMax)
        return std::to_string(kSpinMax);
    return text;
}

std::string MemoTitle(const std::string& yearCaption, const std::string& monthCaption, int col,
                      const std::string& headerText) {
    long long day = 1;
    if (col != 1)
        day = ParseWholeNumber(headerText).value_or(col);
    return yearCaption + "/" + monthCaption + "/" + ZeroPadded(day, 2);
}

bool MemoInsertFits(size_t textBytes, size_t selectedBytes, size_t insertBytes) {
    return textBytes - std::min(selectedBytes, textBytes) + insertBytes <= kMemoMaxBytes;
}

bool MemoDropsChar(char32_t ch) {
    return ch == U',';
}

std::string Cp932Prefix(const std::string& text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + Cp932CharLength(text, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return text.substr(0, end);
}

MemoKeyAction MemoKeyDownAction(int virtualKey, bool shift, bool ctrl, MemoFocus focus) {
    constexpr int kEnter = 0x0D;
    constexpr int kEscape = 0x1B;
    if (shift || ctrl)
        return MemoKeyAction::None;
    if (virtualKey == kEscape)
        return MemoKeyAction::PressCancel;
    if (virtualKey == kEnter && focus == MemoFocus::Ok)
        return MemoKeyAction::PressOk;
    if (virtualKey == kEnter && focus == MemoFocus::Cancel)
        return MemoKeyAction::PressCancel;
    return MemoKeyAction::None;
}

MemoKeyAction MemoCharAction(char32_t ch) {
    if (ch == U'\r')
        return MemoKeyAction::FocusNext;
    if (ch == 0x1B)
        return MemoKeyAction::FocusPrevious;
    return MemoKeyAction::None;
}

MemoFocus MemoFocusAfter(MemoFocus focus, bool forward) {
    int index = static_cast<int>(focus);
    return static_cast<MemoFocus>((index + (forward ? 1 : 2)) % 3);
}

} // namespace purimo
