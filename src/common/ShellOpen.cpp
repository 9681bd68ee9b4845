#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include "common/Cp932Convert.h"
#include "common/LateBinding.h"
#include "common/ShellOpen.h"

namespace purimo {

namespace {

ShellHandler shellHandler;

HWND TopLevelWindow() {
    HWND active = GetActiveWindow();
    return active != nullptr ? GetAncestor(active, GA_ROOTOWNER) : nullptr;
}

} // namespace

INT_PTR ShellOpenFile(const std::wstring& fileName) {
    ShellRequest request{TopLevelWindow(), L"OPEN", fileName, L"", L"", SW_SHOWNORMAL};
    if (shellHandler)
        return shellHandler(request);
    auto shellExecute = LateBound<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    HINSTANCE result = shellExecute(request.owner, request.verb.c_str(), request.file.c_str(),
                                     request.parameters.c_str(), request.directory.c_str(), request.show);
    return reinterpret_cast<INT_PTR>(result);
}

INT_PTR ShellOpenFile(const std::string& fileName) {
    return ShellOpenFile(Widen(fileName));
}

void ShellOpenUrl(const std::wstring& url) {
    // Fails when the address was never cached; that is no reason not to open it.
    LateBound<decltype(&DeleteUrlCacheEntryW)>(L"wininet.dll", "DeleteUrlCacheEntryW")(url.c_str());
    ShellOpenFile(url);
}

void ShellOpenUrl(const std::string& url) {
    ShellOpenUrl(Widen(url));
}

ShellHandler SetShellHandler(ShellHandler handler) {
    ShellHandler previous = std::move(shellHandler);
    shellHandler = std::move(handler);
    return previous;
}

} // namespace purimo
