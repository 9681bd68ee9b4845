#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/SingleInstance.h"

namespace purimo {

namespace {

constexpr DWORD kWaitForWindowMs = 5000;
constexpr DWORD kPollMs = 50;

std::wstring MappingName(const std::wstring& name) {
    return name + L"-window";
}

// A window handle is 32 bits wide in both programs, so the 64-bit and the 32-bit program read each
// other's.
struct SharedWindow {
    std::uint64_t window;
};

void BringToFront(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    // An open dialog of it comes in front, where she left it.
    HWND front = GetLastActivePopup(window);
    SetForegroundWindow(front != nullptr ? front : window);
}

} // namespace

std::wstring DiaryInstanceName(const std::wstring& dataFolder) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(dataFolder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameW(dataFolder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length);
    if (length == 0)
        full = dataFolder;
    while (!full.empty() && (full.back() == L'\\' || full.back() == L'/'))
        full.pop_back();
    CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t ch : full) {
        hash ^= static_cast<std::uint16_t>(ch);
        hash *= 1099511628211ull;
    }
    wchar_t hex[17];
    std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(hash));
    return std::wstring(L"PurimoManage-") + hex;
}

DiaryInstance::DiaryInstance(const std::wstring& dataFolder)
    : name_(DiaryInstanceName(dataFolder)), mutex_(CreateMutexW(nullptr, TRUE, name_.c_str())) {
    owner_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

DiaryInstance::~DiaryInstance() {
    if (owner_)
        ReleaseMutex(mutex_.Get());
}

HWND DiaryInstance::PublishedWindow() const {
    FileHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, MappingName(name_).c_str()));
    if (!mapping)
        return nullptr;
    HWND window = nullptr;
    if (auto* shared =
            static_cast<const SharedWindow*>(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(SharedWindow)))) {
        window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(shared->window));
        UnmapViewOfFile(shared);
    }
    return window;
}

bool DiaryInstance::HandedToRunningProgram() {
    if (owner_ || !mutex_)
        return false;
    const ULONGLONG deadline = GetTickCount64() + kWaitForWindowMs;
    for (;;) {
        HWND window = PublishedWindow();
        if (window != nullptr && IsWindow(window)) {
            BringToFront(window);
            return true;
        }
        // Its window is gone: the program is closing and still saving. This one starts once it has
        // ended, so that it reads what the other saved.
        DWORD wait = WaitForSingleObject(mutex_.Get(), window != nullptr ? INFINITE : kPollMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            owner_ = true;
            return false;
        }
        // A program that never shows its window within the wait is not waited for any longer.
        if (GetTickCount64() >= deadline)
            return false;
    }
}

void DiaryInstance::Publish(HWND window) {
    if (!owner_)
        return;
    mapping_ = FileHandle(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedWindow),
                                             MappingName(name_).c_str()));
    if (!mapping_)
        return;
    if (auto* shared =
            static_cast<SharedWindow*>(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(SharedWindow)))) {
        shared->window = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window));
        UnmapViewOfFile(shared);
    }
}

} // namespace purimo
