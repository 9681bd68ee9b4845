#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "common/GridLayout.h"
#include "common/GridNavigation.h"
#include "entry/CellPainter.h"
#include "entry/EditorRules.h"
#include "month/MonthGrid.h"

namespace purimo {
namespace {

constexpr GridExtent kMarch{32, 5}; // 31 days and the label column, 4 rows and the header

TEST(GridNavigation, KeysMoveWithinTheDayCells) {
    struct Case {
        NavKey key;
        bool ctrl;
        CellPos from;
        std::optional<CellPos> to;
    };
    const Case cases[] = {
        {NavKey::Left, false, {1, 2}, CellPos{1, 2}},    {NavKey::Left, false, {5, 2}, CellPos{4, 2}},
        {NavKey::Right, false, {31, 2}, CellPos{31, 2}}, {NavKey::Up, false, {3, 1}, CellPos{3, 1}},
        {NavKey::Down, false, {3, 4}, CellPos{3, 4}},    {NavKey::Down, false, {3, 1}, CellPos{3, 2}},
        {NavKey::Home, false, {9, 3}, CellPos{1, 3}},    {NavKey::End, false, {9, 3}, CellPos{31, 3}},
        {NavKey::Left, true, {9, 3}, CellPos{1, 3}},     {NavKey::Right, true, {9, 3}, CellPos{31, 3}},
        {NavKey::PageUp, false, {9, 3}, CellPos{9, 1}},  {NavKey::PageDown, true, {9, 2}, CellPos{9, 4}},
        {NavKey::Home, true, {9, 3}, CellPos{1, 1}},     {NavKey::End, true, {9, 2}, CellPos{31, 4}},
        {NavKey::Up, true, {9, 3}, std::nullopt},        {NavKey::Other, false, {9, 3}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NavigationTarget(c.key, c.ctrl, c.from, kMarch), c.to)
            << static_cast<int>(c.key) << " ctrl " << c.ctrl << " from " << c.from.col << "," << c.from.row;
    EXPECT_EQ(NavigationTarget(NavKey::End, false, {1, 1}, GridExtent{29, 5}), (CellPos{28, 1})) << "February";
}

TEST(GridNavigation, WheelMovesByRowsAndStopsAtTheEnds) {
    EXPECT_EQ(WheelTarget({4, 1}, 1, kMarch), (CellPos{4, 2}));
    EXPECT_EQ(WheelTarget({4, 3}, 5, kMarch), (CellPos{4, 4}));
    EXPECT_EQ(WheelTarget({4, 2}, -3, kMarch), (CellPos{4, 1}));
}

TEST(GridNavigation, MouseSelectsOnTheReleaseOfALeftPressOnADayCell) {
    GridMouse mouse;
    EXPECT_EQ(mouse.Press(MouseButton::Left, false, CellPos{3, 2}), (CellPos{3, 2}));
    EXPECT_EQ(mouse.Move(CellPos{3, 2}), std::nullopt) << "no move, no change";
    EXPECT_EQ(mouse.Move(CellPos{0, 2}), std::nullopt) << "the label column is not followed";
    EXPECT_EQ(mouse.Move(std::nullopt), std::nullopt);
    EXPECT_EQ(mouse.Move(CellPos{5, 2}), (CellPos{5, 2}));
    EXPECT_TRUE(mouse.Release());
    EXPECT_EQ(mouse.Move(CellPos{6, 2}), std::nullopt) << "released: nothing is followed";
    EXPECT_FALSE(mouse.Release());

    for (auto press : {std::make_tuple(MouseButton::Other, false, std::optional<CellPos>{{3, 2}}),
                       std::make_tuple(MouseButton::Left, true, std::optional<CellPos>{{3, 2}}),
                       std::make_tuple(MouseButton::Left, false, std::optional<CellPos>{{3, 0}}),
                       std::make_tuple(MouseButton::Left, false, std::optional<CellPos>{})}) {
        EXPECT_EQ(mouse.Press(std::get<0>(press), std::get<1>(press), std::get<2>(press)), std::nullopt);
        EXPECT_FALSE(mouse.Release());
    }
    mouse.Press(MouseButton::Left, false, CellPos{3, 2});
    mouse.Cancel();
    EXPECT_FALSE(mouse.Release()) << "a lost capture reports nothing";
}

TEST(GridLayout, CellsLieInsideTheBorderWithALineAfterEach) {
    GridLayout layout(32, 5);
    layout.SetColWidth(0, kLabelColWidth);
    layout.SetRowHeight(kRowMemo, kMemoRowHeight);
    EXPECT_EQ(layout.CellRect(1, 1), (Rect{51, 18, 80, 35}));
    EXPECT_EQ(layout.CellRect(31, 4), (Rect{951, 72, 980, 237}));
    EXPECT_EQ(layout.CellAt(51, 18), (CellPos{1, 1}));
    EXPECT_EQ(layout.CellAt(79, 34), (CellPos{1, 1}));
    EXPECT_EQ(layout.CellAt(80, 20), std::nullopt) << "a grid line";
    EXPECT_EQ(layout.CellAt(981, 20), std::nullopt) << "beyond the last column";
    EXPECT_EQ(layout.CellAt(10, 100), (CellPos{0, 4}));

    // At 150 % the cells' edges scale and their grid lines stay 1 pixel, flush with the next cell.
    layout.SetScale(DisplayScale(144));
    EXPECT_EQ(layout.CellRect(1, 1), (Rect{77, 27, 121, 53}));
    EXPECT_EQ(layout.CellRect(2, 1).left, 122);
    EXPECT_EQ(layout.CellRect(31, 4), (Rect{1427, 108, 1471, 356}));
    EXPECT_EQ(layout.ScaledWidth(), 1472);
    EXPECT_EQ(layout.CellAt(120, 52), (CellPos{1, 1}));
    EXPECT_EQ(layout.CellAt(121, 30), std::nullopt) << "a grid line";
    EXPECT_EQ(layout.CellAt(1472, 30), std::nullopt);
}

TEST(EditorRules, ListsOpenOnTheItemMatchingTheCellsFirstBytes) {
    EXPECT_EQ(MatchTemperatureItem("36.5"), 10);
    EXPECT_EQ(MatchTemperatureItem("36.50"), 10);
    EXPECT_EQ(MatchTemperatureItem("37.5"), 0);
    EXPECT_EQ(MatchTemperatureItem("35.5"), 20);
    EXPECT_EQ(MatchTemperatureItem(""), 21);
    EXPECT_EQ(MatchTemperatureItem("36"), -1) << "a shorter text takes part whole";
    EXPECT_EQ(MatchTemperatureItem("38.0"), -1);
    EXPECT_EQ(MatchEventItem(""), 0);
    EXPECT_EQ(MatchEventItem("\x81\x7E"), 1);
    EXPECT_EQ(MatchEventItem("\x81\xA2"), 2);
    EXPECT_EQ(MatchEventItem("\x81\xA2\t"), 2);
    EXPECT_EQ(MatchEventItem("\x81\x7B\t"), 3);
    EXPECT_EQ(MatchEventItem("\x81\x9D"), 4);
    EXPECT_EQ(MatchEventItem("x"), -1);
    EXPECT_EQ(std::string(kEventItems[2]), "\x81\xA2\t");
    EXPECT_EQ(std::string(kTemperatureItems[8]), "36.7");
}

TEST(EditorRules, CycleDayFieldTypingStepsAndRange) {
    for (char32_t ch : {U'0', U'9', U'+', U'-', U'.', U'\b', char32_t{0x16}})
        EXPECT_TRUE(SpinAcceptsChar(ch, U'.')) << static_cast<int>(ch);
    for (char32_t ch : {U'a', U'\r', U' ', U',', U'１'})
        EXPECT_FALSE(SpinAcceptsChar(ch, U'.')) << static_cast<int>(ch);
    EXPECT_TRUE(SpinAcceptsChar(U',', U',')) << "the locale's separator";

    EXPECT_EQ(SpinStepText("", 1), "1");
    EXPECT_EQ(SpinStepText("abc", 1), "1");
    EXPECT_EQ(SpinStepText("99", 1), "99");
    EXPECT_EQ(SpinStepText("0", -1), "0");
    EXPECT_EQ(SpinStepText("-5", 1), "0");
    EXPECT_EQ(SpinStepText("+3", -1), "2");
    EXPECT_EQ(SpinStepText("1.5", 1), "1") << "not a whole number: counts as 0";
    EXPECT_EQ(SpinStepText("123456789012345678901234", -1), "99") << "saturates instead of overflowing";

    EXPECT_EQ(SpinClampText("-5"), "0");
    EXPECT_EQ(SpinClampText("150"), "99");
    EXPECT_EQ(SpinClampText("+3"), "+3");
    EXPECT_EQ(SpinClampText("."), ".");
    EXPECT_EQ(SpinClampText("-"), "-");
    EXPECT_EQ(SpinClampText(""), "");
}

TEST(EditorRules, MemoTitleLimitAndKeys) {
    EXPECT_EQ(MemoTitle("2026", "03", 1, "3/1"), "2026/03/01");
    EXPECT_EQ(MemoTitle("2026", "03", 7, "7"), "2026/03/07");
    EXPECT_EQ(MemoTitle("2026", "12", 25, "25"), "2026/12/25");
    EXPECT_EQ(MemoTitle("0005", "01", 9, "9"), "0005/01/09");

    EXPECT_TRUE(MemoInsertFits(18, 0, 2));
    EXPECT_FALSE(MemoInsertFits(19, 0, 2)) << "a full-width character that no longer fits";
    EXPECT_TRUE(MemoInsertFits(20, 2, 2));
    EXPECT_FALSE(MemoInsertFits(25, 0, 1)) << "a longer memo is not lengthened";
    EXPECT_TRUE(MemoInsertFits(25, 25, 1));
    EXPECT_TRUE(MemoDropsChar(U','));
    EXPECT_FALSE(MemoDropsChar(U'，'));
    EXPECT_FALSE(MemoDropsChar(U'、'));
    EXPECT_EQ(Cp932Prefix("ABあい", 4), "ABあ");
    EXPECT_EQ(Cp932Prefix("ABあい", 3), "AB") << "never half a character";

    EXPECT_EQ(MemoKeyDownAction(0x1B, false, false, MemoFocus::Field), MemoKeyAction::PressCancel);
    EXPECT_EQ(MemoKeyDownAction(0x1B, true, false, MemoFocus::Field), MemoKeyAction::None);
    EXPECT_EQ(MemoKeyDownAction(0x0D, false, false, MemoFocus::Field), MemoKeyAction::None);
    EXPECT_EQ(MemoKeyDownAction(0x0D, false, false, MemoFocus::Ok), MemoKeyAction::PressOk);
    EXPECT_EQ(MemoKeyDownAction(0x0D, false, false, MemoFocus::Cancel), MemoKeyAction::PressCancel);
    EXPECT_EQ(MemoKeyDownAction(0x0D, true, false, MemoFocus::Ok), MemoKeyAction::None);
    EXPECT_EQ(MemoCharAction(U'\r'), MemoKeyAction::FocusNext);
    EXPECT_EQ(MemoCharAction(0x1B), MemoKeyAction::FocusPrevious);
    EXPECT_EQ(MemoCharAction(U'a'), MemoKeyAction::None);
    EXPECT_EQ(MemoFocusAfter(MemoFocus::Cancel, true), MemoFocus::Field);
    EXPECT_EQ(MemoFocusAfter(MemoFocus::Field, false), MemoFocus::Cancel);
}

const FontSpec kGridFont{"ＭＳ ゴシック", -12, false, 0};
const Rect kCell{51, 18, 80, 35};

TEST(CellPainter, ColorsFollowTheFocusTheCurrentCellAndTheMarkRow) {
    struct Case {
        CellState cell;
        Color background;
        Color text;
    };
    const Color window = SystemColor(kSysWindow);
    const Color fixedColor = SystemColor(kSysInactiveCaption);
    const Color windowText = SystemColor(kSysWindowText);
    const Case cases[] = {
        {{2, 1, false, true, true}, kYellow, kBlack},         {{2, 1, false, false, true}, window, kBlack},
        {{3, 1, false, true, false}, window, windowText},     {{2, 3, false, true, true}, kLightMagenta, kBlack},
        {{2, 3, false, false, false}, kLightMagenta, kBlack}, {{0, 3, true, true, false}, fixedColor, windowText},
        {{4, 0, true, false, false}, fixedColor, kBlack},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        PaintGridCell(canvas, c.cell, "36.5", kCell, kGridFont);
        auto fills = canvas.Calls(CanvasOp::Fill);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].color, c.background) << c.cell.col << "," << c.cell.row;
        auto texts = canvas.Calls(CanvasOp::TextInRect);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].textColor, c.text) << c.cell.col << "," << c.cell.row;
        EXPECT_EQ(texts[0].rect, kCell);
    }
}

