#pragma once
// Opening a file or a web address through the desktop shell, in whatever program is registered
// for it. The shell's own messages are its business; the program reports nothing.
#include <windows.h>

#include <functional>
#include <string>

namespace purimo {

// Asks the shell to open the file with the verb "OPEN" in a normal window, owned by the
// program's top-level window. Returns the shell's result (above 32 when it started something).
INT_PTR ShellOpenFile(const std::wstring& fileName);
INT_PTR ShellOpenFile(const std::string& fileName); // code page 932

// Removes the address from the Internet cache first, so that the browser fetches it anew, then
// opens it as ShellOpenFile does.
void ShellOpenUrl(const std::wstring& url);
void ShellOpenUrl(const std::string& url); // code page 932

// What is handed to the shell, so that tests can see it without starting a viewer or browser.
struct ShellRequest {
    HWND owner = nullptr;
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    int show = 0;
};
using ShellHandler = std::function<INT_PTR(const ShellRequest&)>;
// Returns the previous handler; an empty function hands the requests to the shell again.
ShellHandler SetShellHandler(ShellHandler handler);

} // namespace purimo
