#pragma once
// Printing the window image on one page and writing it to a BMP file.
#include <windows.h>

#include <functional>
#include <string>

#include "month/SafeWrite.h"
#include "output/OutputState.h"

namespace purimo {

bool DefaultPrinterExists();

// A device context for the printer chosen (the system's default printer when none is); empty
// when the printer cannot be opened.
MemoryDc CreatePrinterDc(const PrinterChoice& printer);

// Copies of the printer's settings for the set-up dialog, which works on its own copies; with
// portrait, the page is upright whatever was chosen before (the system's default printer's
// settings when none was chosen yet).
PrinterChoice PrinterCopies(const PrinterChoice& printer, bool portrait);

// One job of one page: draw gets the printer's device context with the page begun. printing is
// set while the page is handed to the spooler, during which the window's messages keep being
// dispatched.
void PrintPage(HDC printer, bool& printing, const std::function<void(HDC)>& draw);

// Prints the window's image as large as the page allows, at the top-left of the printable area,
// as one page of one job. printing is set while the page is handed to the spooler, during which
// the window's messages keep being dispatched. The spooler's own answers are not checked: a job
// that it refuses is its business.
void PrintWindowImage(HWND window, HDC printer, bool& printing);

// Writes the window's image to path as a BMP file, replacing any file there only once the new one is
// whole; each block goes through writeBlock.
void SaveWindowImage(HWND window, const std::wstring& path, const WriteBlockFunction& writeBlock = WriteFileBlock);

} // namespace purimo
