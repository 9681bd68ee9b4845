#include <windows.h>

#include "common/ComFunction.h"
#include "common/Errors.h"
#include "month/MonthFileIo.h"
#include "widgets/Handles.h"

namespace purimo {

namespace {

// Fewer bytes written than asked: the disk is full.
constexpr int kDiskFull = 101;
constexpr DWORD kBlockSize = 4096;

WriteBlockFunction writeBlock;

[[noreturn]] void ThrowLastError() {
    throw IoError(static_cast<int>(GetLastError()));
}

BOOL WriteBlock(HANDLE file, const void* data, DWORD size, DWORD* written) {
    if (writeBlock)
        return writeBlock(file, data, size, written);
    return WriteFile(file, data, size, written, nullptr);
}

void WriteAll(HANDLE file, const std::string& bytes) {
    for (size_t at = 0; at < bytes.size();) {
        DWORD size = static_cast<DWORD>(std::min<size_t>(kBlockSize, bytes.size() - at));
        DWORD written = 0;
        if (!WriteBlock(file, bytes.data() + at, size, &written))
            ThrowLastError();
        if (written < size)
            throw IoError(kDiskFull);
        at += written;
    }
    if (!FlushFileBuffers(file))
        ThrowLastError();
}

} // namespace

WriteBlockFunction SetWriteBlockFunction(WriteBlockFunction function) {
    WriteBlockFunction previous = std::move(writeBlock);
    writeBlock = std::move(function);
    return previous;
}

void SaveMonthFile(const std::wstring& path, const std::string& bytes, bool keepBackup) {
    bool exists = FileExists(path);
    if (exists) {
        // Opening the month file for writing first reports a read-only or locked file with its own
        // code, before anything else is touched.
        FileHandle probe(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            ThrowLastError();
    }
    if (exists && keepBackup && !CopyFileW(path.c_str(), (path + L".bak").c_str(), FALSE))
        ThrowLastError();

    std::wstring temporary = path + L".tmp";
    FileHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowLastError();
    try {
        WriteAll(file.Get(), bytes);
        file.Reset();
        if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLastError();
    } catch (...) {
        file.Reset();
        DeleteFileW(temporary.c_str());
        throw;
    }
}

} // namespace purimo
