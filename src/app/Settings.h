#pragma once
// The settings key below HKEY_CURRENT_USER: one subkey per section, every value stored as text.
#include <optional>
#include <string>

#include "widgets/Handles.h"

namespace purimo {

class SettingsKey {
public:
    // Opens the key with full access, creating it when it is missing.
    explicit SettingsKey(const std::wstring& path);

    // Missing section or value: the default. A value that is not text is an error.
    int ReadInteger(const std::wstring& section, const std::wstring& name, int defaultValue);
    bool ReadBool(const std::wstring& section, const std::wstring& name, bool defaultValue);
    void WriteInteger(const std::wstring& section, const std::wstring& name, int value);
    void WriteBool(const std::wstring& section, const std::wstring& name, bool value);

private:
    // The value's text; nothing when the section or the value is missing.
    std::optional<std::string> ReadText(const std::wstring& section, const std::wstring& name);
    void WriteText(const std::wstring& section, const std::wstring& name, const std::string& text);
    RegKey key_;
};

} // namespace purimo
