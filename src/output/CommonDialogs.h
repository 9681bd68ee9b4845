#pragma once
// The system's printer set-up and save-file dialogs, shown modally and placed on the monitor of
// their owner. Tests may answer them instead of the user.
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace purimo {

// How a dialog ended: OK, or else cancelled (failure 0) or failed (CommDlgExtendedError's code).
struct DialogResult {
    bool ok = false;
    DWORD failure = 0;
};

// Shows the printer set-up dialog for pd (its hwndOwner, hDevMode and hDevNames filled in).
DialogResult RunPrinterSetup(PRINTDLGW& pd);
// Shows the save dialog for ofn; true on OK.
bool RunSaveDialog(OPENFILENAMEW& ofn);

// What a save dialog asks: set anew for every use. On OK, name and filterIndex are the user's.
struct SaveRequest {
    std::wstring title;
    std::wstring filter; // pairs of text and pattern, each ended by a NUL
    std::wstring defaultExtension;
    DWORD flags = 0;
    std::wstring name;
    DWORD filterIndex = 1;
};
// Shows the save dialog over owner; true on OK.
bool AskSaveName(HWND owner, SaveRequest& request);

// Answer the dialogs in place of the system's; an empty function brings the system's back.
// A handler gets the structure exactly as the system's dialog would and answers like it.
using PrinterSetupHandler = std::function<DialogResult(PRINTDLGW&)>;
using SaveDialogHandler = std::function<BOOL(OPENFILENAMEW&)>;
PrinterSetupHandler SetPrinterSetupHandler(PrinterSetupHandler handler);
SaveDialogHandler SetSaveDialogHandler(SaveDialogHandler handler);

} // namespace purimo
