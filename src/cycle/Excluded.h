#pragma once
// The readings she left out of the cycle rules (a fever, a short night), diary-wide in
// client/excluded.txt: one date a line as YYYY/MM/DD. Lines that are no date of a real day are kept
// as they stand, after the dates.
#include <string>
#include <vector>

namespace purimo {

struct ExcludedList {
    std::vector<int> dates; // day serials, ascending, each once
    std::vector<std::string> foreign;
};

// The file's bytes read: a line is a date when it is exactly YYYY/MM/DD of a real day, CR LF or LF
// after it.
ExcludedList ParseExcluded(const std::string& bytes);
// The dates ascending, then the foreign lines in their first order, CR LF after each; empty when
// neither is left (the file is then removed).
std::string ExcludedBytes(const ExcludedList& list);
bool IsExcluded(const ExcludedList& list, int serial);
// Leaves the day out (out) or takes it back in, changing nothing else.
void SetExcluded(ExcludedList& list, int serial, bool out);

} // namespace purimo
