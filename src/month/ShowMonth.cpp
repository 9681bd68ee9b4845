#include "month/ShowMonth.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "month/Calendar.h"
#include "month/MonthFile.h"

namespace purimo {

const char* const kRowLabels[kGridRowCount] = {"測定日", "周  期", "体  温", "変  化", "メ  モ"};

namespace {

constexpr double kLowestTemperature = 35.5;
constexpr double kHighestTemperature = 37.5;
constexpr int kDataRowCount = 4;

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
