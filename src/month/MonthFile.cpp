#include "month/MonthFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "common/Cp932.h"

namespace purimo {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// A broken lead byte counts alone, so that it cannot swallow a comma or a quote and shift the
// days after it.
size_t CharLength(std::string_view text, size_t pos) {
    return Cp932CharLength(text, pos);
}

size_t SkipBlanks(std::string_view text, size_t pos) {
    while (pos < text.size() && IsBlankOrControl(text[pos]))
        ++pos;
    return pos;
}

std::string CommaField(const std::string& cell) {
    bool needsQuotes = false;
    std::string quoted = "\"";
    for (size_t pos = 0; pos < cell.size();) {
        const size_t length = CharLength(cell, pos);
        if (length == 1) {
            const char c = cell[pos];
            needsQuotes = needsQuotes || IsBlankOrControl(c) || c == '"' || c == ',';
            if (c == '"')
                quoted += '"';
        }
        quoted.append(cell, pos, length);
        pos += length;
    }
    return needsQuotes ? quoted + '"' : cell;
}

// pos stands on the opening quote; afterwards it stands after the closing quote or at the end.
// lost tells that the field had no closing quote and gave up a character for it.
std::string ReadQuotedField(std::string_view line, size_t& pos, bool& lost) {
    std::string field;
    size_t lastLength = 0;
    ++pos;
    while (pos < line.size()) {
        if (line[pos] == '"') {
            if (pos + 1 < line.size() && line[pos + 1] == '"') {
                field += '"';
                lastLength = 1;
                pos += 2;
                continue;
            }
            ++pos;
            return field;
        }
        lastLength = CharLength(line, pos);
        field.append(line.substr(pos, lastLength));
        pos += lastLength;
    }
    // Without a closing quote the last character is taken for it; drop the whole character so
    // that no half of a double-byte character is left behind.
    field.resize(field.size() - lastLength);
    lost = lastLength > 0;
    return field;
}

// Where an unquoted field ends: at the first byte 0x00..0x20 or comma. Neither can be the second
// byte of a double-byte character (those are 0x40 and up), so the bytes are tested eight at a time
// instead of character by character: a field of a broken file may be megabytes long.
size_t UnquotedFieldEnd(std::string_view text, size_t pos) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    while (pos + 8 <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, 8);
        const std::uint64_t commas = word ^ (kOnes * ',');
        // The high bit of a byte below 0x21, or of a byte that was a comma; a byte above such a
        // byte may be marked too, which the scan below settles.
        const std::uint64_t blank = (word - kOnes * 0x21) & ~word & kHighBits;
        const std::uint64_t comma = (commas - kOnes) & ~commas & kHighBits;
        if ((blank | comma) != 0)
            break;
        pos += 8;
    }
    while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != ',')
        ++pos;
    return pos;
}

std::string ReadUnquotedField(std::string_view line, size_t& pos) {
    const size_t start = pos;
    pos = UnquotedFieldEnd(line, pos);
    return std::string(line.substr(start, pos - start));
}

// The first CR or 0x1A from pos on, or the block's end: two memchr passes, the second only over
// what the first left, run far faster than one pass that tests every byte against both.
size_t LineEnd(std::string_view block, size_t pos) {
    const char* start = block.data() + pos;
    size_t length = block.size() - pos;
    if (const void* cr = std::memchr(start, '\r', length))
        length = static_cast<size_t>(static_cast<const char*>(cr) - start);
    if (const void* eof = std::memchr(start, '\x1A', length))
        length = static_cast<size_t>(static_cast<const char*>(eof) - start);
    return pos + length;
}

} // namespace

std::string RowToCommaLine(const MonthGrid& grid, int row) {
    std::string line;
    for (int col = 0; col < grid.ColCount(); ++col) {
        if (col > 0)
            line += ',';
        line += CommaField(grid.Cell(col, row));
    }
    return line;
}

bool CommaLineToRow(MonthGrid& grid, int row, const std::string& line) {
    for (int col = 0; col < grid.ColCount(); ++col)
        grid.SetCell(col, row, {});

    std::string_view text(line);
    const size_t nul = text.find('\0');
    bool whole = nul == std::string_view::npos || SkipBlanks(text, nul) == text.size();
    text = text.substr(0, nul);
    size_t pos = SkipBlanks(text, 0);
    for (int col = 0; pos < text.size() && col < grid.ColCount(); ++col) {
        bool lost = false;
        std::string field = text[pos] == '"' ? ReadQuotedField(text, pos, lost) : ReadUnquotedField(text, pos);
        whole = whole && !lost;
        grid.SetCell(col, row, field.empty() ? " " : std::move(field));
        pos = SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == ',')
            pos = SkipBlanks(text, pos + 1);
    }
    return whole && pos == text.size();
}

bool MonthFileReader::Feed(std::string_view block) {
    constexpr char kEndOfFile = '\x1A';
    for (size_t pos = 0; pos < block.size();) {
        const char c = block[pos];
        switch (state_) {
        case State::AfterCr:
            state_ = State::BeforeLine;
            if (c == '\n')
                ++pos;
            break;
        case State::BeforeLine:
            if (c == '\r' || c == kEndOfFile) {
                state_ = State::Stopped;
            } else if (IsBlankOrControl(c)) {
                ++pos;
            } else if (result_.lines.size() == maxLines_) {
                result_.dropsText = true;
                state_ = State::Stopped;
            } else {
                state_ = State::InLine;
            }
            break;
        case State::InLine: {
            const size_t end = LineEnd(block, pos);
            const size_t room = maxLineBytes_ - line_.size();
            if (end - pos > room)
                result_.dropsText = true;
            line_.append(block.substr(pos, std::min(end - pos, room)));
            pos = end;
            if (pos < block.size()) {
                EndLine();
                state_ = block[pos] == '\r' ? State::AfterCr : State::Stopped;
                pos += block[pos] == '\r' ? 1 : 0;
            }
            break;
        }
        case State::Stopped:
            // What follows the end is not read back; only blanks and control bytes may go unsaved.
            for (; pos < block.size() && !result_.dropsText; ++pos)
                result_.dropsText = !IsBlankOrControl(block[pos]);
            return !result_.dropsText;
        }
    }
    return !(state_ == State::Stopped && result_.dropsText);
}

void MonthFileReader::EndLine() {
    result_.lines.push_back(std::move(line_));
    line_.clear();
}

MonthFileLines MonthFileReader::Finish() {
    if (state_ == State::InLine)
        EndLine();
    state_ = State::Stopped;
    return std::move(result_);
}

std::vector<std::string> SplitTextLines(const std::string& fileBytes) {
    MonthFileReader reader(std::numeric_limits<size_t>::max(), std::numeric_limits<size_t>::max());
    reader.Feed(fileBytes);
    return reader.Finish().lines;
}

std::string MonthFileBytes(const MonthGrid& grid) {
    std::string bytes;
    for (int row = kRowCycleDay; row <= kRowMemo; ++row)
        bytes += RowToCommaLine(grid, row) + "\r\n";
    return bytes;
}

} // namespace purimo
