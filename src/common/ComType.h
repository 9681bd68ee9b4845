#pragma once
#include <string>

namespace purimo {

// The "FileVersion" text of the executable, read once when the main window is first shown.
extern std::string FileVersionText;

} // namespace purimo
