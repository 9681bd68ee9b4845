#pragma once
// The month file: rows 1 to 4 of the month grid as comma lines, code page 932, each ended by CR LF.
#include <string>
#include <vector>

#include "month/MonthGrid.h"

namespace purimo {

// The row's cells from column 0 to the last column, joined by commas; a cell holding a byte
// 0x00..0x20, a double quote or a comma is quoted.
std::string RowToCommaLine(const MonthGrid& grid, int row);

// Replaces every cell of the row with the fields of the line. An empty field is stored as one blank
// so that it keeps its column; fields beyond the last column are dropped.
void CommaLineToRow(MonthGrid& grid, int row, const std::string& line);

// The lines of a month file's whole content. Accepts CR LF or CR alone as line ends, drops leading
// bytes 0x00..0x20 of each line, stops at the first empty line and at a byte 0x1A.
std::vector<std::string> SplitTextLines(const std::string& fileBytes);

// The whole content of the month file for the grid.
std::string MonthFileBytes(const MonthGrid& grid);

} // namespace purimo
