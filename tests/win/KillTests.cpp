// A process ended at random moments while it saves a month: the month file is always one of the two
// months whole, byte for byte, and what the ended process leaves behind stands in the way of nothing.
#include <windows.h>

#include <cstdio>
#include <random>

#include "FormFixture.h"
#include "HelperProcess.h"
#include "month/MonthFileIo.h"
#include "month/ShowMonth.h"
#include "helpers/SaveLoopMonths.h"
#include "widgets/Handles.h"

namespace purimo::test {

namespace {

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

} // namespace

using KillTest = FormFixture;

TEST_F(KillTest, SaveEndedAtRandomMomentsLeavesTheOldOrTheNewFileWhole) {
    constexpr int kKills = 200;
    const std::string months[] = {SaveLoopMonthBytes('a', 400), SaveLoopMonthBytes('b', 150)};
    CreateDirectoryW(ClientFolder().c_str(), nullptr);
    const std::wstring path = MonthPath("202604");
    const std::wstring eventName = L"PurimoSaveLoop" + std::to_wstring(GetCurrentProcessId());
    std::mt19937 random(42);
    int seen[2] = {0, 0};
    int leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        FileHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
        HelperProcess helper(L"save-loop \"" + path + L"\" " + eventName);
        ASSERT_TRUE(helper.Started()) << "after kill " << kill << ": error " << helper.StartError();
        ASSERT_EQ(WaitForSingleObject(ready.Get(), 20000), WAIT_OBJECT_0) << "the helper never saved";
        Sleep(random() % 12);
        helper.Kill();

        std::string bytes = ReadFileBytes(path);
        const bool old = bytes == months[0];
        ASSERT_TRUE(old || bytes == months[1])
            << "after kill " << kill << " the file holds " << bytes.size() << " bytes of neither month";
        ++seen[old ? 0 : 1];
        bool temporaryLeft = false;
        for (const std::wstring& name : FilesIn(ClientFolder())) {
            if (name.find(L".tmp") != std::wstring::npos) {
                temporaryLeft = true;
                continue;
            }
            if (name != L"202604.dat") {
                std::string backup = ReadFileBytes(ClientFolder() + name);
                ASSERT_TRUE(backup == months[0] || backup == months[1]) << "a backup is always whole";
            }
        }
        leftovers += temporaryLeft ? 1 : 0;
    }
    std::printf("%d kills during saves: %d times the one month, %d times the other; a temporary file "
                "there afterwards %d times\n",
                kKills, seen[0], seen[1], leftovers);
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);

    // The window starts on what the ended process left, loads it whole and saves over the leftovers.
    Start();
    form_->Set_ChangeCalender(2026, 4);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(form_->Grid().Cell(1, kRowTemperature), "36.5");
    ClickButton(form_->btnNext());
    EXPECT_EQ(form_->ShownMonth(), 5);
    EXPECT_EQ(ReadFileBytes(path + L".tmp"), "<missing>");
    std::string saved = ReadFileBytes(path);
    EXPECT_TRUE(saved == months[0] || saved == months[1]) << "the month was written back unchanged";
}

} // namespace purimo::test
