#include <windows.h>

#include "common/ComFunction.h"
#include "month/SafeWrite.h"
#include "widgets/Handles.h"

namespace purimo {

namespace {

[[noreturn]] void ThrowLastError() {
    throw IoError(static_cast<int>(GetLastError()));
}

// Every byte or a WriteError: a block written short means the disk is full.
void WriteAll(HANDLE file, const std::string& bytes, const WriteBlockFunction& writeBlock, DWORD blockSize) {
    for (size_t at = 0; at < bytes.size();) {
        DWORD size = static_cast<DWORD>(std::min<size_t>(blockSize, bytes.size() - at));
        DWORD written = 0;
        if (!writeBlock(file, bytes.data() + at, size, &written))
            throw WriteError(static_cast<int>(GetLastError()));
        if (written < size)
            throw WriteError(kDiskFullError);
        at += written;
    }
    if (!FlushFileBuffers(file))
        throw WriteError(static_cast<int>(GetLastError()));
}

bool NameTaken(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND;
}

// A name for a temporary file beside the month file. One left by a run that ended in the middle of
// a save, read-only or not, is removed; one that cannot be (another program holds it open) is
// passed over for the next name, so that a leftover never stops a save.
std::wstring FreeTemporaryName(const std::wstring& base) {
    constexpr int kMostNames = 100;
    for (int n = 1; n <= kMostNames; ++n) {
        std::wstring name = n == 1 ? base : base + L"." + std::to_wstring(n);
        if (!NameTaken(name))
            return name;
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileW(name.c_str()))
            return name;
    }
    return base;
}

// The copy is made under a temporary name and then given its own, so that a backup is always whole.
std::wstring CopyToFreeBackup(const std::wstring& path) {
    // Far more copies than failed loads could ever leave; the bound only keeps the loop finite.
    constexpr int kMostBackups = 100000;
    const std::wstring temporary = FreeTemporaryName(path + L".bak.tmp");
    if (!CopyFileW(path.c_str(), temporary.c_str(), FALSE))
        ThrowLastError();
    for (int n = 1; n <= kMostBackups; ++n) {
        std::wstring backup = path + L".bak" + (n == 1 ? std::wstring() : L"." + std::to_wstring(n));
        if (NameTaken(backup))
            continue;
        if (MoveFileExW(temporary.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH))
            return backup;
        // Taken in the meantime: try the next name.
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            DWORD error = GetLastError();
            DeleteFileW(temporary.c_str());
            throw IoError(static_cast<int>(error));
        }
    }
    DeleteFileW(temporary.c_str());
    throw IoError(ERROR_FILE_EXISTS);
}

} // namespace

BOOL WriteFileBlock(HANDLE file, const void* data, DWORD size, DWORD* written) {
    return WriteFile(file, data, size, written, nullptr);
}

std::wstring WriteFileSafely(const std::wstring& path, const std::string& bytes, bool keepBackup,
                             const WriteBlockFunction& writeBlock, DWORD blockSize) {
    bool exists = FileExists(path);
    if (exists) {
        // Opening the file for writing first reports a read-only or locked file with its own
        // code, before anything else is touched.
        FileHandle probe(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            ThrowLastError();
    }
    std::wstring backup;
    if (exists && keepBackup)
        backup = CopyToFreeBackup(path);

    std::wstring temporary = FreeTemporaryName(path + L".tmp");
    FileHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowLastError();
    try {
        WriteAll(file.Get(), bytes, writeBlock, blockSize);
        file.Reset();
        if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowLastError();
    } catch (...) {
        file.Reset();
        DeleteFileW(temporary.c_str());
        throw;
    }
    return backup;
}

} // namespace purimo
