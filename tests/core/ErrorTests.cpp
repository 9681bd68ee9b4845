#include <gtest/gtest.h>

#include <string>

#include "common/Clock.h"
#include "common/Errors.h"
#include "common/SettingsValues.h"

namespace purimo {
namespace {

TEST(Errors, IoErrorTextsAndTheErrorBox) {
    const std::string notFound = "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82"
                                 "\xB9\x82\xF1";
    const std::string sharing = "I/O \x83\x47\x83\x89\x81\x5B (32)";
    EXPECT_EQ(IoErrorText(2), notFound);
    EXPECT_EQ(IoErrorText(32), sharing);
    const IoError error(5);
    EXPECT_EQ(error.Code(), 5);
    EXPECT_EQ(std::string(error.what()), IoErrorText(5));

    const std::pair<std::string, std::string> boxes[] = {
        {"", ""},      {"abc", "abc."},    {"abc.", "abc."},           {"abc ", "abc "},
        {"a/", "a/."}, {sharing, sharing}, {notFound, notFound + "."},
    };
    for (const auto& [message, shown] : boxes)
        EXPECT_EQ(ErrorBoxText(message), shown) << message;
}

TEST(SettingsValues, RegistryTexts) {
    const std::pair<std::string, int> integers[] = {
        {"-32000", -32000}, {"+7", 7},   {" 12", 12}, {"2147483647", 2147483647}, {"2147483648", 99}, {"", 99},
        {"12a", 99},        {"1.5", 99}, {"+-1", 99},
    };
    for (const auto& [text, value] : integers)
        EXPECT_EQ(ReadIntegerText(text, 99), value) << text;

    EXPECT_TRUE(ReadBoolText("2", false));
    EXPECT_FALSE(ReadBoolText("yes", false));
    EXPECT_FALSE(ReadBoolText("0", true));
    EXPECT_EQ(WriteBoolText(true), "1");
    EXPECT_EQ(WriteBoolText(false), "0");
    EXPECT_EQ(ReadIntegerText(WriteIntegerText(-2147483647 - 1), 0), -2147483647 - 1);
}

TEST(Clock, FormatsDateWeekdayAndTime) {
    EXPECT_EQ(FormatClock({2026, 12, 7, 3, 12, 16}, "/", ":", "\x8C\x8E\x97\x6A\x93\xFA"),
              "2026/12/07 [\x8C\x8E\x97\x6A\x93\xFA] 03:12:16");
    EXPECT_EQ(FormatClock({987, 1, 2, 23, 5, 9}, "-", ".", "Fri"), "0987-01-02 [Fri] 23.05.09");
}

} // namespace
} // namespace purimo
