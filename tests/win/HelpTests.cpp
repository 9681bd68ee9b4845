#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "DialogAnswer.h"
#include "FormFixture.h"
#include "Image.h"
#include "common/ComType.h"
#include "common/ShellOpen.h"
#include "output/About.h"
#include "output/OutputGeometry.h"
#include "output/WindowImage.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

constexpr const wchar_t* kAboutTitle = L"バージョン情報";

bool InUrlCache(const std::wstring& url) {
    DWORD size = 0;
    return GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size) || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

void PutInUrlCache(const std::wstring& url) {
    wchar_t file[MAX_PATH] = {};
    ASSERT_TRUE(CreateUrlCacheEntryW(url.c_str(), 0, L"html", file, 0));
    WriteFileBytes(file, "<html></html>");
    FILETIME never{};
    ASSERT_TRUE(
        CommitUrlCacheEntryW(url.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr));
}

class HelpTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        SetShellHandler([this](const ShellRequest& r) {
            requests_.push_back(r);
            cachedWhenOpened_.push_back(InUrlCache(r.file));
            return INT_PTR{42};
        });
    }
    void TearDown() override {
        SetShellHandler(nullptr);
        FormFixture::TearDown();
    }
    void Command(UINT id) {
        SendMessageW(form_->Hwnd(), WM_COMMAND, id, 0);
        Pump();
    }

    std::vector<ShellRequest> requests_;
    std::vector<bool> cachedWhenOpened_;
};

TEST_F(HelpTest, ManualBesideTheProgramIsHandedToTheShell) {
    Start();
    Command(kCmdHelpManual);
    ASSERT_EQ(requests_.size(), 1u);
    const ShellRequest& r = requests_[0];
    std::wstring folder = ExecutableFolder(); // with its trailing separator
    EXPECT_EQ(r.file, folder + L"操作手順書.pdf");
    EXPECT_EQ(r.verb, L"OPEN");
    EXPECT_EQ(r.parameters, L"");
    EXPECT_EQ(r.directory, L"");
    EXPECT_EQ(r.show, SW_SHOWNORMAL);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(HelpTest, HomePageIsFetchedAnewThroughTheShell) {
    Start();
    Command(kCmdHelpHomePage);
    ASSERT_EQ(requests_.size(), 1u);
    std::wstring url = requests_[0].file;
    EXPECT_EQ(url.rfind(L"https://", 0), 0u) << Narrow(url);
    EXPECT_EQ(requests_[0].verb, L"OPEN");
    EXPECT_EQ(requests_[0].show, SW_SHOWNORMAL);

    PutInUrlCache(url);
    ASSERT_TRUE(InUrlCache(url));
    Command(kCmdHelpHomePage);
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_FALSE(cachedWhenOpened_[1]); // removed before the shell was asked
    EXPECT_TRUE(errors_.empty());
}

// The shell itself, not the test's stand-in: its library is loaded at this first call, on 64 and
// 32 bits alike, and a file that is not there comes back as the shell's own answer.
TEST_F(HelpTest, SystemShellIsReachedAndAnswersForAMissingFile) {
    SetShellHandler(nullptr);
    INT_PTR answer = ShellOpenFile(folder_ + L"ない.pdf");
    EXPECT_EQ(answer, SE_ERR_FNF);
}

class AboutTest : public FormFixture {
protected:
    void StartWithAbout() {
        Start();
        about_ = std::make_unique<TAboutForm>(form_->Hwnd());
        form_->SetAbout(about_.get());
    }
    void TearDown() override {
        if (form_)
            form_->SetAbout(nullptr);
        about_.reset();
        FormFixture::TearDown();
    }
    void ShowAbout() {
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdHelpAbout, 0);
        Pump();
    }
    Rect ChildRect(HWND child) const {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        return Rect{r.left, r.top, r.right, r.bottom};
    }
    std::unique_ptr<TAboutForm> about_;
};

TEST_F(AboutTest, LayoutAndFramesAreTheDialogs) {
    StartWithAbout();
    HWND about = about_->Hwnd();
    RECT client;
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 577);
    EXPECT_EQ(client.bottom, 319);
    LONG style = GetWindowLongW(about, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(about, GW_OWNER), form_->Hwnd());
    EXPECT_FALSE(IsWindowVisible(about));
    wchar_t text[64] = {};
    GetWindowTextW(about, text, 64);
    EXPECT_STREQ(text, kAboutTitle);

    // The panels stand where the labels are drawn from; the pixels of the shown dialog tell the rest.
    EXPECT_EQ(ChildRect(about_->Panel1()), (Rect{8, 8, 569, 273}));
    EXPECT_EQ(ChildRect(about_->pnlCopy()), (Rect{12, 152, 549, 245}));
    EXPECT_EQ(ChildRect(about_->OKButton()), (Rect{493, 284, 568, 309}));
    EXPECT_EQ(GetDlgCtrlID(about_->OKButton()), IDOK);
}

