#pragma once
// Writing a file so that a failure never destroys what is already on disk: the month files, the
// window image and the CSV export all go through it.
#include <windows.h>

#include <functional>
#include <string>

#include "common/Errors.h"

namespace purimo {

// The code of IoError when fewer bytes were written than asked: the disk is full.
constexpr int kDiskFullError = 101;

// Writing the content failed (the disk full among the causes), as opposed to creating, opening or
// replacing the file: callers whose users know a text of its own for it tell the two apart.
class WriteError : public IoError {
public:
    using IoError::IoError;
};

// The call that writes one block; tests pass one that fails part-way.
using WriteBlockFunction = std::function<BOOL(HANDLE file, const void* data, DWORD size, DWORD* written)>;
// The block writer of the program: WriteFile.
BOOL WriteFileBlock(HANDLE file, const void* data, DWORD size, DWORD* written);
// A month file is a few hundred bytes; a picture of the window megabytes, written in large blocks.
constexpr DWORD kSmallFileBlock = 4096;
constexpr DWORD kLargeFileBlock = 1 << 20;

// Writes bytes to path through a temporary file in the same folder that replaces the file only once
// it is complete and flushed; each block of blockSize bytes goes through writeBlock. With keepBackup an existing file
// is first copied to the first free name of path + ".bak", ".bak.2", ".bak.3" ...: an earlier copy
// is never overwritten, so neither a read-only nor a locked one stands in the way. Returns the
// backup's path, empty when none was made. Raises IoError with the failing call's code (WriteError
// while writing the content); on failure the file is untouched and the temporary file is gone.
std::wstring WriteFileSafely(const std::wstring& path, const std::string& bytes, bool keepBackup,
                             const WriteBlockFunction& writeBlock = WriteFileBlock, DWORD blockSize = kSmallFileBlock);

} // namespace purimo
