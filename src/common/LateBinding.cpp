#include <windows.h>

#include "common/Errors.h"
#include "common/LateBinding.h"

namespace purimo {

FARPROC LateProcAddress(const wchar_t* library, const char* function) {
    HMODULE module = GetModuleHandleW(library);
    // Only the system folder: a file of the same name beside the program is never loaded.
    if (module == nullptr)
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A Windows 7 without the update that knows that flag searches as it always has.
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER)
        module = LoadLibraryW(library);
    if (module == nullptr)
        throw IoError(static_cast<int>(GetLastError()));
    FARPROC address = GetProcAddress(module, function);
    if (address == nullptr)
        throw IoError(static_cast<int>(GetLastError()));
    return address;
}

} // namespace purimo
