#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <set>
#include <string>
#include <vector>

#include "DialogAnswer.h"
#include "FormFixture.h"
#include "Image.h"
#include "common/Errors.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleText.h"
#include "month/Calendar.h"
#include "month/MonthGrid.h"
#include "output/CommonDialogs.h"
#include "output/OutputGeometry.h"
#include "output/PrintImage.h"
#include "output/WindowImage.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

constexpr const wchar_t* kSetupTitle = L"印刷設定";

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string UnixPdfFolder() {
    char folder[MAX_PATH] = {};
    GetEnvironmentVariableA("PURIMO_PDF_FOLDER", folder, MAX_PATH);
    return folder;
}

// Wine shows the Unix file system as drive Z:.
std::wstring DosPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::set<std::wstring> PdfNames(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The name of a PDF that was not there before and is written whole; empty after the timeout.
std::wstring WaitForNewPdf(const std::wstring& folder, const std::set<std::wstring>& before, DWORD timeoutMs) {
    ULONGLONG until = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < until) {
        for (const std::wstring& name : PdfNames(folder)) {
            if (before.count(name) != 0)
                continue;
            std::string bytes = ReadFileBytes(folder + L"\\" + name);
            if (bytes.size() > 6 && bytes.find("%%EOF", bytes.size() - 8) != std::string::npos)
                return name;
        }
        Sleep(200);
    }
    return {};
}

// pdftoppm is a program of the Unix side; Wine starts it with the command line as it is.
Image RenderFirstPage(const std::string& unixPdf, int dpi) {
    std::string out = unixPdf + "-page";
    std::wstring ppm = DosPath(out + ".ppm");
    DeleteFileW(ppm.c_str());
    std::wstring command = L"pdftoppm -f 1 -l 1 -singlefile -r " + std::to_wstring(dpi) + L" \"" + Widen(unixPdf) +
                           L"\" \"" + Widen(out) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"Z:\\usr\\bin\\pdftoppm", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return Image(0, 0, {});
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The process handle of a Unix program may be signalled early: wait for the whole picture.
    Image picture(0, 0, {});
    ULONGLONG until = GetTickCount64() + 60000;
    while (GetTickCount64() < until) {
        std::string bytes = ReadFileBytes(ppm);
        int w = 0, h = 0, max = 0, used = 0;
        if (bytes.size() > 16 && sscanf(bytes.c_str(), "P6 %d %d %d%n", &w, &h, &max, &used) == 3 && max == 255) {
            size_t start = static_cast<size_t>(used) + 1;
            size_t need = static_cast<size_t>(w) * static_cast<size_t>(h) * 3;
            if (bytes.size() >= start + need) {
                std::vector<DWORD> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
                for (size_t i = 0; i < pixels.size(); ++i) {
                    const auto* rgb = reinterpret_cast<const unsigned char*>(bytes.data() + start + i * 3);
                    pixels[i] = (DWORD{rgb[0]} << 16) | (DWORD{rgb[1]} << 8) | rgb[2];
                }
                picture = Image(w, h, std::move(pixels));
                break;
            }
        }
        Sleep(200);
    }
    DeleteFileW(ppm.c_str());
    return picture;
}

// The system's default printer and its settings, as the set-up dialog would return them.
PrinterChoice DefaultPrinter() {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT;
    PrintDlgW(&pd);
    return PrinterChoice{GlobalBlock(pd.hDevMode), GlobalBlock(pd.hDevNames)};
}

GlobalBlock NamesOf(const std::wstring& driver, const std::wstring& device) {
    size_t chars = 4 + driver.size() + 1 + device.size() + 1 + 1;
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + chars * sizeof(wchar_t)));
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block.Get()));
    auto* text = reinterpret_cast<wchar_t*>(names);
    names->wDriverOffset = sizeof(DEVNAMES) / sizeof(wchar_t);
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
    driver.copy(text + names->wDriverOffset, driver.size());
    device.copy(text + names->wDeviceOffset, device.size());
    GlobalUnlock(block.Get());
    return block;
}

short OrientationOf(HGLOBAL mode) {
    if (mode == nullptr)
        return 0;
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
    short orientation = dm->dmOrientation;
    GlobalUnlock(mode);
    return orientation;
}

class PrintTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        unixFolder_ = UnixPdfFolder();
        pdfFolder_ = DosPath(unixFolder_);
        before_ = PdfNames(pdfFolder_);
    }
    void TearDown() override {
        SetPrinterSetupHandler(nullptr);
        FormFixture::TearDown();
    }

    bool HavePdfPrinter() const { return !unixFolder_.empty() && DefaultPrinterExists(); }

    void Print() {
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdFilePrint, 0);
        Pump();
    }

    // The page of the next job, rendered at the resolution given; empty when no job arrived.
    Image NextPage(int dpi) {
        std::wstring name = WaitForNewPdf(pdfFolder_, before_, 60000);
        if (name.empty())
            return Image(0, 0, {});
        before_.insert(name);
        return RenderFirstPage(unixFolder_ + "/" + Narrow(name), dpi);
    }

    // The printed window, scaled to the page's width at its top-left, shows the window's pixels;
    // below it the page is blank.
    void ExpectWindowAcrossTheTop(const Image& page, const Image& window) {
        Size fit = FitToPage(window.Width(), window.Height(), page.Width(), page.Height());
        ASSERT_EQ(fit.width, page.Width());
        int compared = 0, matched = 0;
        for (int py = 2; py < fit.height - 2; py += 3) {
            for (int px = 2; px < fit.width - 2; px += 3) {
                int x = px * window.Width() / fit.width;
                int y = py * window.Height() / fit.height;
                COLORREF c = window.At(x, y);
                // Only where the window is one color all around, so that scaling cannot blur it.
                bool even = true;
                for (int dy = -4; dy <= 4 && even; ++dy)
                    for (int dx = -4; dx <= 4 && even; ++dx)
                        even = window.At(x + dx, y + dy) == c;
                if (!even)
                    continue;
                ++compared;
                matched += Near(page.At(px, py), c, 40);
            }
        }
        EXPECT_GT(compared, 1000);
        EXPECT_GE(matched, compared * 95 / 100) << matched << " of " << compared;
        int inkBelow = 0;
        for (int py = fit.height + 3; py < page.Height(); py += 2)
            for (int px = 0; px < page.Width(); px += 2)
                inkBelow += !Near(page.At(px, py), RGB(255, 255, 255), 8);
        EXPECT_EQ(inkBelow, 0);
    }

    std::string unixFolder_;
    std::wstring pdfFolder_;
    std::set<std::wstring> before_;
};

TEST_F(PrintTest, RealDialogPrintsTheWindowAcrossTheTopOfAPdfPage) {
    if (!HavePdfPrinter())
        GTEST_SKIP() << "no PDF printer (the test script starts one)";
    Start();
    form_->Set_ChangeCalender(2026, 1);
    Image window(CaptureWindowImage(form_->Hwnd()).Get());
    {
        DialogAnswer dialog(kSetupTitle, [](HWND d) { PostButtonClick(d, IDOK); });
        Print();
        ASSERT_TRUE(dialog.Found());
        // Centred on the main window's monitor, its top at a third of the free height.
        RECT r = dialog.Rect();
        Point expected = PlaceAtUpperThird(MainMonitor(), r.right - r.left, r.bottom - r.top);
        EXPECT_EQ(r.left, expected.x);
        EXPECT_EQ(r.top, expected.y);
    }
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    Image page = NextPage(72);
    ASSERT_GT(page.Width(), 0) << "no page arrived";
    page.SaveArtefact("printed-page");
    EXPECT_LT(page.Width(), page.Height()); // portrait A4 by default
    ExpectWindowAcrossTheTop(page, window);
}

TEST_F(PrintTest, ChosenPrinterAndSettingsStayForTheRunAndCancelPrintsNothing) {
    if (!HavePdfPrinter())
        GTEST_SKIP() << "no PDF printer (the test script starts one)";
    Start();
    std::vector<short> offered;
    bool cancel = false;
    SetPrinterSetupHandler([&](PRINTDLGW& pd) {
        offered.push_back(OrientationOf(pd.hDevMode));
        if (cancel)
            return DialogResult{false, 0};
        if (pd.hDevMode == nullptr) {
            // The user turns the page to landscape.
            PrinterChoice chosen = DefaultPrinter();
            auto* dm = static_cast<DEVMODEW*>(GlobalLock(chosen.devMode.Get()));
            dm->dmOrientation = DMORIENT_LANDSCAPE;
            dm->dmFields |= DM_ORIENTATION;
            GlobalUnlock(chosen.devMode.Get());
            pd.hDevMode = chosen.devMode.Release();
            pd.hDevNames = chosen.devNames.Release();
        }
        return DialogResult{true, 0};
    });
    Print();
    Image first = NextPage(36);
    long handles = LiveHandleCount();
    Print();
    Image second = NextPage(36);
    cancel = true;
    Print();
    EXPECT_EQ(LiveHandleCount(), handles); // printer blocks, DCs and images all freed
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    EXPECT_GT(first.Width(), first.Height());
    EXPECT_GT(second.Width(), second.Height());
    EXPECT_EQ(offered, (std::vector<short>{0, DMORIENT_LANDSCAPE, DMORIENT_LANDSCAPE}));
    EXPECT_EQ(WaitForNewPdf(pdfFolder_, before_, 3000), L"");
}