TEST(CellPainter, MemoRunsDownwardInTheVerticalFont) {
    RecordingCanvas canvas;
    FontSpec vertical{"@MS UI Gothic", 14, false, -900};
    canvas.SetMetrics(vertical, FontMetrics{7, 14});
    Rect memo{51, 72, 80, 237};
    PaintGridCell(canvas, CellState{1, kRowMemo, false, false, false}, "頭痛", memo, kGridFont);
    EXPECT_TRUE(canvas.Calls(CanvasOp::TextInRect).empty()) << "no horizontal text";
    auto texts = canvas.Calls(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font, vertical);
    EXPECT_EQ(texts[0].x, 51 + 14 + 7) << "middle of the cell, plus the width of W";
    EXPECT_EQ(texts[0].y, 72 + 5);
    EXPECT_EQ(texts[0].text, "頭痛");
    EXPECT_EQ(texts[0].align, TextAlign::Left);

    RecordingCanvas empty;
    PaintGridCell(empty, CellState{1, kRowMemo, false, false, false}, "", memo, kGridFont);
    EXPECT_TRUE(empty.Calls(CanvasOp::Text).empty()) << "an empty memo shows only its background";
    RecordingCanvas label;
    PaintGridCell(label, CellState{0, kRowMemo, true, false, false}, "メ  モ", Rect{2, 72, 52, 237}, kGridFont);
    EXPECT_EQ(label.Calls(CanvasOp::TextInRect).size(), 1u) << "the row label stays horizontal";
}

} // namespace
} // namespace purimo
