#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/Main.h"
#include "common/ComFunction.h"
#include "common/Errors.h"
#include "common/ShellOpen.h"
#include "output/About.h"
#include "output/CommonDialogs.h"
#include "output/ManualPath.h"
#include "output/OutputGeometry.h"
#include "output/PrintImage.h"

namespace purimo {

namespace {

using namespace std::string_literals;

constexpr const wchar_t* kHomePageUrl = L"https://sorano.example/purimo/";

} // namespace

void TMainForm::menuFileSavesClick() {
    // Set anew each time: nothing that ran before may have left the dialog otherwise. No overwrite
    // prompt: choosing an existing file replaces it.
    SaveRequest request{L"画像ファイルに名前を付けて保存", L"ビットマップ (*.bmp)\0*.bmp\0"s, L"bmp",
                        OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER, output_.lastSaveName};
    if (!AskSaveName(Hwnd(), request))
        return;
    // The dialog appends the default extension itself; a name that comes back without one (typed
    // into a dialog that does not) gets it here.
    output_.lastSaveName = WithExtension(request.name, L".bmp");
    SaveWindowImage(Hwnd(), output_.lastSaveName, writeBlock_);
}

void TMainForm::menuFilePrintClick() {
    MemoryDc printer = SetUpPrinter(Hwnd(), false);
    if (printer)
        PrintWindowImage(Hwnd(), printer.Get(), output_.printing);
}

MemoryDc TMainForm::SetUpPrinter(HWND owner, bool portrait) {
    if (!output_.printer.devNames && !DefaultPrinterExists())
        throw AppError("デフォルト プリンタが存在しません");
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = owner;
    pd.Flags = PD_PRINTSETUP;
    // The dialog works on copies, so that a cancelled dialog leaves the current printer as it was.
    PrinterChoice copies = PrinterCopies(output_.printer, portrait);
    pd.hDevMode = copies.devMode.Release();
    pd.hDevNames = copies.devNames.Release();
    DialogResult answer = RunPrinterSetup(pd);
    PrinterChoice chosen{GlobalBlock(pd.hDevMode), GlobalBlock(pd.hDevNames)};
    if (!answer.ok) {
        if (answer.failure == PDERR_NODEFAULTPRN)
            throw AppError("デフォルト プリンタが存在しません");
        if (answer.failure != 0)
            throw AppError("選択したプリンタは有効ではありません");
        return MemoryDc();
    }
    // The job being handed to the spooler keeps its printer.
    if (output_.printing)
        throw AppError("現在印刷中です");
    output_.printer = std::move(chosen);
    MemoryDc printer = CreatePrinterDc(output_.printer);
    if (!printer)
        throw AppError("選択したプリンタは有効ではありません");
    return printer;
}

void TMainForm::menuHelpManualClick() {
    ShellOpenFile(ManualPathFor(ExecutablePath()));
}

void TMainForm::menuHelpHomePageClick() {
    ShellOpenUrl(std::wstring(kHomePageUrl));
}

void TMainForm::menuHelpAboutClick() {
    if (about_ == nullptr && makeAbout_)
        about_ = makeAbout_();
    if (about_ != nullptr)
        about_->ShowModal();
}

} // namespace purimo
