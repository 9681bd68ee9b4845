#include "output/ManualPath.h"

#include <vector>

namespace purimo {

namespace {

bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsLeadByte(wchar_t) {
    return false;
}

template <class C> bool IsSeparator(C c) {
    return c == C('\\') || c == C(':');
}

template <class S> S FolderOf(const S& path) {
    // Character boundaries are known only from the start: a byte 0x5C after a lead byte is part
    // of a character such as 表 or ソ, not a separator.
    std::vector<size_t> starts;
    for (size_t i = 0; i < path.size(); i += (IsLeadByte(path[i]) && i + 1 < path.size()) ? 2 : 1)
        starts.push_back(i);
    size_t found = std::string::npos;
    size_t foundIndex = 0;
    for (size_t k = starts.size(); k-- > 0;) {
        size_t i = starts[k];
        bool single = k + 1 == starts.size() ? i + 1 == path.size() : starts[k + 1] == i + 1;
        if (single && IsSeparator(path[i])) {
            found = i;
            foundIndex = k;
            break;
        }
    }
    if (found == std::string::npos)
        return {};
    if (path[found] == typename S::value_type('\\') && foundIndex > 0) {
        size_t before = starts[foundIndex - 1];
        bool beforeSingle = before + 1 == found;
        if (!(beforeSingle && IsSeparator(path[before])))
            return path.substr(0, found);
    }
    return path.substr(0, found + 1);
}

} // namespace

std::string FolderOfPath(const std::string& path) {
    return FolderOf(path);
}

std::wstring FolderOfPath(const std::wstring& path) {
    return FolderOf(path);
}

std::string ManualPathFor(const std::string& exePath) {
    return FolderOfPath(exePath) + "\\" + kManualFileName;
}

std::wstring ManualPathFor(const std::wstring& exePath) {
    return FolderOfPath(exePath) + L"\\" + kManualFileNameW;
}

} // namespace purimo
