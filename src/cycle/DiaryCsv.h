#pragma once
// The whole diary as CSV, one line a day: the cells as the grid shows them, with the cycle day and
// the high phase of the cycles. Bytes of code page 932, lines ended by CR LF.
#include <string>

#include "cycle/Cycles.h"

namespace purimo {

extern const char* const kCsvHeader;

// A field as it goes into a line: a text that begins with =, +, -, @, TAB or CR behind a ', so that
// spreadsheets show it as text; then quoted (quotes doubled) when it holds a comma, a double quote,
// CR, LF or TAB, or begins or ends with a blank; else bare.
std::string CsvField(const std::string& cell);

// Every day of every month that holds an entry, in date order, after the header.
std::string DiaryCsvBytes(const DaySeries& series, const CycleAnalysis& analysis);

} // namespace purimo
