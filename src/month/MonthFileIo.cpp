#include <windows.h>

#include <string_view>

#include "common/ComFunction.h"
#include "common/Errors.h"
#include "month/MonthFileIo.h"
#include "widgets/Handles.h"

namespace purimo {

namespace {

// FNV-1a over the bytes: a month file changed elsewhere is told apart from the one read without
// keeping its bytes.
constexpr uint64_t kDigestStart = 14695981039346656037ull;

uint64_t Digest(std::string_view bytes, uint64_t digest) {
    for (unsigned char byte : bytes) {
        digest ^= byte;
        digest *= 1099511628211ull;
    }
    return digest;
}

[[noreturn]] void ThrowLastError() {
    throw IoError(static_cast<int>(GetLastError()));
}

} // namespace

MonthFileStamp StampOf(const std::string& bytes) {
    return MonthFileStamp{true, bytes.size(), Digest(bytes, kDigestStart)};
}

MonthFileLines ReadMonthFile(const std::wstring& path, MonthFileStamp* stamp) {
    if (stamp != nullptr)
        *stamp = MonthFileStamp{};
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        // No file is an empty month; asked only when the open failed, which is rare.
        const DWORD error = GetLastError();
        if (!FileExists(path))
            return {};
        throw IoError(static_cast<int>(error));
    }
    MonthFileReader reader(kMonthFileLines, kMonthLineBytes);
    MonthFileStamp seen{true, 0, kDigestStart};
    bool feeding = true;
    std::string buffer(kMonthReadBlock, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            ThrowLastError();
        if (read == 0)
            break;
        // A disk file reads short only at its end: the read that would say so is saved, which counts
        // when the cycles read every month of twenty years.
        const bool last = read < buffer.size();
        std::string_view block(buffer.data(), read);
        feeding = feeding && reader.Feed(block);
        if (stamp != nullptr) {
            seen.size += read;
            seen.digest = Digest(block, seen.digest);
        } else if (!feeding) {
            break;
        }
        if (last)
            break;
    }
    if (stamp != nullptr)
        *stamp = seen;
    return reader.Finish();
}

} // namespace purimo
