#pragma once
// The system's printer set-up and save-file dialogs, shown modally and placed on the monitor of
// their owner. Tests may answer them instead of the user.
#include <windows.h>
#include <commdlg.h>

#include <functional>

namespace purimo {

// Shows the printer set-up dialog for pd (its hwndOwner, hDevMode and hDevNames filled in);
// true on OK. On false, CommDlgExtendedError() tells a cancel (0) from a failure.
bool RunPrinterSetup(PRINTDLGW& pd);
// Shows the save dialog for ofn; true on OK.
bool RunSaveDialog(OPENFILENAMEW& ofn);

// Answer the dialogs in place of the system's; an empty function brings the system's back.
// A handler gets the structure exactly as the system's dialog would and answers like it.
using PrinterSetupHandler = std::function<BOOL(PRINTDLGW&)>;
using SaveDialogHandler = std::function<BOOL(OPENFILENAMEW&)>;
PrinterSetupHandler SetPrinterSetupHandler(PrinterSetupHandler handler);
SaveDialogHandler SetSaveDialogHandler(SaveDialogHandler handler);

} // namespace purimo
