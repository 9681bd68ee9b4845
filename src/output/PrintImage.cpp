#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "widgets/MessageLoop.h"
#include "common/LateBinding.h"
#include "month/SafeWrite.h"
#include "output/Dib.h"
#include "output/OutputGeometry.h"
#include "output/PrintImage.h"
#include "output/WindowImage.h"
#include "widgets/WinText.h"

namespace purimo {

namespace {

// Keeps the clock and the menus alive while the spooler takes the page.
BOOL CALLBACK KeepDispatching(HDC, int) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchThroughPreview(msg);
    }
    return TRUE;
}

SpoolerCalls spooler = SystemSpoolerCalls();

// Clears the printing flag however the job ends.
class PrintingScope {
public:
    explicit PrintingScope(bool& printing) : printing_(printing) { printing_ = true; }
    ~PrintingScope() { printing_ = false; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    bool& printing_;
};

// A refused step aborts the job, so that the spooler is never left with an open one.
[[noreturn]] void AbortJob(HDC dc, DWORD error) {
    AbortDoc(dc);
    throw AppError("印刷できませんでした (" + std::to_string(error) + ")");
}

class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL h) : h_(h), p_(h != nullptr ? GlobalLock(h) : nullptr) {}
    ~LockedBlock() {
        if (p_ != nullptr)
            GlobalUnlock(h_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    void* Get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

} // namespace

GlobalBlock GlobalBlock::Copy() const {
    if (h_ == nullptr)
        return {};
    SIZE_T size = GlobalSize(h_);
    GlobalBlock copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy)
        throw std::bad_alloc();
    LockedBlock from(h_);
    LockedBlock to(copy.Get());
    if (from.Get() != nullptr && to.Get() != nullptr)
        std::memcpy(to.Get(), from.Get(), size);
    return copy;
}

namespace {

BOOL DefaultPrinterName(wchar_t* name, DWORD* size) {
    return LateBound<decltype(&GetDefaultPrinterW)>(L"winspool.drv", "GetDefaultPrinterW")(name, size);
}

} // namespace

bool DefaultPrinterExists() {
    DWORD size = 0;
    return DefaultPrinterName(nullptr, &size) || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

MemoryDc CreatePrinterDc(const PrinterChoice& printer) {
    if (!printer.devNames) {
        DWORD size = 0;
        DefaultPrinterName(nullptr, &size);
        std::vector<wchar_t> name(size + 1);
        if (size == 0 || !DefaultPrinterName(name.data(), &size))
            return MemoryDc();
        return MemoryDc(CreateDCW(L"WINSPOOL", name.data(), nullptr, nullptr));
    }
    LockedBlock names(printer.devNames.Get());
    LockedBlock mode(printer.devMode.Get());
    const auto* dn = static_cast<const DEVNAMES*>(names.Get());
    if (dn == nullptr)
        return MemoryDc();
    const auto* base = reinterpret_cast<const wchar_t*>(dn);
    return MemoryDc(CreateDCW(base + dn->wDriverOffset, base + dn->wDeviceOffset, nullptr,
                              static_cast<const DEVMODEW*>(mode.Get())));
}

PrinterChoice PrinterCopies(const PrinterChoice& printer, bool portrait) {
    PrinterChoice copies{printer.devMode.Copy(), printer.devNames.Copy()};
    if (!portrait)
        return copies;
    if (!copies.devMode) {
        PRINTDLGW pd{};
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT;
        if (LateBound<decltype(&PrintDlgW)>(L"comdlg32.dll", "PrintDlgW")(&pd))
            copies = PrinterChoice{GlobalBlock(pd.hDevMode), GlobalBlock(pd.hDevNames)};
    }
    LockedBlock mode(copies.devMode.Get());
    if (auto* dm = static_cast<DEVMODEW*>(mode.Get())) {
        dm->dmOrientation = DMORIENT_PORTRAIT;
        dm->dmFields |= DM_ORIENTATION;
    }
    return copies;
}

SpoolerCalls SystemSpoolerCalls() {
    return SpoolerCalls{&StartDocW, &StartPage, &EndPage, &EndDoc};
}

SpoolerCalls SetSpoolerCalls(const SpoolerCalls& calls) {
    SpoolerCalls previous = spooler;
    spooler = calls;
    return previous;
}

void PrintPage(HDC printer, bool& printing, const std::function<void(HDC)>& draw) {
    SetAbortProc(printer, &KeepDispatching);
    PrintingScope scope(printing);
    DOCINFOW doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = L"";
    if (spooler.startDoc(printer, &doc) <= 0) {
        DWORD error = GetLastError();
        if (error == ERROR_CANCELLED)
            return;
        AbortJob(printer, error);
    }
    if (spooler.startPage(printer) <= 0)
        AbortJob(printer, GetLastError());
    try {
        draw(printer);
    } catch (...) {
        // What was drawn is still handed over, and the job ended.
        spooler.endPage(printer);
        spooler.endDoc(printer);
        throw;
    }
    if (spooler.endPage(printer) <= 0)
        AbortJob(printer, GetLastError());
    if (spooler.endDoc(printer) <= 0)
        AbortJob(printer, GetLastError());
}

namespace {

void DrawWindowImageOnPage(HWND window, HDC printer) {
    BmpImage dib;
    {
        BitmapHandle image = CaptureWindowImage(window);
        dib = ReadDib(image.Get());
    }
    Size fit = FitToPage(dib.width, dib.height, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES));
    std::vector<unsigned char> info = BitmapInfoOf(dib);
    SetStretchBltMode(printer, COLORONCOLOR);
    StretchDIBits(printer, 0, 0, fit.width, fit.height, 0, 0, dib.width, dib.height, dib.pixels.data(),
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
}

} // namespace

void PrintWindowImage(HWND window, HDC printer, bool& printing) {
    PrintPage(printer, printing, [window](HDC page) { DrawWindowImageOnPage(window, page); });
}

void SaveWindowImage(HWND window, const std::wstring& path, const WriteBlockFunction& writeBlock) {
    BmpImage dib;
    {
        BitmapHandle image = CaptureWindowImage(window);
        dib = ReadDib(image.Get());
    }
    // Under a temporary name first, as the month files: a failure leaves the old picture whole.
    try {
        WriteFileSafely(path, BmpHeaderBytes(dib) + dib.pixels, false, writeBlock, kLargeFileBlock);
    } catch (const WriteError&) {
        throw AppError("ストリームへの書き込みエラー");
    } catch (const IoError&) {
        throw AppError("ファイル " + Narrow(path) + " を作成できません");
    }
}

} // namespace purimo
