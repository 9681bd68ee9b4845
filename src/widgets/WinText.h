#pragma once
// Conversions at the Win32 boundary: the program's text is code page 932 bytes, the windows and
// the file system are called with UTF-16.
#include <string>

namespace purimo {

std::wstring Widen(const std::string& cp932);
std::string Narrow(const std::wstring& wide);

} // namespace purimo
