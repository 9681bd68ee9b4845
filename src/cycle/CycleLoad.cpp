#include <windows.h>

#include <exception>

#include "common/Cp932Convert.h"
#include "cycle/CycleLoad.h"
#include "common/Errors.h"
#include "month/MonthFileIo.h"
#include "widgets/Handles.h"

namespace purimo {

void LoadMonthFiles(DaySeries& series, const std::wstring& folder, std::optional<YearMonth> skip) {
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileExW((folder + L"*.dat").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        YearMonth month;
        if (!ParseMonthFileName(Narrow(found.cFileName), month) || (skip && *skip == month))
            continue;
        try {
            series.AddMonthLines(month, ReadMonthFile(folder + found.cFileName).lines);
        } catch (const std::exception&) {
            // Locked, access denied, too few lines: the month is named, and nothing of it is used.
            series.AddUnreadable(month);
        }
    } while (FindNextFileW(search.Get(), &found));
}

namespace {

constexpr const wchar_t* kExcludedName = L"excluded.txt";
// A list of dates a line long: far more than a lifetime's readings.
constexpr DWORD kMostExcludedBytes = 1 << 20;

// The file's bytes; empty when there is none. Raises IoError.
std::string ReadExcludedBytes(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return {};
        throw IoError(static_cast<int>(error));
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    for (;;) {
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr))
            throw IoError(static_cast<int>(GetLastError()));
        if (read == 0)
            return bytes;
        bytes.append(buffer, read);
        if (bytes.size() > kMostExcludedBytes)
            throw IoError(ERROR_FILE_TOO_LARGE);
    }
}

} // namespace

std::optional<ExcludedList> ReadExcludedList(const std::wstring& folder) {
    try {
        return ParseExcluded(ReadExcludedBytes(folder + kExcludedName));
    } catch (const IoError&) {
        return std::nullopt;
    }
}

std::vector<int> ChangeExcluded(const std::wstring& folder, int serial, bool out) {
    const std::wstring path = folder + kExcludedName;
    ExcludedList list = ParseExcluded(ReadExcludedBytes(path));
    SetExcluded(list, serial, out);
    const std::string bytes = ExcludedBytes(list);
    if (!bytes.empty())
        WriteFileSafely(path, bytes, false);
    else if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw IoError(static_cast<int>(GetLastError()));
    return list.dates;
}

} // namespace purimo
