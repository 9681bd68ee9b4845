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
// dispatched. A job that the spooler refuses is aborted and raises AppError with the system's code;
// one whose start the user cancelled (a printer's own dialog, such as a PDF file name) ends quietly.
void PrintPage(HDC printer, bool& printing, const std::function<void(HDC)>& draw);

// The spooler's four calls of a job; tests put in calls that fail, since Wine's spooler refuses
// nothing. Returns the calls that were in place.
struct SpoolerCalls {
    int(WINAPI* startDoc)(HDC, const DOCINFOW*);
    int(WINAPI* startPage)(HDC);
    int(WINAPI* endPage)(HDC);
    int(WINAPI* endDoc)(HDC);
};
SpoolerCalls SetSpoolerCalls(const SpoolerCalls& calls);
SpoolerCalls SystemSpoolerCalls();

// Prints the window's image as large as the page allows, at the top-left of the printable area,
// as one page of one job, as PrintPage.
void PrintWindowImage(HWND window, HDC printer, bool& printing);

// Writes the window's image to path as a BMP file, replacing any file there only once the new one is
// whole; each block goes through writeBlock.
void SaveWindowImage(HWND window, const std::wstring& path, const WriteBlockFunction& writeBlock = WriteFileBlock);

} // namespace purimo
