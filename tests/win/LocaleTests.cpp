// The program keeps its text as code page 932 bytes and calls the wide functions, so it works the
// same on a Windows of another ANSI code page. The test command runs part of the suite again
// under an English locale and says which code page it expects.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "widgets/WinText.h"

namespace purimo::test {

TEST(LocaleTest, RunsUnderTheCodePageTheRunAsksFor) {
    const char* expected = std::getenv("PURIMO_EXPECT_ACP");
    if (expected == nullptr)
        GTEST_SKIP() << "the run names no code page";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    // The program's own conversions do not follow the system's code page.
    EXPECT_EQ(Widen("\x93\xAA\x92\xC9"), L"頭痛");
    EXPECT_EQ(Narrow(L"体温"), "\x91\xCC\x89\xB7");
}

} // namespace purimo::test
