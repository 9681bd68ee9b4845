#pragma once
// Writing a month file so that a failure never destroys what is already on disk.
#include <windows.h>

#include <functional>
#include <string>

namespace purimo {

// Writes bytes to path through a temporary file in the same folder that replaces the month file
// only once it is complete and flushed. With keepBackup the existing file is first copied to
// path + ".bak". Raises IoError with the failing call's code; on failure the month file is
// untouched and the temporary file is gone.
void SaveMonthFile(const std::wstring& path, const std::string& bytes, bool keepBackup);

// The call that writes one block; tests replace it to make a write fail part-way.
using WriteBlockFunction = std::function<BOOL(HANDLE file, const void* data, DWORD size, DWORD* written)>;
WriteBlockFunction SetWriteBlockFunction(WriteBlockFunction function);

} // namespace purimo
