#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "DialogAnswer.h"
#include "FormFixture.h"
#include "Image.h"
#include "output/CommonDialogs.h"
#include "output/OutputGeometry.h"
#include "output/WindowImage.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

constexpr const wchar_t* kSaveTitle = L"画像ファイルに名前を付けて保存";

std::uint32_t Read32(const std::string& bytes, size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

// What the save dialog was given, as the handler saw it.
struct SaveRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::wstring filter; // with its zero separators
    std::wstring defaultExtension;
    std::wstring initialName;
    DWORD flags = 0;
};

class SaveTest : public FormFixture {
protected:
    void TearDown() override {
        SetSaveDialogHandler(nullptr);
        FormFixture::TearDown();
    }

    // The dialog is answered with name, or cancelled when name is empty.
    void AnswerWith(const std::wstring& name) {
        SetSaveDialogHandler([this, name](OPENFILENAMEW& ofn) {
            SaveRequest r{ofn.hwndOwner, ofn.lpstrTitle, {}, ofn.lpstrDefExt, ofn.lpstrFile, ofn.Flags};
            for (const wchar_t* p = ofn.lpstrFilter; *p != 0; p += wcslen(p) + 1)
                r.filter += std::wstring(p) + L'|';
            requests_.push_back(r);
            if (name.empty())
                return FALSE;
            wcsncpy(ofn.lpstrFile, name.c_str(), ofn.nMaxFile);
            return TRUE;
        });
    }

    void Save() {
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdFileSaves, 0);
        Pump();
    }

    RECT DateRect() const {
        RECT r;
        GetWindowRect(form_->pnlDate().Hwnd(), &r);
        MapWindowPoints(nullptr, form_->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // Compares a saved 32-bit BMP with the window as it is now, pixel by pixel, leaving out the
    // clock, which may have ticked in between.
    void ExpectFileShowsTheWindow(const std::string& bytes) {
        BitmapHandle bitmap = CaptureWindowImage(form_->Hwnd());
        Image now(bitmap.Get());
        ASSERT_GE(bytes.size(), 54u);
        int w = static_cast<int>(Read32(bytes, 18));
        int h = static_cast<int>(Read32(bytes, 22));
        ASSERT_EQ(w, now.Width());
        ASSERT_EQ(h, now.Height());
        ASSERT_EQ(bytes.size(), 54u + 4u * static_cast<size_t>(w) * static_cast<size_t>(h));
        RECT clock = DateRect();
        int differences = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                POINT p{x, y};
                if (PtInRect(&clock, p))
                    continue;
                // Rows are stored from the bottom up, each pixel as blue, green, red, unused.
                size_t at = 54 + (static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 4;
                COLORREF stored = RGB(static_cast<unsigned char>(bytes[at + 2]),
                                      static_cast<unsigned char>(bytes[at + 1]), static_cast<unsigned char>(bytes[at]));
                differences += stored != now.At(x, y);
            }
        }
        EXPECT_EQ(differences, 0);
    }

    std::vector<SaveRequest> requests_;
};

TEST_F(SaveTest, SavesTheWindowAsItIsShownIntoAnExactBmp) {
    Start();
    form_->Set_ChangeCalender(2026, 1);
    AnswerWith(folder_ + L"january");
    Save();
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    std::string bytes = ReadFileBytes(folder_ + L"january.bmp"); // ".bmp" added to the bare name
    ASSERT_EQ(bytes.size(), 2344734u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Read32(bytes, 2), 2344734u);
    EXPECT_EQ(Read32(bytes, 10), 54u);
    EXPECT_EQ(Read32(bytes, 18), 1002u);
    EXPECT_EQ(Read32(bytes, 22), 585u);
    EXPECT_EQ(Read32(bytes, 28) & 0xFFFF, 32u);
    ExpectFileShowsTheWindow(bytes);
    Image(CaptureWindowImage(form_->Hwnd()).Get()).SaveArtefact("saved-january");
}

TEST_F(SaveTest, ShortMonthSavesANarrowerImage) {
    Start();
    form_->Set_ChangeCalender(2026, 2);
    AnswerWith(folder_ + L"february.bmp");
    Save();
    std::string bytes = ReadFileBytes(folder_ + L"february.bmp");
    EXPECT_EQ(Read32(bytes, 18), 912u);
    EXPECT_EQ(Read32(bytes, 22), 585u);
    EXPECT_EQ(bytes.size(), 54u + 4u * 912u * 585u);
}

