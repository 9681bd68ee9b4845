#pragma once
// Reading a month file within bounded memory, and telling whether it changed since it was read.
#include <windows.h>

#include <cstdint>
#include <string>

#include "month/MonthFile.h"
#include "month/SafeWrite.h"

namespace purimo {

// What a month file held when it was read or written: whether it was there, and its bytes' size and
// digest. Two stamps differ when the file changed in between.
struct MonthFileStamp {
    bool exists = false;
    uint64_t size = 0;
    uint64_t digest = 0;
    bool operator==(const MonthFileStamp&) const = default;
};

// The stamp of a file that holds bytes.
MonthFileStamp StampOf(const std::string& bytes);

// The month file at path as far as the grid shows it; no lines when there is no file. A file that
// exists but cannot be opened or read raises IoError. Memory stays bounded whatever the file holds.
// With stamp, the whole file is read for it.
MonthFileLines ReadMonthFile(const std::wstring& path, MonthFileStamp* stamp = nullptr);

} // namespace purimo
