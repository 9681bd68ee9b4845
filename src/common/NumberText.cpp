#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace purimo {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(const std::string& text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

constexpr double kFormattedMagnitude = 1e6;
constexpr long long kSaturated = 1000000000000LL;

} // namespace

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
        return std::nullopt; // beyond the range of a double
    return text[0] == '-' ? -value : value;
}

std::optional<long long> ParseWholeNumber(const std::string& text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    if (pos == text.size())
        return std::nullopt;
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        if (!IsDigit(text[pos]))
            return std::nullopt;
        value = std::min(kSaturated, value * 10 + (text[pos] - '0'));
    }
    return negative ? -value : value;
}

std::string ZeroPadded(long long value, size_t width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::optional<std::string> FormatOneDecimal(double value) {
    if (!(std::fabs(value) < kFormattedMagnitude))
        return std::nullopt;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (result.ec != std::errc())
        return std::nullopt;
    return std::string(buffer, result.ptr);
}

} // namespace purimo
