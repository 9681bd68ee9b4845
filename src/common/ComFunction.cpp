#include <windows.h>

#include <vector>

#include "common/ComFunction.h"
#include "common/Errors.h"
#include "month/MonthFile.h"
#include "widgets/Handles.h"
#include "widgets/WinText.h"

namespace purimo {

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> ReadTextLines(const std::wstring& path) {
    if (!FileExists(path))
        return {};
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw IoError(static_cast<int>(GetLastError()));
    std::string bytes;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr))
            throw IoError(static_cast<int>(GetLastError()));
        if (read == 0)
            break;
        bytes.append(buffer, read);
    }
    return SplitTextLines(bytes);
}

std::string ReadFileVersion() {
    std::wstring path = ExecutablePath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<unsigned char> info(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data()))
        return {};
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\041103A4\\FileVersion", reinterpret_cast<void**>(&text),
                        &length) ||
        text == nullptr)
        return {};
    return Narrow(std::wstring(text, wcsnlen(text, length)));
}

} // namespace purimo
