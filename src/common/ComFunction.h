#pragma once
// Routines the windows share: reading a month file's lines and the version text.
#include <string>
#include <vector>

namespace purimo {

// The lines of the text file at path; an empty list when no file exists there. A file that
// exists but cannot be opened or read raises IoError.
std::vector<std::string> ReadTextLines(const std::wstring& path);

// The "FileVersion" entry of the running executable's Japanese (code page 932) string table;
// empty when there is none.
std::string ReadFileVersion();

// The running executable's full path, however long.
std::wstring ExecutablePath();

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);

} // namespace purimo
