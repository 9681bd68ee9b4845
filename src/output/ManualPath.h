#pragma once
// The manual beside the executable: its folder taken from the executable's full path, a code page
// 932 byte string in which the second byte of a double-byte character may equal "\" or ":".
#include <string>

namespace purimo {

// Everything before the last "\" or ":"; a drive's root ("C:\") and a bare drive ("C:") keep their
// separator, and so does a path whose only separator is its first character. Empty when the path
// has no separator.
std::string FolderOfPath(const std::string& path);
// The same for a UTF-16 path, in which every unit stands for itself.
std::wstring FolderOfPath(const std::wstring& path);

// The manual's full name for the executable at exePath.
std::string ManualPathFor(const std::string& exePath);
std::wstring ManualPathFor(const std::wstring& exePath);

constexpr const char* kManualFileName = "操作手順書.pdf";
constexpr const wchar_t* kManualFileNameW = L"操作手順書.pdf";

} // namespace purimo