TEST_F(PrintTest, PrinterThatCannotBeOpenedIsReported) {
    Start();
    SetPrinterSetupHandler([](PRINTDLGW& pd) {
        pd.hDevNames = NamesOf(L"winspool", L"No Such Printer").Release();
        return DialogResult{true, 0};
    });
    if (!DefaultPrinterExists())
        GTEST_SKIP() << "no default printer";
    Print();
    EXPECT_EQ(errors_, (std::vector<std::string>{"選択したプリンタは有効ではありません."}));
}

namespace {

int WINAPI RefusePage(HDC) {
    SetLastError(ERROR_OUT_OF_PAPER);
    return 0;
}

int WINAPI CancelDocument(HDC, const DOCINFOW*) {
    SetLastError(ERROR_CANCELLED);
    return 0;
}

} // namespace

TEST_F(PrintTest, RefusedJobIsReportedAndACancelledOneIsNot) {
    if (!HavePdfPrinter())
        GTEST_SKIP() << "no PDF printer (the test script starts one)";
    Start();
    SetPrinterSetupHandler([](PRINTDLGW&) { return DialogResult{true, 0}; });
    SpoolerCalls calls = SystemSpoolerCalls();
    calls.startPage = &RefusePage;
    SetSpoolerCalls(calls);
    Print();
    EXPECT_EQ(errors_, (std::vector<std::string>{"印刷できませんでした (28)"}));
    calls = SystemSpoolerCalls();
    calls.startDoc = &CancelDocument;
    SetSpoolerCalls(calls);
    Print();
    SetSpoolerCalls(SystemSpoolerCalls());
    EXPECT_EQ(errors_.size(), 1u) << "a cancelled start ends without a word";
}

TEST_F(PrintTest, WithoutADefaultPrinterNothingIsShown) {
    // Wine keeps the system's default printer in the user's registry, as Windows did.
    const wchar_t* key = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    wchar_t device[512] = {};
    DWORD size = sizeof(device);
    bool had = RegGetValueW(HKEY_CURRENT_USER, key, L"Device", RRF_RT_REG_SZ, nullptr, device, &size) == ERROR_SUCCESS;
    // Wine's printer library makes a CUPS printer the default when it loads and finds none. The
    // program loads it at its first call; here it is loaded before the default is taken away.
    ASSERT_NE(LoadLibraryW(L"winspool.drv"), nullptr);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Device");
    struct Restore {
        const wchar_t* key;
        const wchar_t* device;
        bool had;
        ~Restore() {
            if (had)
                RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Device", REG_SZ, device,
                                static_cast<DWORD>((wcslen(device) + 1) * sizeof(wchar_t)));
        }
    } restore{key, device, had};
    ASSERT_FALSE(DefaultPrinterExists());
    Start();
    int shown = 0;
    SetPrinterSetupHandler([&](PRINTDLGW&) {
        ++shown;
        return DialogResult{true, 0};
    });
    Print();
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(errors_, (std::vector<std::string>{"デフォルト プリンタが存在しません."}));
}

} // namespace
} // namespace purimo::test

namespace purimo::test {
namespace {

TEST_F(PrintTest, PrintCommandWhilePrintingIsRefusedAndTheJobGoesOn) {
    if (!HavePdfPrinter())
        GTEST_SKIP() << "no PDF printer (the test script starts one)";
    Start();
    int shown = 0;
    SetPrinterSetupHandler([&](PRINTDLGW&) {
        // The user picks the print command again while the first page goes to the spooler.
        if (++shown == 1)
            PostMessageW(form_->Hwnd(), WM_COMMAND, kCmdFilePrint, 0);
        return DialogResult{true, 0};
    });
    Print();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(errors_, (std::vector<std::string>{"現在印刷中です."}));
    EXPECT_GT(NextPage(36).Width(), 0);
    EXPECT_EQ(WaitForNewPdf(pdfFolder_, before_, 3000), L"");
}

} // namespace
// Five months of 2026, a cycle on the first of each: four closed cycles and the open one of May.
void WriteFiveCycles(const std::wstring& client) {
    CreateDirectoryW(client.c_str(), nullptr);
    for (int m = 1; m <= 5; ++m) {
        const int days = DaysInMonth(2026, m);
        std::string cycle = "\"周  期\",1";
        std::string temps = "\"体  温\"";
        for (int d = 1; d <= days; ++d)
            temps += d <= 14 ? (d % 2 ? ",36.3" : ",36.2") : ",36.8";
        WriteFileBytes(client + L"20260" + std::to_wstring(m) + L".dat",
                       cycle + "\r\n" + temps + "\r\n\"変  化\",×\r\n\"メ  モ\"\r\n");
    }
}

// Rows whose pixels are mostly of the color: one group for each line drawn across the page.
int LinesAcross(const Image& page, COLORREF color, int tolerance) {
    int groups = 0;
    bool inGroup = false;
    for (int y = 0; y < page.Height(); ++y) {
        int n = 0;
        for (int x = 0; x < page.Width(); ++x)
            n += Near(page.At(x, y), color, tolerance) ? 1 : 0;
        const bool line = n > page.Width() / 2;
        groups += line && !inGroup ? 1 : 0;
        inGroup = line;
    }
    return groups;
}

TEST_F(PrintTest, CycleReportPrintsTheNewestThreeCyclesOnAnUprightPage) {
    if (!HavePdfPrinter())
        GTEST_SKIP() << "no PDF printer (the test script starts one)";
    Start();
    WriteFiveCycles(ClientFolder());
    {
        DialogAnswer dialog(kSetupTitle, [](HWND d) { PostButtonClick(d, IDOK); });
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleReport, 0);
        Pump();
        ASSERT_TRUE(dialog.Found());
    }
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    Image page = NextPage(100);
    ASSERT_GT(page.Width(), 0) << "no page arrived";
    page.SaveArtefact("cycle-report");
    EXPECT_LT(page.Width(), page.Height());
    EXPECT_EQ(LinesAcross(page, RGB(255, 0, 0), 60), 3) << "three charts, each with its red 36.7 line";
    int titleInk = 0;
    for (int y = 0; y < page.Height() / 30; ++y)
        for (int x = 0; x < page.Width() / 3; ++x)
            titleInk += Near(page.At(x, y), RGB(0, 0, 0), 80) ? 1 : 0;
    EXPECT_GT(titleInk, 100) << "the title at the top";
}

