#include "common/SettingsValues.h"

#include <charconv>

namespace purimo {

int ReadIntegerText(const std::string& text, int defaultValue) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return defaultValue;
    // from_chars takes a '-' but no '+'.
    if (text[start] == '+' && start + 1 < text.size() && text[start + 1] != '-')
        ++start;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data() + start, end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return defaultValue;
    return value;
}

bool ReadBoolText(const std::string& text, bool defaultValue) {
    return ReadIntegerText(text, defaultValue ? 1 : 0) != 0;
}

std::string WriteIntegerText(int value) {
    return std::to_string(value);
}

std::string WriteBoolText(bool value) {
    return value ? "1" : "0";
}

} // namespace purimo
