#include "month/ShowMonth.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "common/Errors.h"
#include "month/Calendar.h"
#include "month/MonthFile.h"

namespace purimo {

const char* const kRowLabels[kGridRowCount] = {"測定日", "周  期", "体  温", "変  化", "メ  モ"};

namespace {

constexpr double kLowestTemperature = 35.5;
constexpr double kHighestTemperature = 37.5;
constexpr int kDataRowCount = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(const std::string& text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

// A decimal number with a point: optional sign, digits with an optional fraction, optional
// exponent, and nothing else.
std::optional<double> ParseDecimal(const std::string& text) {
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const size_t numberStart = pos;
    size_t end = SkipDigits(text, pos);
    size_t digitCount = end - pos;
    if (end < text.size() && text[end] == '.') {
        const size_t fractionEnd = SkipDigits(text, end + 1);
        digitCount += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digitCount == 0)
        return std::nullopt;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd == exponent)
            return std::nullopt;
        end = exponentEnd;
    }
    if (end != text.size())
        return std::nullopt;

    // from_chars takes no '+' and ignores the locale.
    double value = 0;
    const auto result = std::from_chars(text.data() + numberStart, text.data() + end, value);
    if (result.ec != std::errc())
        return std::nullopt; // beyond the range of a double: far outside any temperature anyway
    return text[0] == '-' ? -value : value;
}

// Values this far from the temperature range are emptied unformatted: in fixed notation a double
// can take over 300 digits, and no buffer of ours should have to hold them.
constexpr double kFormattedMagnitude = 1e6;

std::optional<std::string> FormatOneDecimal(double value) {
    if (!(std::fabs(value) < kFormattedMagnitude))
        return std::nullopt;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (result.ec != std::errc())
        return std::nullopt;
    return std::string(buffer, result.ptr);
}

} // namespace

void LayOutGridTexts(MonthGrid& grid) {
    for (int row = 0; row < kGridRowCount; ++row)
        grid.SetCell(0, row, kRowLabels[row]);
}

int PrepareMonthColumns(MonthGrid& grid, int year, int month) {
    const int days = DaysInMonth(year, month);
    for (int col = 1; col < grid.ColCount(); ++col)
        for (int row = 0; row < kGridRowCount; ++row)
            grid.SetCell(col, row, {});
    grid.SetColCount(1 + days);
    for (int day = 1; day <= days; ++day)
        grid.SetCell(day, kRowHeader, DayHeader(month, day));
    return days;
}

bool ApplyMonthLines(MonthGrid& grid, int days, const std::vector<std::string>& lines) {
    if (lines.empty())
        return true;
    bool whole = true;
    for (int i = 0; i < kDataRowCount; ++i) {
        if (static_cast<size_t>(i) >= lines.size())
            throw AppError("リストのインデックスが範囲を超えています (" + std::to_string(lines.size()) + ")");
        whole = CommaLineToRow(grid, kRowCycleDay + i, lines[static_cast<size_t>(i)]) && whole;
    }
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        for (int day = 1; day <= days; ++day)
            grid.SetCell(day, row, TrimBlanks(grid.Cell(day, row)));
    return whole;
}

void NormaliseTemperatures(MonthGrid& grid, int days) {
    for (int day = 1; day <= days; ++day) {
        const std::string& cell = grid.Cell(day, kRowTemperature);
        if (cell.empty())
            continue;
        const std::optional<double> value = ParseDecimal(cell);
        const std::optional<std::string> text = value ? FormatOneDecimal(*value) : std::nullopt;
        if (!text) {
            grid.SetCell(day, kRowTemperature, {});
            continue;
        }
        const double shown = ParseDecimal(*text).value_or(0);
        grid.SetCell(day, kRowTemperature, shown < kLowestTemperature || shown > kHighestTemperature ? "" : *text);
    }
}

std::string TrimBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 0x20)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20)
        --last;
    return text.substr(first, last - first);
}

} // namespace purimo
