#include "cycle/DiaryCsv.h"

#include <algorithm>
#include <string_view>

namespace purimo {

const char* const kCsvHeader = "日付,周期,体温,変化,メモ,周期日,高温期,除外";

namespace {

// The reading as the grid shows it: one decimal.
std::string TemperatureText(int hundredths) {
    if (hundredths <= 0)
        return {};
    const int tenths = hundredths / 10;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

} // namespace

// No byte of these can be the second byte of a double-byte character, so a byte search finds them.
std::string CsvField(const std::string& cell) {
    // A spreadsheet takes a field that begins so for a formula ("-腹痛" shows an error): the
    // leading ' makes it text.
    const bool formula = !cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
    const std::string text = formula ? "'" + cell : cell;
    const bool quoted = text.find_first_of(",\"\r\n\t") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return text;
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

std::string DiaryCsvBytes(const DaySeries& series, const CycleAnalysis& analysis) {
    const std::vector<DayRecord>& days = series.Days();
    std::string out = std::string(kCsvHeader) + "\r\n";
    out.reserve(days.size() * 32);
    auto cycle = analysis.cycles.begin();
    for (auto monthBegin = days.begin(); monthBegin != days.end();) {
        const CivilDate first = DateOfSerial(monthBegin->serial);
        auto monthEnd = monthBegin;
        bool anyEntry = false;
        while (monthEnd != days.end() && DateOfSerial(monthEnd->serial).month == first.month &&
               DateOfSerial(monthEnd->serial).year == first.year) {
            anyEntry = anyEntry || monthEnd->entry;
            ++monthEnd;
        }
        for (auto day = monthBegin; anyEntry && day != monthEnd; ++day) {
            while (cycle != analysis.cycles.end() && cycle->end < day->serial)
                ++cycle;
            const bool inCycle = cycle != analysis.cycles.end() && cycle->start <= day->serial;
            const bool high = inCycle && cycle->shift && day->serial >= cycle->shift->firstHigh;
            out += FormatDate(day->serial);
            out += ',' + CsvField(day->cycle);
            out += ',' + TemperatureText(day->hundredths);
            out += ',' + CsvField(WithoutTabs(day->mark));
            out += ',' + CsvField(day->memo);
            out += ',' + (inCycle ? std::to_string(cycle->DayOf(day->serial)) : std::string());
            out += high ? ",1" : ",";
            // A date left out whose reading was deleted later leaves nothing out.
            out += day->hundredths > 0 && series.IsExcluded(day->serial) ? ",1\r\n" : ",\r\n";
        }
        monthBegin = monthEnd;
    }
    return out;
}

} // namespace purimo