TEST_F(PrintTest, CycleReportOpensUprightWhateverTheScreenPrintChose) {
    Start();
    WriteFiveCycles(ClientFolder());
    std::vector<short> offered;
    SetPrinterSetupHandler([&](PRINTDLGW& pd) {
        if (pd.hDevMode == nullptr)
            pd.hDevMode = DefaultPrinter().devMode.Release();
        offered.push_back(OrientationOf(pd.hDevMode));
        auto* dm = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
        dm->dmOrientation = DMORIENT_LANDSCAPE;
        dm->dmFields |= DM_ORIENTATION;
        GlobalUnlock(pd.hDevMode);
        return DialogResult{false, 0}; // then cancelled: nothing is printed
    });
    if (!DefaultPrinterExists())
        GTEST_SKIP() << "no default printer";
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleReport, 0);
    Pump();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], DMORIENT_PORTRAIT);

    // A screen print chose landscape: the report still opens upright.
    SetPrinterSetupHandler([&](PRINTDLGW& pd) {
        if (pd.hDevMode == nullptr)
            pd.hDevMode = DefaultPrinter().devMode.Release();
        auto* dm = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
        offered.push_back(dm->dmOrientation);
        dm->dmOrientation = DMORIENT_LANDSCAPE;
        GlobalUnlock(pd.hDevMode);
        // OK for the screen print, so that landscape becomes the current printer's.
        return DialogResult{offered.size() == 2, 0};
    });
    EXPECT_TRUE(form_->SetUpPrinter(form_->Hwnd(), false));
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleReport, 0);
    Pump();
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[2], DMORIENT_PORTRAIT);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(PrintTest, CycleReportWithoutACycleShowsTheHintBeforeAnyDialog) {
    Start();
    int dialogs = 0;
    SetPrinterSetupHandler([&](PRINTDLGW&) {
        ++dialogs;
        return DialogResult{false, 0};
    });
    form_->Grid().SetCell(3, kRowTemperature, "36.5");
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleReport, 0);
    Pump();
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(errors_, (std::vector<std::string>{ErrorBoxText(kNoCycleText)}));
}

TEST_F(PrintTest, CycleWindowsReportButtonPrintsTheShownCycleAndTheOnesBefore) {
    if (!HavePdfPrinter())
        GTEST_SKIP() << "no PDF printer (the test script starts one)";
    Start();
    WriteFiveCycles(ClientFolder());
    form_->Set_ChangeCalender(2026, 2);
    int shown = -1;
    form_->SetCycleFormShown([&](TCycleForm& cycle) {
        shown = cycle.ShownCycle();
        PostMessageW(cycle.btnReport(), BM_CLICK, 0, 0);
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    {
        DialogAnswer dialog(kSetupTitle, [](HWND d) { PostButtonClick(d, IDOK); });
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
        Pump();
        ASSERT_TRUE(dialog.Found());
    }
    form_->SetCycleFormShown(nullptr);
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    EXPECT_EQ(shown, 1) << "February's cycle";
    Image page = NextPage(72);
    ASSERT_GT(page.Width(), 0) << "no page arrived";
    EXPECT_EQ(LinesAcross(page, RGB(255, 0, 0), 60), 2) << "January's and February's cycles";
}

} // namespace purimo::test