TEST_F(AboutTest, ShowsModallyCentredWithTheVersionAndClosesOnEnter) {
    StartWithAbout();
    bool ownerEnabled = true;
    bool okHasFocus = false;
    std::string version;
    Image seen(0, 0, {});
    {
        DialogAnswer dialog(kAboutTitle, [&](HWND d) {
            ownerEnabled = IsWindowEnabled(form_->Hwnd()) != FALSE;
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(GetWindowThreadProcessId(d, nullptr), &info);
            okHasFocus = info.hwndFocus == about_->OKButton();
            version = about_->lblVersion();
            // Drawn by the dialog's own paint code, whatever covers it on the screen; the
            // screen's picture is kept to look at, with the system's button on it.
            seen = Image(CaptureWindowImage(d).Get());
            Sleep(300);
            ScreenImageOf(d).SaveArtefact("about-box");
            PostMessageW(about_->OKButton(), WM_KEYDOWN, VK_RETURN, 0);
        });
        ShowAbout();
        ASSERT_TRUE(dialog.Found());
        RECT r = dialog.Rect();
        Point centred = PlaceCentred(MainMonitor(), r.right - r.left, r.bottom - r.top);
        EXPECT_EQ(r.left, centred.x);
        EXPECT_EQ(r.top, centred.y);
    }
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(okHasFocus);
    EXPECT_EQ(version, "Version " + FileVersionText);
    EXPECT_EQ(version, "Version 1.0.0.1");
    EXPECT_FALSE(IsWindowVisible(about_->Hwnd()));
    EXPECT_TRUE(IsWindowEnabled(form_->Hwnd()));
    EXPECT_TRUE(errors_.empty());

    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(seen.At(8, 8), GetSysColor(COLOR_BTNSHADOW));    // lowered outer bevel
    EXPECT_EQ(seen.At(9, 9), GetSysColor(COLOR_BTNHIGHLIGHT)); // raised inner bevel
    EXPECT_EQ(seen.At(20, 160), GetSysColor(COLOR_BTNSHADOW)); // pnlCopy's lowered bevel
    auto count = [&](RECT r, auto match) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += match(seen.At(x, y));
        return n;
    };
    EXPECT_GT(count(RECT{26, 26, 58, 58}, [&](COLORREF c) { return c != face; }), 200); // the icon
    EXPECT_GT(count(RECT{36, 70, 558, 97}, [](COLORREF c) { return c == RGB(255, 0, 255); }), 300);
    EXPECT_GT(count(RECT{104, 28, 340, 56}, [](COLORREF c) { return c == GetSysColor(COLOR_WINDOWTEXT); }), 100);
    EXPECT_GT(count(RECT{384, 32, 540, 55}, [](COLORREF c) { return c == GetSysColor(COLOR_WINDOWTEXT); }), 50);
    for (int top : {14, 40, 64})
        EXPECT_GT(count(RECT{20, 160 + top, 557, 160 + top + 15}, [](COLORREF c) { return c == RGB(0, 0, 0); }), 50)
            << top;
}

TEST_F(AboutTest, OpensWhereItWasLeftAndOnlyOKClosesIt) {
    StartWithAbout();
    bool stayedOnEscape = false;
    {
        DialogAnswer dialog(kAboutTitle, [&](HWND d) {
            SetWindowPos(d, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            PostMessageW(about_->OKButton(), WM_KEYDOWN, VK_ESCAPE, 0);
            Sleep(300);
            stayedOnEscape = IsWindowVisible(d) != FALSE;
            PostMessageW(about_->OKButton(), WM_KEYDOWN, VK_SPACE, 0);
            PostMessageW(about_->OKButton(), WM_KEYUP, VK_SPACE, 0xC0000001);
        });
        ShowAbout();
        ASSERT_TRUE(dialog.Found());
    }
    EXPECT_TRUE(stayedOnEscape);
    EXPECT_FALSE(IsWindowVisible(about_->Hwnd()));

    FileVersionText.clear(); // a program without a file version
    std::string version;
    {
        DialogAnswer dialog(kAboutTitle, [&](HWND d) {
            version = about_->lblVersion();
            PostButtonClick(d, IDOK);
        });
        ShowAbout();
        ASSERT_TRUE(dialog.Found());
        EXPECT_EQ(dialog.Rect().left, 100);
        EXPECT_EQ(dialog.Rect().top, 120);
    }
    EXPECT_EQ(version, "Version ");
}

} // namespace
} // namespace purimo::test

namespace purimo::test {

// The program makes the About box at its first opening, and shows that same one again later.
TEST_F(AboutTest, AboutBoxIsMadeAtItsFirstOpeningAndKept) {
    Start();
    EXPECT_EQ(FindWindowW(L"TAboutForm", nullptr), nullptr);
    int makes = 0;
    form_->SetAboutMaker([&] {
        ++makes;
        about_ = std::make_unique<TAboutForm>(form_->Hwnd());
        return about_.get();
    });
    for (int opening = 0; opening < 2; ++opening) {
        DialogAnswer dialog(kAboutTitle, [](HWND d) { PostButtonClick(d, IDOK); });
        ShowAbout();
        EXPECT_TRUE(dialog.Found()) << opening;
    }
    EXPECT_EQ(makes, 1);
    form_->SetAboutMaker(nullptr);
}

} // namespace purimo::test
