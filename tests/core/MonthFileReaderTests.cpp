// Reading month files that this program did not write: in blocks, bounded, and telling what a save
// would drop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "month/MonthFile.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

const std::string kWritten = "\"周  期\",1,2\r\n\"体  温\",36.5,36.6\r\n\"変  化\"\r\n\"メ  モ\",\"a\"\"b\"\r\n";

MonthFileLines ReadInBlocks(const std::string& bytes, size_t blockSize, size_t maxLines = kMonthFileLines,
                            size_t maxLineBytes = kMonthLineBytes) {
    MonthFileReader reader(maxLines, maxLineBytes);
    for (size_t at = 0; at < bytes.size(); at += blockSize)
        if (!reader.Feed(std::string_view(bytes).substr(at, blockSize)))
            break;
    return reader.Finish();
}

TEST(MonthFileReader, GivesTheSameLinesWhereverTheBlocksEnd) {
    const std::string files[] = {
        kWritten,
        "a\rb\r\nc\n d\r\n\r\ne\r\n",
        " \t x\r\n\r\n",
        "one\x1Atwo\r\n",
        "\r\nafter an empty first line",
        "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n",
        "no line end",
        "",
    };
    for (const std::string& file : files) {
        std::vector<std::string> whole = SplitTextLines(file);
        if (whole.size() > kMonthFileLines)
            whole.resize(kMonthFileLines);
        const bool dropsText = ReadInBlocks(file, file.size() + 1).dropsText;
        for (size_t block = 1; block <= file.size(); ++block) {
            MonthFileLines read = ReadInBlocks(file, block);
            EXPECT_EQ(read.lines, whole) << "[" << file << "] in blocks of " << block;
            EXPECT_EQ(read.dropsText, dropsText) << "[" << file << "] in blocks of " << block;
        }
    }
}

TEST(MonthFileReader, TellsWhenTheFileHoldsTextThatASaveWouldDrop) {
    const std::pair<std::string, bool> cases[] = {
        {kWritten, false},
        {kWritten + "\r\n\r\n \t\x1A", false},
        {kWritten + "fifth line\r\n", true},
        {kWritten + "\r\nafter an empty line", true},
        {kWritten + "\x1A"
                    "after the end-of-file byte",
         true},
        {"a\r\nb\r\nc\r\nd\x1A"
         "cut off in the fourth line\r\n",
         true},
        {"a\r\n\r\nb", true},
    };
    for (const auto& [file, drops] : cases)
        EXPECT_EQ(ReadInBlocks(file, 7).dropsText, drops) << file;
}

TEST(MonthFileReader, KeepsNoMoreThanItsLimits) {
    std::string manyLines;
    for (int i = 0; i < 100000; ++i)
        manyLines += "line " + std::to_string(i) + "\r\n";
    MonthFileLines read = ReadInBlocks(manyLines, 4096);
    EXPECT_EQ(read.lines.size(), kMonthFileLines);
    EXPECT_EQ(read.lines[3], "line 3");
    EXPECT_TRUE(read.dropsText);

    const std::string longLine = "\"体  温\"," + std::string(5000, '3') + ",36.5";
    read = ReadInBlocks("a\r\n" + longLine + "\r\nc\r\nd\r\n", 1000, kMonthFileLines, 100);
    ASSERT_EQ(read.lines.size(), 4u);
    EXPECT_EQ(read.lines[1], longLine.substr(0, 100));
    EXPECT_EQ(read.lines[2], "c") << "the lines after a cut one are still read";
    EXPECT_TRUE(read.dropsText);
}

TEST(MonthFileReader, RowsTellWhenTheyCannotHoldTheirLine) {
    MonthGrid grid;
    PrepareMonthColumns(grid, 2026, 2);
    const std::pair<std::string, bool> cases[] = {
        {"\"周  期\"" + std::string(28, ','), true},
        {"\"周  期\"" + std::string(28, ',') + ",", true},
        {"\"周  期\"" + std::string(28, ',') + ",29", false},
        {"L,\"a\"\"b\"", true},
        {"L,\"open", false},
        {"L,\"", true},
        {std::string("L,1\0 \t", 6), true},
        {std::string("L,1\0hidden", 10), false},
    };
    for (const auto& [line, whole] : cases)
        EXPECT_EQ(CommaLineToRow(grid, kRowCycleDay, line), whole) << line;

    const std::vector<std::string> lines = {"c", "t," + std::string(40, '1') + std::string(40, ','), "e", "m"};
    EXPECT_FALSE(ApplyMonthLines(grid, 28, lines)) << "fields beyond the last day";
    EXPECT_TRUE(ApplyMonthLines(grid, 28, {"c", "t,36.5", "e", "m"}));
}

TEST(NormaliseTemperatures, AnyNumberInAFileIsSafe) {
    const std::pair<const char*, const char*> cases[] = {
        {"1e62", ""},       {"9e99", ""},        {"1e308", ""},    {"-1e308", ""}, {"1e999", ""},      {"1e-400", ""},
        {"3.65e1", "36.5"}, {"0.375E2", "37.5"}, {"999999.9", ""}, {"-0", ""},     {"36.549", "36.5"},
    };
    for (const auto& [stored, shown] : cases) {
        MonthGrid grid;
        int days = PrepareMonthColumns(grid, 2026, 4);
        grid.SetCell(1, kRowTemperature, stored);
        NormaliseTemperatures(grid, days);
        EXPECT_EQ(grid.Cell(1, kRowTemperature), shown) << stored;
    }
}

} // namespace
} // namespace purimo
