#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "month/MonthFile.h"
#include "month/ShowMonth.h"

namespace purimo {
namespace {

// "22 61 2C" -> the bytes 0x22 0x61 0x2C.
std::string Bytes(const std::string& hex) {
    std::string bytes;
    for (size_t pos = 0; pos + 1 < hex.size(); pos += 3)
        bytes += static_cast<char>(std::stoi(hex.substr(pos, 2), nullptr, 16));
    return bytes;
}

std::vector<std::string> RowCells(const MonthGrid& grid, int row) {
    std::vector<std::string> cells;
    for (int col = 0; col < grid.ColCount(); ++col)
        cells.push_back(grid.Cell(col, row));
    return cells;
}

TEST(CommaLine, WritesEachCellAsStoredAndReadsItBack) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"33 36 2E 35", "33 36 2E 35"},
        {"81 7E", "81 7E"},
        {"81 A2 09", "22 81 A2 09 22"},
        {"8E FC 20 20 8A FA", "22 8E FC 20 20 8A FA 22"},
        {"61 22 62", "22 61 22 22 62 22"},
        {"61 2C 62", "22 61 2C 62 22"},
    };
    for (const auto& [cell, written] : cases) {
        MonthGrid grid;
        grid.SetColCount(1);
        grid.SetCell(0, kRowMemo, Bytes(cell));
        const std::string line = RowToCommaLine(grid, kRowMemo);
        EXPECT_EQ(line, Bytes(written)) << cell;
        grid.SetCell(0, kRowMemo, "old");
        CommaLineToRow(grid, kRowMemo, line);
        EXPECT_EQ(grid.Cell(0, kRowMemo), Bytes(cell)) << cell;
    }
}

TEST(CommaLine, MonthFileBytes) {
    MonthGrid grid;
    grid.SetColCount(29);
    LayOutGridTexts(grid);
    grid.SetCell(1, kRowTemperature, "36.5");
    grid.SetCell(2, kRowTemperature, "36.7");
    const std::string temperatureLine =
        Bytes("22 91 CC 20 20 89 B7 22 2C 33 36 2E 35 2C 33 36 2E 37") + std::string(26, ',') + "\r\n";
    ASSERT_EQ(temperatureLine.size(), 46u);
    const std::string emptyCycleLine = Bytes("22 8E FC 20 20 8A FA 22") + std::string(28, ',') + "\r\n";

    const std::string bytes = MonthFileBytes(grid);
    EXPECT_EQ(bytes.substr(0, emptyCycleLine.size() + temperatureLine.size()), emptyCycleLine + temperatureLine);
    EXPECT_EQ(SplitTextLines(bytes).size(), 4u);

    grid.SetColCount(32);
    EXPECT_EQ(RowToCommaLine(grid, kRowMemo), "\"" + std::string(kRowLabels[kRowMemo]) + "\"" + std::string(31, ','));
}

TEST(CommaLine, ReadsFieldsIntoColumnsInOrder) {
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> cells; // of a row of four columns
    } const cases[] = {
        {"blanks separate fields", " \t\na b", {"a", "b", "", ""}},
        {"trailing comma adds no field", "a,b,", {"a", "b", "", ""}},
        {"empty fields keep their column", ",a,,b", {" ", "a", " ", "b"}},
        {"blanks around commas", "\"a\" ,  b , c", {"a", "b", "c", ""}},
        {"quoted comma, pair and blanks", "\"a,b\",\"x\"\"y\",\" z \",\"\"", {"a,b", "x\"y", " z ", " "}},
        {"text after closing quote", "\"a\"b", {"a", "b", "", ""}},
        {"unterminated quote", "x,\"abc", {"x", "ab", "", ""}},
        {"unterminated quote with a pair", "\"a\"\"bc", {"a\"b", "", "", ""}},
        {"unterminated quote of one character", "\"a", {" ", "", "", ""}},
        {"unterminated quote ending double-byte", Bytes("22 61 8A FA"), {"a", "", "", ""}},
        {"zero byte ends the line", std::string("a,b\0,c", 6), {"a", "b", "", ""}},
        {"surplus fields dropped", "a,b,c,d,e", {"a", "b", "c", "d"}},
    };
    for (const Case& c : cases) {
        MonthGrid grid;
        grid.SetColCount(4);
        for (int col = 0; col < 4; ++col)
            grid.SetCell(col, kRowEvent, "old");
        CommaLineToRow(grid, kRowEvent, c.line);
        EXPECT_EQ(RowCells(grid, kRowEvent), c.cells) << c.name;
    }
}

TEST(TextLines, SplitsAFileAsTheReaderDoes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } const cases[] = {
        {"empty file", "", {}},
        {"CR LF, CR alone, no end", "a\r\nb\rc", {"a", "b", "c"}},
        {"LF alone is part of the line", "a\nb\n", {"a\nb\n"}},
        {"empty second line ends the list", "a\r\n\r\nb\r\n", {"a"}},
        {"line of blanks ends the list", "a\r\n \t \r\nb\r\n", {"a"}},
        {"leading blanks dropped", " \t\na,b \r\n", {"a,b "}},
        {"0x1A ends the third line and the file", "l1\r\nl2\r\nl\x1Ax3\r\nl4\r\n", {"l1", "l2", "l"}},
        {"lines after the fourth", "1\r\n2\r\n3\r\n4\r\n5\r\n", {"1", "2", "3", "4", "5"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitTextLines(c.bytes), c.lines) << c.name;
}

TEST(CommaLine, WrittenMonthReadsBackWithDayCellsTrimmed) {
    MonthGrid grid;
    LayOutGridTexts(grid);
    grid.SetCell(1, kRowTemperature, "36.5");
    grid.SetCell(2, kRowEvent, Bytes("81 A2 09"));
    grid.SetCell(3, kRowEvent, "   ");
    grid.SetCell(31, kRowMemo, "say \"hi\", then go");

    MonthGrid back;
    ApplyMonthLines(back, 31, SplitTextLines(MonthFileBytes(grid)));

    grid.SetCell(2, kRowEvent, Bytes("81 A2"));
    grid.SetCell(3, kRowEvent, "");
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        EXPECT_EQ(RowCells(back, row), RowCells(grid, row)) << row;
}

TEST(CommaLine, BrokenDoubleByteTextCannotSwallowTheCommaAfterIt) {
    // A lead byte with no valid second byte, as a damaged file may hold, stays in its own day.
    MonthGrid grid;
    LayOutGridTexts(grid);
    grid.SetCell(3, kRowEvent, Bytes("81 D4 9F"));
    grid.SetCell(4, kRowEvent, Bytes("81 7E"));
    grid.SetCell(5, kRowMemo, Bytes("9F 22"));
    EXPECT_EQ(RowToCommaLine(grid, kRowMemo).substr(8, 10), Bytes("2C 2C 2C 2C 2C 22 9F 22 22 22"));

    MonthGrid back;
    ApplyMonthLines(back, 31, SplitTextLines(MonthFileBytes(grid)));
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        EXPECT_EQ(RowCells(back, row), RowCells(grid, row)) << row;
}

} // namespace
} // namespace purimo
