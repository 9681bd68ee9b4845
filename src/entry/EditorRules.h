#pragma once
// What the in-place editors and the memo dialog accept and show. Texts are code page 932 bytes.
#include <array>
#include <optional>
#include <string>

#include "common/NumberText.h"

namespace purimo {

// The temperature list, highest first, then the empty item.
constexpr int kTemperatureItemCount = 22;
extern const std::array<const char*, kTemperatureItemCount> kTemperatureItems;
// The event marks; the TAB after two of them belongs to the mark and goes into the cell.
constexpr int kEventItemCount = 5;
extern const std::array<const char*, kEventItemCount> kEventItems;

// The first item whose first prefixBytes bytes equal those of the cell's text (a shorter text
// takes part whole), or -1 when none does.
template <size_t N>
int MatchListItem(const std::array<const char*, N>& items, const std::string& cell, size_t prefixBytes);
int MatchTemperatureItem(const std::string& cell); // 4 bytes: the number's digits and point
int MatchEventItem(const std::string& cell);       // 2 bytes: one double-byte mark

// What an editor hands to its cell: the text up to its first CR or LF. A line break in a cell would
// end the month file's row there and move every row below it up.
std::string CellLine(const std::string& edited);

// The cycle-day field: 0 to 99, at most 2 characters typed.
constexpr int kSpinMin = 0;
constexpr int kSpinMax = 99;
constexpr int kSpinMaxChars = 2;

// Typed characters the cycle-day field takes: digits, "+", "-", the locale's decimal separator
// and control characters other than Enter.
bool SpinAcceptsChar(char32_t ch, char32_t decimalSeparator);
// The text after an arrow or button: the text's number (0 if it is none) plus delta, kept in range.
std::string SpinStepText(const std::string& text, int delta);
// The text after the field is left: a number below the range becomes "0", above it "99".
std::string SpinClampText(const std::string& text);

// The memo dialog's title: year and month captions and the day, "YYYY/MM/DD". The first day's
// header holds the month as well, so its day part is always "/01".
std::string MemoTitle(const std::string& yearCaption, const std::string& monthCaption, int col,
                      const std::string& headerText);

// The memo field holds at most 20 bytes from typing and pasting.
constexpr size_t kMemoMaxBytes = 20;
// Whether inserting insertBytes over a selection of selectedBytes keeps a text of textBytes
// within the memo limit. A longer text handed in can still be shortened.
bool MemoInsertFits(size_t textBytes, size_t selectedBytes, size_t insertBytes);
// Typed commas are dropped without a beep: the month file separates its fields with them.
bool MemoDropsChar(char32_t ch);
// The longest run of whole characters at the start of text (code page 932) within maxBytes.
std::string Cp932Prefix(const std::string& text, size_t maxBytes);

// What a key does in the memo dialog, before the control with the focus sees it.
enum class MemoFocus { Field, Ok, Cancel };
enum class MemoKeyAction { None, PressCancel, PressOk, FocusNext, FocusPrevious };
// A key going down (only Esc and Enter are taken there).
MemoKeyAction MemoKeyDownAction(int virtualKey, bool shift, bool ctrl, MemoFocus focus);
// A typed character that reached the dialog: Enter moves on, Esc moves back.
MemoKeyAction MemoCharAction(char32_t ch);
MemoFocus MemoFocusAfter(MemoFocus focus, bool forward);

} // namespace purimo
