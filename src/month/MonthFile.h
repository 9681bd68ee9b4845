#pragma once
// The month file: rows 1 to 4 of the month grid as comma lines, code page 932, each ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

#include "month/MonthGrid.h"

namespace purimo {

// The row's cells from column 0 to the last column, joined by commas; a cell holding a byte
// 0x00..0x20, a double quote or a comma is quoted.
std::string RowToCommaLine(const MonthGrid& grid, int row);

// Replaces every cell of the row with the fields of the line. An empty field is stored as one blank
// so that it keeps its column; fields beyond the last column are dropped. Returns false when the row
// does not hold all the line's text: a field was dropped, a quoted field lost its last character for
// want of a closing quote, or text follows a byte 0x00.
bool CommaLineToRow(MonthGrid& grid, int row, const std::string& line);

// The first lines of a month file, and whether the file holds text beyond them that a save of the
// month would not write back.
struct MonthFileLines {
    std::vector<std::string> lines;
    bool dropsText = false;
};

// Splits a month file into lines as its bytes arrive, block by block, so that a huge or corrupt file
// costs no more memory than the lines kept. Accepts CR LF or CR alone as line ends, drops leading
// bytes 0x00..0x20 of each line, stops at the first empty line and at a byte 0x1A. Lines after
// maxLines and the bytes of a line beyond maxLineBytes are not kept; they, and any text after the
// point where reading stopped, set dropsText.
class MonthFileReader {
public:
    MonthFileReader(size_t maxLines, size_t maxLineBytes) : maxLines_(maxLines), maxLineBytes_(maxLineBytes) {}

    // False once nothing more of the file can matter.
    bool Feed(std::string_view block);
    MonthFileLines Finish();

private:
    enum class State { BeforeLine, InLine, AfterCr, Stopped };
    void EndLine();

    size_t maxLines_;
    size_t maxLineBytes_;
    State state_ = State::BeforeLine;
    std::string line_;
    MonthFileLines result_;
};

// The month grid shows four lines; a written line of 32 short fields is far below the limit.
constexpr size_t kMonthFileLines = 4;
constexpr size_t kMonthLineBytes = size_t{1} << 20;
// What one read of a month file asks for.
constexpr size_t kMonthReadBlock = 65536;

// The lines of a month file's whole content, every one of them.
std::vector<std::string> SplitTextLines(const std::string& fileBytes);

// The whole content of the month file for the grid.
std::string MonthFileBytes(const MonthGrid& grid);

} // namespace purimo
