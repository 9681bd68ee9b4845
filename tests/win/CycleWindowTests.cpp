// The cycle window opened from the menu as a user would, over month files in a folder of its own:
// which cycle it opens on, paging, its texts, its chart, and that it never writes a file.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DialogAnswer.h"
#include "FormFixture.h"
#include "Image.h"
#include "cycle/CycleForm.h"
#include "cycle/CycleTableForm.h"
#include "cycle/CycleText.h"
#include "month/MonthGrid.h"
#include "widgets/Handles.h"
#include "widgets/WinText.h"

namespace purimo::test {

namespace {

// Runs a step from within the cycle window's modal loop, after the messages already posted.
std::function<void()> laterStep;
void CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> step = std::move(laterStep);
    laterStep = nullptr;
    if (step)
        step();
}
void Later(std::function<void()> step) {
    laterStep = std::move(step);
    SetTimer(nullptr, 0, 0, &RunLater);
}

std::string Row(const char* label, const std::vector<std::string>& cells) {
    std::string line = std::string("\"") + label + "\"";
    for (const std::string& cell : cells)
        line += "," + cell;
    return line + "\r\n";
}

// A month file: cells by day for the cycle-day, temperature and mark rows.
std::string Month(int days, const std::map<int, std::string>& cycle, const std::vector<std::string>& temps,
                  const std::map<int, std::string>& marks = {}) {
    std::vector<std::string> c(static_cast<size_t>(days)), t(static_cast<size_t>(days)), m(static_cast<size_t>(days));
    for (const auto& [day, text] : cycle)
        c[static_cast<size_t>(day - 1)] = text;
    for (size_t i = 0; i < temps.size() && i < t.size(); ++i)
        t[i] = temps[i];
    for (const auto& [day, text] : marks)
        m[static_cast<size_t>(day - 1)] = text;
    return Row("周  期", c) + Row("体  温", t) + Row("変  化", m) + Row("メ  モ", std::vector<std::string>(days));
}

// Every file of the folder with its bytes and its last write time.
std::map<std::wstring, std::pair<std::string, ULONGLONG>> FolderState(const std::wstring& folder) {
    std::map<std::wstring, std::pair<std::string, ULONGLONG>> state;
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search)
        return state;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        ULONGLONG written = (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                            found.ftLastWriteTime.dwLowDateTime;
        state[found.cFileName] = {ReadFileBytes(folder + found.cFileName), written};
    } while (FindNextFileW(search.Get(), &found));
    return state;
}

} // namespace

class CycleWindowTest : public FormFixture {
protected:
    // Three cycles: from 1/5 (a typed 1), from 2/3 (a typed 1) with its shift on 2/16, and from 3/4
    // (a "×" only), recorded up to 3/10.
    void WriteThreeCycles() {
        std::vector<std::string> january(31, "36.3");
        WriteFileBytes(MonthPath("202601"), Month(31, {{5, "1"}}, january));
        std::vector<std::string> february{"36.7", "36.6", "36.3", "36.2", "36.3", "36.4", "36.3", "36.2", "36.3", "36.2",
                                          "36.3", "36.2", "36.3", "36.3", "36.3", "36.7", "36.7", "36.8", "36.7", "36.8",
                                          "36.7", "36.8", "36.7", "36.8", "36.7", "36.8", "36.7", "36.7"};
        WriteFileBytes(MonthPath("202602"), Month(28, {{3, "1"}}, february));
        WriteFileBytes(MonthPath("202603"), Month(31, {}, {"36.7", "36.6", "36.5", "36.3", "36.2", "36.3", "36.3",
                                                           "36.2", "36.3", "36.4"},
                                                  {{4, "×"}, {5, "×"}}));
    }
    // Opens the window from the menu; inside runs within its modal loop and must close it.
    void OpenCycleWindow(std::function<void(TCycleForm&)> inside) {
        bool opened = false;
        form_->SetCycleFormShown([&](TCycleForm& cycle) {
            opened = true;
            inside(cycle);
        });
        SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleGraph, 0);
        Pump();
        EXPECT_TRUE(opened);
        form_->SetCycleFormShown(nullptr);
    }
    static void PressKey(TCycleForm& cycle, WPARAM key) {
        PostMessageW(GetFocus() != nullptr ? GetFocus() : cycle.Hwnd(), WM_KEYDOWN, key, 1);
    }
};

