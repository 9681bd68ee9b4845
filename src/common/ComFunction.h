#pragma once
// Routines the windows share: the executable's path and version text, and whether a file or folder
// exists.
#include <string>

namespace purimo {

// The "FileVersion" entry of the running executable's Japanese (code page 932) string table;
// empty when there is none.
std::string ReadFileVersion();

// The running executable's full path, however long.
std::wstring ExecutablePath();

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);

} // namespace purimo