TEST_F(SaveTest, DialogIsSetUpAlikeEachTimeAndStartsFromTheLastName) {
    Start();
    AnswerWith(folder_ + L"first");
    Save();
    long handles = LiveHandleCount();
    AnswerWith(folder_ + L"second.bmp");
    Save();
    EXPECT_EQ(LiveHandleCount(), handles);
    ASSERT_EQ(requests_.size(), 2u);
    for (const SaveRequest& r : requests_) {
        EXPECT_EQ(r.owner, form_->Hwnd());
        EXPECT_EQ(r.title, kSaveTitle);
        EXPECT_EQ(r.filter, L"ビットマップ (*.bmp)|*.bmp|");
        EXPECT_EQ(r.defaultExtension, L"bmp");
        EXPECT_TRUE(r.flags & OFN_HIDEREADONLY);
        EXPECT_TRUE(r.flags & OFN_ENABLESIZING);
        EXPECT_TRUE(r.flags & OFN_EXPLORER);
        EXPECT_FALSE(r.flags & OFN_OVERWRITEPROMPT);
        EXPECT_FALSE(r.flags & OFN_ALLOWMULTISELECT);
    }
    EXPECT_EQ(requests_[0].initialName, L"");
    EXPECT_EQ(requests_[1].initialName, folder_ + L"first.bmp");
}

TEST_F(SaveTest, CancelWritesNothing) {
    Start();
    AnswerWith(L"");
    Save();
    EXPECT_EQ(requests_.size(), 1u);
    EXPECT_TRUE(errors_.empty());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"*.bmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TEST_F(SaveTest, RealDialogReplacesAnExistingFileWithoutAsking) {
    Start();
    std::wstring bare = folder_ + L"体温表";
    WriteFileBytes(bare + L".bmp", std::string(3000000, 'x')); // longer than the image
    RECT placed{};
    std::wstring shownName;
    auto answer = [&](const std::wstring& name) {
        return [&, name](HWND dialog) {
            placed = RECT{};
            GetWindowRect(dialog, &placed);
            // The name field: a combo box in the explorer-style dialog, an edit in older ones.
            HWND field = GetDlgItem(dialog, cmb13);
            if (field == nullptr)
                field = GetDlgItem(dialog, edt1);
            // The dialog opens in the folder of the name it is given and shows the name alone.
            wchar_t text[MAX_PATH] = {};
            SendMessageW(dialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(text));
            shownName = text;
            SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            PostButtonClick(dialog, IDOK);
        };
    };
    {
        DialogAnswer dialog(kSaveTitle, answer(bare));
        Save();
        ASSERT_TRUE(dialog.Found());
    }
    ASSERT_TRUE(errors_.empty()) << errors_[0];
    EXPECT_EQ(shownName.find(L"体温表"), std::wstring::npos);
    std::string bytes = ReadFileBytes(bare + L".bmp");
    ExpectFileShowsTheWindow(bytes);

    // Centred on the main window's monitor, its top at a third of the free height.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(form_->Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& m = monitor.rcMonitor;
    Point expected = PlaceAtUpperThird(Rect{m.left, m.top, m.right, m.bottom}, placed.right - placed.left,
                                       placed.bottom - placed.top);
    EXPECT_EQ(placed.left, expected.x);
    EXPECT_EQ(placed.top, expected.y);

    // Again: the dialog opens with the full name of the last save, and replaces the file.
    {
        DialogAnswer dialog(kSaveTitle, answer(bare + L".bmp"));
        Save();
        ASSERT_TRUE(dialog.Found());
    }
    EXPECT_EQ(shownName, bare + L".bmp");
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(ReadFileBytes(bare + L".bmp").size(), bytes.size());
}

TEST_F(SaveTest, FileThatCannotBeCreatedIsReportedWithItsFullName) {
    Start();
    std::wstring missing = folder_ + L"no folder\\month.bmp";
    AnswerWith(missing);
    Save();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "ファイル " + Narrow(missing) + " を作成できません.");

    std::wstring locked = folder_ + L"open elsewhere.bmp";
    WriteFileBytes(locked, "kept");
    FileHandle other(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(other);
    AnswerWith(locked);
    Save();
    ASSERT_EQ(errors_.size(), 2u);
    EXPECT_EQ(errors_[1], "ファイル " + Narrow(locked) + " を作成できません.");
    other.Reset();
    EXPECT_EQ(ReadFileBytes(locked), "kept");
}

TEST_F(SaveTest, WriteFailingMidwayKeepsTheOldPictureWhole) {
    Start();
    std::wstring path = folder_ + L"picture.bmp";
    WriteFileBytes(path, "the old picture");
    // The disk fills up after the first block.
    form_->SetWriteBlockFunction([blocks = 0](HANDLE file, const void* data, DWORD size, DWORD* written) mutable {
        if (++blocks > 1) {
            *written = 0;
            return TRUE;
        }
        return WriteFile(file, data, size, written, nullptr);
    });
    AnswerWith(path);
    Save();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "ストリームへの書き込みエラー.");
    EXPECT_EQ(ReadFileBytes(path), "the old picture");
    EXPECT_EQ(GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES) << "no temporary file left";
}

} // namespace
} // namespace purimo::test