TEST_F(CycleWindowTest, OpensOnTheShownMonthsCyclePagesAndWritesNothing) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteThreeCycles();
    Start();
    form_->Set_ChangeCalender(2026, 2);
    SetWindowPos(form_->Hwnd(), nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto before = FolderState(ClientFolder());
    std::vector<std::vector<std::string>> pages;
    std::vector<std::pair<bool, bool>> buttons; // older, newer enabled
    RECT owner{};
    RECT window{};
    // The steps outlive the hook that starts them: everything they use lives here.
    TCycleForm* shown = nullptr;
    auto record = [&] {
        pages.push_back(shown->Texts());
        buttons.push_back({IsWindowEnabled(shown->btnPrev()) != FALSE, IsWindowEnabled(shown->btnNext()) != FALSE});
    };
    OpenCycleWindow([&](TCycleForm& cycle) {
        shown = &cycle;
        GetWindowRect(form_->Hwnd(), &owner);
        GetWindowRect(cycle.Hwnd(), &window);
        record();
        PressKey(cycle, VK_PRIOR);
        Later([&] {
            record();
            PressKey(*shown, VK_PRIOR); // at the oldest: nothing
            Later([&] {
                record();
                PressKey(*shown, VK_NEXT);
                PressKey(*shown, VK_NEXT);
                Later([&] {
                    record();
                    SendMessageW(shown->btnPrev(), BM_CLICK, 0, 0);
                    record();
                    PressKey(*shown, VK_ESCAPE);
                });
            });
        });
    });
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[0].front(), "2026/02/03 〜 2026/03/03（29日間）") << "the cycle begun by the end of February";
    EXPECT_EQ(pages[0][1], "高温期の始まり 2026/02/16（14日目）　確定 2026/02/18　カバーライン 36.30℃");
    EXPECT_EQ(pages[0].back(), kCycleNotice);
    EXPECT_EQ(pages[1].front(), "2026/01/05 〜 2026/02/02（29日間）");
    EXPECT_EQ(pages[1][1], "体温の上昇は確認されていません");
    EXPECT_EQ(pages[2], pages[1]);
    EXPECT_EQ(pages[3].front(), "2026/03/04 〜 2026/03/10（記録中）");
    EXPECT_EQ(pages[4], pages[0]);
    EXPECT_EQ(buttons[1], std::make_pair(false, true));
    EXPECT_EQ(buttons[3], std::make_pair(true, false));
    EXPECT_EQ(buttons[4], std::make_pair(true, true));
    EXPECT_NEAR((window.left + window.right) / 2, (owner.left + owner.right) / 2, 1) << "centred over the main window";
    EXPECT_EQ(FindOwnWindow(L"周期グラフ"), nullptr) << "Esc closed it";
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(FolderState(ClientFolder()), before) << "nothing written, moved or backed up";
}

