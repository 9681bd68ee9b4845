#include "cycle/Excluded.h"

#include <algorithm>
#include <optional>

#include "cycle/CycleDays.h"
#include "month/Calendar.h"

namespace purimo {

namespace {

bool Digits(const std::string& line, size_t at, size_t count) {
    for (size_t i = at; i < at + count; ++i)
        if (line[i] < '0' || line[i] > '9')
            return false;
    return true;
}

// The day serial of "YYYY/MM/DD" of a real day; none for any other line.
std::optional<int> DateOfLine(const std::string& line) {
    if (line.size() != 10 || line[4] != '/' || line[7] != '/' || !Digits(line, 0, 4) || !Digits(line, 5, 2) ||
        !Digits(line, 8, 2))
        return std::nullopt;
    const int year = std::stoi(line.substr(0, 4));
    const int month = std::stoi(line.substr(5, 2));
    const int day = std::stoi(line.substr(8, 2));
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    return DaySerial(year, month, day);
}

} // namespace

ExcludedList ParseExcluded(const std::string& bytes) {
    ExcludedList list;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? bytes.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const std::optional<int> serial = DateOfLine(line))
            list.dates.push_back(*serial);
        else
            list.foreign.push_back(line);
    }
    std::sort(list.dates.begin(), list.dates.end());
    list.dates.erase(std::unique(list.dates.begin(), list.dates.end()), list.dates.end());
    return list;
}

std::string ExcludedBytes(const ExcludedList& list) {
    std::string bytes;
    for (int serial : list.dates)
        bytes += FormatDate(serial) + "\r\n";
    for (const std::string& line : list.foreign)
        bytes += line + "\r\n";
    return bytes;
}

bool IsExcluded(const ExcludedList& list, int serial) {
    return std::binary_search(list.dates.begin(), list.dates.end(), serial);
}

void SetExcluded(ExcludedList& list, int serial, bool out) {
    auto it = std::lower_bound(list.dates.begin(), list.dates.end(), serial);
    const bool there = it != list.dates.end() && *it == serial;
    if (out && !there)
        list.dates.insert(it, serial);
    else if (!out && there)
        list.dates.erase(it);
}

} // namespace purimo
