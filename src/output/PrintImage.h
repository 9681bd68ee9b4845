#pragma once
// Printing the window image on one page and writing it to a BMP file.
#include <windows.h>

#include <string>

#include "output/OutputState.h"

namespace purimo {

bool DefaultPrinterExists();

// A device context for the printer chosen (the system's default printer when none is); empty
// when the printer cannot be opened.
MemoryDc CreatePrinterDc(const PrinterChoice& printer);

// Prints the window's image as large as the page allows, at the top-left of the printable area,
// as one page of one job. printing is set while the page is handed to the spooler, during which
// the window's messages keep being dispatched. The spooler's own answers are not checked: a job
// that it refuses is its business.
void PrintWindowImage(HWND window, HDC printer, bool& printing);

// Writes the window's image to path as a BMP file, replacing any file there.
void SaveWindowImage(HWND window, const std::wstring& path);

} // namespace purimo
