#include "cycle/CycleText.h"

#include "common/NumberText.h"

namespace purimo {

const char* const kNoCycleText =
    "周期の始まりがまだ記録されていません。生理が始まった日の「周期」に 1 を入れるか、「変化」に × "
    "を付けてください。";
const char* const kCycleNotice = "グラフの読み取りは目安です。避妊の判断には使わないでください。";
const char* const kUnreadableLeftOutText = "読み込めなかった月を含む周期は統計に入れていません";
const char* const kFigureGap = "　";

namespace {

constexpr size_t kUnreadableNamed = 5;

std::string WithDecimals(int value, int divisor, size_t decimals) {
    const std::string sign = value < 0 ? "-" : "";
    const int magnitude = value < 0 ? -value : value;
    return sign + std::to_string(magnitude / divisor) + "." + ZeroPadded(magnitude % divisor, decimals);
}

std::string Days(int days) {
    return std::to_string(days) + "日";
}

} // namespace

std::string FormatHundredths(int hundredths) {
    return WithDecimals(hundredths, 100, 2) + "℃";
}

std::string FormatTenths(int tenths) {
    return WithDecimals(tenths, 10, 1);
}

std::string UnreadableMonthsText(const std::vector<YearMonth>& months, bool excludedListUnreadable) {
    std::string text;
    if (!months.empty()) {
        text = "読み込めなかった月: ";
        for (size_t i = 0; i < months.size() && i < kUnreadableNamed; ++i) {
            if (i > 0)
                text += ", ";
            text += ZeroPadded(months[i].year, 4) + "/" + ZeroPadded(months[i].month, 2);
        }
        if (months.size() > kUnreadableNamed)
            text += " ほか " + std::to_string(months.size() - kUnreadableNamed) + " か月";
    }
    if (excludedListUnreadable)
        text += (text.empty() ? "" : kFigureGap) + std::string("除外の一覧 (excluded.txt) を読み込めませんでした");
    return text;
}

std::string UnreadableText(const DaySeries& series) {
    return UnreadableMonthsText(series.Unreadable(), series.ExcludedUnreadable());
}

std::string LeftOutText(const Cycle& cycle) {
    std::string days;
    for (int serial : cycle.leftOut)
        days += (days.empty() ? "" : ", ") + FormatMonthDay(serial);
    return "除外した体温 " + Days(static_cast<int>(cycle.leftOut.size())) + " (" + days + ")";
}

std::vector<std::string> StatisticsTexts(const CycleStatistics& s) {
    std::vector<std::string> lines;
    if (s.count == 0)
        return lines;
    lines.push_back("周期の長さ 平均 " + FormatTenths(s.meanLengthTenths) + "日（最短 " + Days(s.shortest) + "・最長 " +
                    Days(s.longest) + "・" + std::to_string(s.count) + "周期）");
    if (s.highCount > 0)
        lines.push_back("高温期の長さ 平均 " + FormatTenths(s.meanHighTenths) + "日（" + std::to_string(s.highCount) +
                        "周期）");
    return lines;
}

CycleFigureTexts FigureTexts(const Cycle& cycle) {
    CycleFigureTexts texts;
    texts.range = FormatDate(cycle.start) + " 〜 " + FormatDate(cycle.end) +
                  (cycle.open ? "（記録中）" : "（" + std::to_string(cycle.Length()) + "日間）");
    if (!cycle.shift) {
        texts.shiftStart = "体温の上昇は確認されていません";
        return texts;
    }
    const TemperatureShift& shift = *cycle.shift;
    texts.shiftStart = "高温期の始まり " + FormatDate(shift.firstHigh) + "（" +
                       std::to_string(cycle.DayOf(shift.firstHigh)) + "日目）";
    texts.confirmed = "確定 " + FormatDate(shift.confirmed);
    texts.coverLine = "カバーライン " + FormatHundredths(shift.coverLine);
    texts.phases = "低温期 平均 " + FormatHundredths(cycle.lowMean) + kFigureGap + "高温期 平均 " +
                   FormatHundredths(cycle.highMean) + kFigureGap + "差 " +
                   FormatHundredths(cycle.highMean - cycle.lowMean);
    if (auto high = cycle.HighPhaseLength())
        texts.highPhase = "高温期の長さ " + Days(*high);
    return texts;
}

std::vector<std::string> CycleTexts(const CycleAnalysis& analysis, int index) {
    std::vector<std::string> lines;
    if (analysis.cycles.empty()) {
        lines.push_back(kNoCycleText);
        return lines;
    }
    const Cycle& cycle = analysis.cycles.at(static_cast<size_t>(index));
    const CycleFigureTexts figures = FigureTexts(cycle);
    lines.push_back(figures.range);
    if (cycle.shift) {
        lines.push_back(figures.shiftStart + kFigureGap + figures.confirmed + kFigureGap + figures.coverLine);
        lines.push_back(figures.phases);
        if (!figures.highPhase.empty())
            lines.push_back(figures.highPhase);
    } else {
        lines.push_back(figures.shiftStart);
    }
    if (!cycle.leftOut.empty())
        lines.push_back(LeftOutText(cycle));
    if (auto ongoing = cycle.OngoingHighPhase(); ongoing && *ongoing >= kLongHighPhase)
        lines.push_back("高温期が" + std::to_string(*ongoing) + "日続いています。妊娠の可能性があります。");
    for (std::string& line : StatisticsTexts(analysis.statistics))
        lines.push_back(std::move(line));
    if (analysis.statistics.leftOutUnreadable)
        lines.push_back(kUnreadableLeftOutText);
    if (cycle.open && analysis.forecast)
        lines.push_back("次の生理の予定 " + FormatDate(analysis.forecast->from) + " 〜 " +
                        FormatDate(analysis.forecast->to));
    const CycleNotes notes = NotesFor(cycle);
    if (notes.shortHighPhase)
        lines.push_back("高温期が10日未満です。気になるときは医師に相談してください。");
    if (notes.smallDifference)
        lines.push_back("低温期と高温期の差が0.3℃未満です。気になるときは医師に相談してください。");
    lines.push_back(kCycleNotice);
    return lines;
}

} // namespace purimo
