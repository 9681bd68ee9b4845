#include <windows.h>
#include <commdlg.h>

#include "common/LateBinding.h"
#include "output/CommonDialogs.h"

#include <vector>
#include "output/OutputGeometry.h"

namespace purimo {

namespace {

PrinterSetupHandler printerSetupHandler;
SaveDialogHandler saveDialogHandler;

// The monitor that shows the dialog's owner, for the whole time the dialog is open.
struct Placement {
    RECT monitor{};
};

Placement PlacementFor(HWND owner) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &info);
    return Placement{info.rcMonitor};
}

void MoveToUpperThird(HWND dialog, const Placement& placement) {
    RECT r;
    GetWindowRect(dialog, &r);
    const RECT& m = placement.monitor;
    Point at = PlaceAtUpperThird(Rect{m.left, m.top, m.right, m.bottom}, r.right - r.left, r.bottom - r.top);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Wine calls the print hook, Windows the set-up hook, for the same set-up dialog.
UINT_PTR CALLBACK PrintSetupHook(HWND dialog, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        const auto* pd = reinterpret_cast<const PRINTDLGW*>(lp);
        MoveToUpperThird(dialog, *reinterpret_cast<const Placement*>(pd->lCustData));
        return TRUE;
    }
    return FALSE;
}

// An explorer-style dialog's hook runs in a child of the dialog; the dialog itself is its parent
// and has its final size only once it has finished starting.
UINT_PTR CALLBACK SaveHook(HWND child, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lp);
        SetWindowLongPtrW(child, DWLP_USER, ofn->lCustData);
        return TRUE;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == static_cast<UINT>(CDN_INITDONE)) {
        const auto* placement = reinterpret_cast<const Placement*>(GetWindowLongPtrW(child, DWLP_USER));
        if (placement != nullptr)
            MoveToUpperThird(GetParent(child), *placement);
    }
    return 0;
}

} // namespace

DialogResult RunPrinterSetup(PRINTDLGW& pd) {
    if (printerSetupHandler)
        return printerSetupHandler(pd);
    Placement placement = PlacementFor(pd.hwndOwner);
    pd.Flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    pd.lpfnPrintHook = &PrintSetupHook;
    pd.lpfnSetupHook = &PrintSetupHook;
    pd.lCustData = reinterpret_cast<LPARAM>(&placement);
    BOOL ok = LateBound<decltype(&PrintDlgW)>(L"comdlg32.dll", "PrintDlgW")(&pd);
    DWORD failure = ok ? 0 : LateBound<decltype(&CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError")();
    pd.lCustData = 0;
    return DialogResult{ok != FALSE, failure};
}

bool RunSaveDialog(OPENFILENAMEW& ofn) {
    if (saveDialogHandler)
        return saveDialogHandler(ofn) != FALSE;
    Placement placement = PlacementFor(ofn.hwndOwner);
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = &SaveHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&placement);
    BOOL ok = LateBound<decltype(&GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW")(&ofn);
    ofn.lCustData = 0;
    return ok != FALSE;
}

bool AskSaveName(HWND owner, SaveRequest& request) {
    std::vector<wchar_t> name(32768, L'\0');
    request.name.copy(name.data(), name.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter.c_str();
    ofn.nFilterIndex = request.filterIndex;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.c_str();
    ofn.Flags = request.flags;
    if (!RunSaveDialog(ofn))
        return false;
    name.back() = L'\0';
    request.name = name.data();
    request.filterIndex = ofn.nFilterIndex;
    return true;
}

PrinterSetupHandler SetPrinterSetupHandler(PrinterSetupHandler handler) {
    PrinterSetupHandler previous = std::move(printerSetupHandler);
    printerSetupHandler = std::move(handler);
    return previous;
}

SaveDialogHandler SetSaveDialogHandler(SaveDialogHandler handler) {
    SaveDialogHandler previous = std::move(saveDialogHandler);
    saveDialogHandler = std::move(handler);
    return previous;
}

} // namespace purimo
