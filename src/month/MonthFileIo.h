#pragma once
// Reading a month file within bounded memory, and writing one so that a failure never destroys what
// is already on disk.
#include <windows.h>

#include <functional>
#include <string>

#include "month/MonthFile.h"

namespace purimo {

// The month file at path as far as the grid shows it; no lines when there is no file. A file that
// exists but cannot be opened or read raises IoError. Memory stays bounded whatever the file holds.
MonthFileLines ReadMonthFile(const std::wstring& path);

// The code of IoError when fewer bytes were written than asked: the disk is full.
constexpr int kDiskFullError = 101;

// The call that writes one block of a month file; tests pass one that fails part-way.
using WriteBlockFunction = std::function<BOOL(HANDLE file, const void* data, DWORD size, DWORD* written)>;
// The block writer of the program: WriteFile.
BOOL WriteFileBlock(HANDLE file, const void* data, DWORD size, DWORD* written);

// Writes bytes to path through a temporary file in the same folder that replaces the month file
// only once it is complete and flushed; each block goes through writeBlock. With keepBackup the
// existing file is first copied to the first free name of path + ".bak", ".bak.2", ".bak.3" ...: an
// earlier copy is never overwritten, so neither a read-only nor a locked one stands in the way.
// Raises IoError with the failing call's code; on failure the month file is untouched and the
// temporary file is gone.
void SaveMonthFile(const std::wstring& path, const std::string& bytes, bool keepBackup,
                   const WriteBlockFunction& writeBlock = WriteFileBlock);

} // namespace purimo
