#include "cycle/CycleTable.h"

#include "cycle/CycleText.h"

namespace purimo {

const char* const kCycleTableHeaders[kCycleTableColumns] = {"開始日",     "終了日", "日数",         "高温期の始まり",
                                                            "周期日",     "確定日", "カバーライン", "低温期平均",
                                                            "高温期平均", "差",     "高温期日数",   "除外"};

namespace {

// "36.40": two decimals, without the unit.
std::string Plain(int hundredths) {
    std::string text = FormatHundredths(hundredths);
    return text.substr(0, text.find("℃"));
}

} // namespace

std::vector<CycleTableRow> CycleTableRows(const CycleAnalysis& analysis) {
    std::vector<CycleTableRow> rows;
    for (int i = static_cast<int>(analysis.cycles.size()) - 1; i >= 0; --i) {
        const Cycle& cycle = analysis.cycles[static_cast<size_t>(i)];
        const auto& shift = cycle.shift;
        const auto high = cycle.HighPhaseLength();
        rows.push_back(
            {i,
             {FormatDate(cycle.start), cycle.open ? "記録中" : FormatDate(cycle.end), std::to_string(cycle.Length()),
              shift ? FormatDate(shift->firstHigh) : "", shift ? std::to_string(cycle.DayOf(shift->firstHigh)) : "",
              shift ? FormatDate(shift->confirmed) : "", shift ? Plain(shift->coverLine) : "",
              shift ? Plain(cycle.lowMean) : "", shift ? Plain(cycle.highMean) : "",
              shift ? Plain(cycle.highMean - cycle.lowMean) : "", high ? std::to_string(*high) : "",
              std::to_string(cycle.leftOut.size())}});
    }
    return rows;
}

std::string CycleTableText(const std::vector<CycleTableRow>& rows) {
    std::string text;
    for (int c = 0; c < kCycleTableColumns; ++c)
        text += (c == 0 ? "" : "\t") + std::string(kCycleTableHeaders[c]);
    text += "\r\n";
    for (const CycleTableRow& row : rows) {
        for (size_t c = 0; c < row.cells.size(); ++c)
            text += (c == 0 ? "" : "\t") + row.cells[c];
        text += "\r\n";
    }
    return text;
}

} // namespace purimo
