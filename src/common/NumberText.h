#pragma once
// Numbers in the program's texts: month files, settings, captions, the editors and the chart.
#include <cstddef>
#include <optional>
#include <string>

namespace purimo {

// A decimal number with a point: optional sign, digits with an optional fraction, optional
// exponent, and nothing else (no blanks, no "inf" or "nan"); the locale plays no part.
std::optional<double> ParseDecimal(const std::string& text);
// A whole number: optional sign and digits only. Very long numbers saturate at 10^12.
std::optional<long long> ParseWholeNumber(const std::string& text);
// At least width digits, zero-filled after the sign ("%.02d" for width 2).
std::string ZeroPadded(long long value, size_t width);
// "%.1f" with a point; nothing for a value so far from any temperature (10^6 and beyond) that no
// buffer of ours should have to hold its digits.
std::optional<std::string> FormatOneDecimal(double value);

} // namespace purimo
