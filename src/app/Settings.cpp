#include <windows.h>

#include <cstdio>

#include "app/Settings.h"
#include "common/Errors.h"
#include "common/SettingsValues.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

std::string Format(const char* pattern, const std::wstring& name) {
    std::string text = pattern;
    text.replace(text.find("%s"), 2, Narrow(name));
    return text;
}

} // namespace

SettingsKey::SettingsKey(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw AppError(Format("キー %s の作成に失敗しました", path));
    key_ = RegKey(key);
}

std::optional<std::string> SettingsKey::ReadText(const std::wstring& section, const std::wstring& name) {
    HKEY sectionKey = nullptr;
    if (RegOpenKeyExW(key_.Get(), section.c_str(), 0, KEY_READ, &sectionKey) != ERROR_SUCCESS)
        return std::nullopt;
    RegKey owned(sectionKey);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(owned.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(Format("'%s' のデータ型が不正です", name));
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(owned.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Narrow(text);
}

int SettingsKey::ReadInteger(const std::wstring& section, const std::wstring& name, int defaultValue) {
    std::optional<std::string> text = ReadText(section, name);
    return text ? ReadIntegerText(*text, defaultValue) : defaultValue;
}

bool SettingsKey::ReadBool(const std::wstring& section, const std::wstring& name, bool defaultValue) {
    std::optional<std::string> text = ReadText(section, name);
    return text ? ReadBoolText(*text, defaultValue) : defaultValue;
}

void SettingsKey::WriteInteger(const std::wstring& section, const std::wstring& name, int value) {
    WriteText(section, name, WriteIntegerText(value));
}

void SettingsKey::WriteBool(const std::wstring& section, const std::wstring& name, bool value) {
    WriteText(section, name, WriteBoolText(value));
}

void SettingsKey::WriteText(const std::wstring& section, const std::wstring& name, const std::string& text) {
    HKEY sectionKey = nullptr;
    if (RegCreateKeyExW(key_.Get(), section.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sectionKey, nullptr) !=
        ERROR_SUCCESS)
        throw AppError(Format("キー %s の作成に失敗しました", section));
    RegKey owned(sectionKey);
    std::wstring wide = Widen(text);
    if (RegSetValueExW(owned.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw AppError(Format("'%s' の設定に失敗しました", name));
}

} // namespace purimo
