#include "common/Clock.h"

#include "common/NumberText.h"

namespace purimo {

std::string FormatClock(const ClockTime& time, const std::string& dateSep, const std::string& timeSep,
                        const std::string& weekdayName) {
    return ZeroPadded(time.year, 4) + dateSep + ZeroPadded(time.month, 2) + dateSep + ZeroPadded(time.day, 2) + " [" +
           weekdayName + "] " + ZeroPadded(time.hour, 2) + timeSep + ZeroPadded(time.minute, 2) + timeSep +
           ZeroPadded(time.second, 2);
}

} // namespace purimo
