#include "common/SettingsValues.h"

#include <limits>

#include "common/NumberText.h"

namespace purimo {

int ReadIntegerText(const std::string& text, int defaultValue) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return defaultValue;
    std::optional<long long> value = ParseWholeNumber(text.substr(start));
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(*value);
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