TEST_F(CycleWindowTest, UnsavedEntriesAndAnOpenEditorCountAsShown) {
    Start();
    form_->Set_ChangeCalender(2026, 3);
    form_->Grid().SetCell(2, kRowCycleDay, "1");
    form_->Grid().SetCell(3, kRowTemperature, " 36.55 ");
    // Day 12's cycle-day field is open with "1" typed into it.
    form_->Grid().SetCurrent(CellPos{12, kRowCycleDay});
    form_->gridMainClick();
    SetWindowTextW(form_->spinEdit().Edit(), L"1");
    std::vector<std::string> open;
    std::vector<std::string> older;
    OpenCycleWindow([&](TCycleForm& cycle) {
        open = cycle.Texts();
        cycle.ShowOlder();
        older = cycle.Texts();
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    ASSERT_FALSE(open.empty());
    EXPECT_EQ(open.front(), "2026/03/12 〜 2026/03/12（記録中）");
    ASSERT_FALSE(older.empty());
    EXPECT_EQ(older.front(), "2026/03/02 〜 2026/03/11（10日間）");
    EXPECT_TRUE(form_->spinEdit().Visible()) << "the editor stays open";
    EXPECT_EQ(ReadFileBytes(MonthPath("202603")), "<missing>") << "the shown month is not saved for it";
}

TEST_F(CycleWindowTest, MonthsThatCannotBeReadAreNamedAndLeftOutOfTheFigures) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteThreeCycles();
    WriteFileBytes(MonthPath("202512"), "\"周  期\"\r\n\"体  温\"\r\n");
    WriteFileBytes(ClientFolder() + L"202513.dat", "not a month");
    WriteFileBytes(ClientFolder() + L"202601.dat.bak", "a backup");
    Start();
    form_->Set_ChangeCalender(2026, 4);
    std::vector<std::string> texts;
    const auto before = FolderState(ClientFolder());
    {
        LockedFile lock(MonthPath("202602"));
        OpenCycleWindow([&](TCycleForm& cycle) {
            texts = cycle.Texts();
            PostMessageW(cycle.btnClose(), BM_CLICK, 0, 0);
        });
    }
    EXPECT_EQ(FolderState(ClientFolder()), before);
    const std::vector<std::string> expected{"2026/03/04 〜 2026/03/10（記録中）", "体温の上昇は確認されていません",
                                            "読み込めなかった月を含む周期は統計に入れていません",
                                            "読み込めなかった月: 2025/12, 2026/02", kCycleNotice};
    EXPECT_EQ(texts, expected) << "January's cycle runs into February: no closed cycle counts";
}

TEST_F(CycleWindowTest, WithoutAStartOnlyTheHintShows) {
    Start();
    form_->Set_ChangeCalender(2026, 3);
    form_->Grid().SetCell(3, kRowTemperature, "36.5");
    OpenCycleWindow([&](TCycleForm& cycle) {
        EXPECT_EQ(cycle.Texts(), std::vector<std::string>{kNoCycleText});
        EXPECT_FALSE(IsWindowVisible(cycle.Chart()));
        EXPECT_FALSE(IsWindowVisible(cycle.btnPrev()));
        EXPECT_FALSE(IsWindowVisible(cycle.btnNext()));
        EXPECT_EQ(cycle.ShownCycle(), -1);
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
}

TEST_F(CycleWindowTest, ChartDrawsTheCentreAndCoverLinesAndBothKindsOfPoint) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteThreeCycles();
    Start();
    form_->Set_ChangeCalender(2026, 2);
    std::unique_ptr<Image> image;
    OpenCycleWindow([&](TCycleForm& cycle) {
        RECT r{};
        GetClientRect(cycle.Chart(), &r);
        WindowDc screen(nullptr);
        MemoryDc dc(CreateCompatibleDC(screen.Get()));
        BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), r.right, r.bottom));
        HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
        SendMessageW(cycle.Chart(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        SelectObject(dc.Get(), old);
        image = std::make_unique<Image>(bitmap.Get());
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    ASSERT_TRUE(image);
    image->SaveArtefact("cycle-chart");
    auto rowCount = [&](COLORREF color) {
        int best = 0;
        for (int y = 0; y < image->Height(); ++y) {
            int n = 0;
            for (int x = 0; x < image->Width(); ++x)
                n += image->At(x, y) == color ? 1 : 0;
            best = std::max(best, n);
        }
        return best;
    };
    EXPECT_GT(rowCount(RGB(255, 0, 0)), image->Width() * 3 / 4) << "the red centre line across the plot";
    EXPECT_GT(rowCount(RGB(0, 128, 0)), image->Width() / 3) << "the dashed green cover line";
    EXPECT_GT(rowCount(RGB(0, 0, 255)), 0) << "blue low-phase squares";
}

} // namespace purimo::test

namespace purimo::test {

TEST_F(CycleWindowTest, ReadingLeftOutAndTakenBackFromTheKeyboardAndTheMenu) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteThreeCycles();
    Start();
    form_->Set_ChangeCalender(2026, 2);
    const std::wstring list = ClientFolder() + L"excluded.txt";
    std::vector<std::string> before, out, back;
    std::string fileOut, fileBack, button;
    int selected = 0;
    TCycleForm* shown = nullptr;
    OpenCycleWindow([&](TCycleForm& cycle) {
        shown = &cycle;
        before = cycle.Texts();
        PressKey(cycle, VK_HOME);
        for (int i = 0; i < 13; ++i)
            PressKey(cycle, VK_RIGHT);
        Later([&] {
            selected = shown->SelectedDay();
            // Alt+X, the button's mnemonic.
            PostMessageW(GetFocus(), WM_SYSCHAR, L'x', 1 << 29);
            Later([&] {
                out = shown->Texts();
                fileOut = ReadFileBytes(list);
                button = Narrow(WindowText(shown->btnLeaveOut()));
                ScreenImageOf(shown->Hwnd()).SaveArtefact("cycle-window-left-out");
                // The menu key's menu on the chart, its one item chosen by its letter.
                PostMessageW(GetFocus(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetFocus()), -1);
                PostMessageW(GetFocus(), WM_CHAR, L'x', 1);
                Later([&] {
                    back = shown->Texts();
                    fileBack = ReadFileBytes(list);
                    PressKey(*shown, VK_ESCAPE);
                });
            });
        });
    });
    EXPECT_EQ(selected, DaySerial(2026, 2, 16));
    ASSERT_GE(out.size(), 5u);
    EXPECT_EQ(out[1], "高温期の始まり 2026/02/17（15日目）　確定 2026/02/19　カバーライン 36.30℃");
    EXPECT_EQ(out[4], "除外した体温 1日 (2/16)");
    EXPECT_EQ(fileOut, "2026/02/16\r\n");
    EXPECT_EQ(button, "除外を取り消す(&X)");
    EXPECT_NE(std::find(out.begin(), out.end(), "高温期の長さ 平均 15.0日（1周期）"), out.end());
    EXPECT_EQ(back, before);
    EXPECT_EQ(fileBack, "<missing>") << "nothing left out: the list is removed";
    EXPECT_TRUE(errors_.empty());
}

} // namespace purimo::test

namespace purimo::test {

TEST_F(CycleWindowTest, TableShowsEveryCycleWithTheWindowsFiguresAndCopiesThem) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteThreeCycles();
    Start();
    form_->Set_ChangeCalender(2026, 3);
    std::vector<std::vector<std::wstring>> shownRows;
    std::vector<std::string> texts, windowOpened;
    std::wstring copied;
    TCycleTableForm* shown = nullptr;
    form_->SetCycleTableShown([&](TCycleTableForm& table) {
        shown = &table;
        const HWND list = table.List();
        for (int r = 0; r < ListView_GetItemCount(list); ++r) {
            std::vector<std::wstring> cells;
            for (int c = 0; c < kCycleTableColumns; ++c) {
                wchar_t text[64] = {};
                ListView_GetItemText(list, r, c, text, 64);
                cells.push_back(text);
            }
            shownRows.push_back(cells);
        }
        texts = table.Texts();
        // Ctrl+A, then Ctrl+C: every row for a spreadsheet.
        {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            SetKeyboardState(keys);
            SendMessageW(list, WM_KEYDOWN, 'A', 1);
            PostMessageW(list, WM_KEYDOWN, 'A', 1);
            PostMessageW(list, WM_KEYDOWN, 'C', 1);
        }
        form_->SetCycleFormShown([&](TCycleForm& cycle) {
            windowOpened = cycle.Texts();
            PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
        });
        Later([&] {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0;
            SetKeyboardState(keys);
            copied = ClipboardText(shown->Hwnd());
            RedrawWindow(shown->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            ScreenImageOf(shown->Hwnd()).SaveArtefact("cycle-table");
            // Enter on the second row opens its cycle.
            ListView_SetItemState(shown->List(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
            PostMessageW(shown->List(), WM_KEYDOWN, VK_RETURN, 1);
            Later([&] { PostMessageW(shown->btnClose(), BM_CLICK, 0, 0); });
        });
    });
    SendMessageW(form_->Hwnd(), WM_COMMAND, kCmdCycleTable, 0);
    Pump();
    form_->SetCycleTableShown(nullptr);
    form_->SetCycleFormShown(nullptr);
    ASSERT_EQ(shownRows.size(), 3u);
    EXPECT_EQ(shownRows[0][0], L"2026/03/04") << "the newest first";
    EXPECT_EQ(shownRows[0][1], L"記録中");
    EXPECT_EQ(shownRows[0][2], L"7");
    // As the window words the February cycle: 2/16 (14th day), 2/18, 36.30℃.
    EXPECT_EQ(shownRows[1], (std::vector<std::wstring>{L"2026/02/03", L"2026/03/03", L"29", L"2026/02/16", L"14",
                                                        L"2026/02/18", L"36.30", L"36.28", L"36.71", L"0.43", L"16",
                                                        L"0"}));
    EXPECT_EQ(shownRows[2][3], L"");
    EXPECT_EQ(texts.front(), "周期の長さ 平均 29.0日（最短 29日・最長 29日・2周期）");
    const std::wstring header = L"開始日\t終了日\t日数\t高温期の始まり\t周期日\t確定日\tカバーライン\t低温期平均\t高温期平均\t差\t高温期日数\t除外\r\n";
    EXPECT_EQ(copied.substr(0, header.size()), header);
    EXPECT_NE(copied.find(L"\r\n2026/02/03\t2026/03/03\t29\t2026/02/16\t14\t2026/02/18\t36.30\t"), std::wstring::npos);
    EXPECT_EQ(std::count(copied.begin(), copied.end(), L'\n'), 4);
    ASSERT_FALSE(windowOpened.empty()) << "Enter opened the cycle window";
    EXPECT_EQ(windowOpened.front(), "2026/02/03 〜 2026/03/03（29日間）");
    EXPECT_EQ(windowOpened.at(2), "低温期 平均 36.28℃　高温期 平均 36.71℃　差 0.43℃") << "the table's figures";
    EXPECT_TRUE(errors_.empty());
}

} // namespace purimo::test

namespace purimo::test {

TEST_F(CycleWindowTest, LongHighPhaseOfTheOpenCycleIsNamed) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    std::vector<std::string> september{"36.2", "36.3", "36.2", "36.3", "36.2", "36.3"};
    september.resize(24, "36.8");
    WriteFileBytes(MonthPath("202609"), Month(30, {{1, "1"}}, september));
    Start();
    form_->Set_ChangeCalender(2026, 9);
    std::vector<std::string> texts;
    OpenCycleWindow([&](TCycleForm& cycle) {
        texts = cycle.Texts();
        PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
    });
    EXPECT_NE(std::find(texts.begin(), texts.end(), "高温期が18日続いています。妊娠の可能性があります。"), texts.end());
}

} // namespace purimo::test

namespace purimo::test {

TEST_F(CycleWindowTest, ListThatCannotBeReadIsNamedAndNeverWritten) {
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    WriteThreeCycles();
    WriteFileBytes(ClientFolder() + L"excluded.txt", "2026/02/16\r\n");
    Start();
    form_->Set_ChangeCalender(2026, 2);
    std::vector<std::string> texts;
    bool enabled = true;
    int clicked = 0;
    {
        LockedFile lock(ClientFolder() + L"excluded.txt");
        OpenCycleWindow([&](TCycleForm& cycle) {
            texts = cycle.Texts();
            // A click on the labels left of the first column selects the first day.
            RECT chart;
            GetClientRect(cycle.Chart(), &chart);
            cycle.SelectDay(DaySerial(2026, 2, 10));
            UpdateWindow(cycle.Chart());
            SendMessageW(cycle.Chart(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, chart.bottom - 5));
            clicked = cycle.SelectedDay();
            enabled = IsWindowEnabled(cycle.btnLeaveOut()) != FALSE;
            cycle.ToggleLeftOut();
            PostMessageW(cycle.Hwnd(), WM_CLOSE, 0, 0);
        });
    }
    EXPECT_EQ(texts.at(1), "高温期の始まり 2026/02/16（14日目）　確定 2026/02/18　カバーライン 36.30℃")
        << "treated as empty";
    EXPECT_NE(std::find(texts.begin(), texts.end(), "除外の一覧 (excluded.txt) を読み込めませんでした"), texts.end());
    EXPECT_EQ(clicked, DaySerial(2026, 2, 3)) << "the click left of the first column picks the first day";
    EXPECT_FALSE(enabled);
    EXPECT_EQ(ReadFileBytes(ClientFolder() + L"excluded.txt"), "2026/02/16\r\n");
}

} // namespace purimo::test
