#pragma once
// Functions of system libraries that only rare commands need (the home page, the manual, printing,
// the save dialog, the tooltips): the library is loaded at the command's first call, not at every
// start, where Wine maps and starts it with all of its own dependencies.
//
// Found by name at run time, the same way on the 64-bit and the 32-bit program: the 32-bit
// delay-load stubs of our linker leave the import slot empty, so their first call jumped to
// address 0 and ended the program.
#include <windows.h>

namespace purimo {

// The function's address, its library loaded from the system folder when it is not loaded yet.
// A library or function that cannot be had raises IoError with the system's code.
FARPROC LateProcAddress(const wchar_t* library, const char* function);

// The function typed as declared: LateBound<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW").
template <typename Function>
Function LateBound(const wchar_t* library, const char* function) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(LateProcAddress(library, function)));
}

} // namespace purimo
