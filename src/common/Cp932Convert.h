#pragma once
// Conversions at the Win32 boundary: the program's text is code page 932 bytes, the windows and
// the file system are called with UTF-16.
#include <cstddef>
#include <string>

namespace purimo {

std::wstring Widen(const std::string& cp932);
std::string Narrow(const std::wstring& wide);
// UTF-8 bytes of the text.
std::string Utf8(const std::wstring& wide);
// Whether every character has a form in code page 932 (else Narrow would put "?" for it).
bool Cp932CanHold(const std::wstring& wide);
// Bytes the text takes in code page 932.
size_t Cp932Bytes(const std::wstring& wide);

} // namespace purimo
