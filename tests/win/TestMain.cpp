#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Wine prints the console in the locale's code page; the test names are ASCII anyway.
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
