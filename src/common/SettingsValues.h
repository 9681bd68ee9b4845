#pragma once
// The text forms of the settings kept in the registry: whole numbers in decimal, truth values as
// "0" or "1".
#include <string>

namespace purimo {

// A decimal whole number with an optional sign (leading blanks allowed); any other text, or a
// number outside the 32-bit range, yields defaultValue.
int ReadIntegerText(const std::string& text, int defaultValue);
// Read as a whole number; any number other than 0 is true.
bool ReadBoolText(const std::string& text, bool defaultValue);

std::string WriteIntegerText(int value);
std::string WriteBoolText(bool value);

} // namespace purimo
