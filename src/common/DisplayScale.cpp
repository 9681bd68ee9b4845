#include "common/DisplayScale.h"

namespace purimo {

int DisplayScale::Edge(int x) const {
    long long product = static_cast<long long>(x) * dpi_;
    long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

int FittingDpi(int dpi, const std::function<bool(int)>& fits) {
    if (dpi <= kDesignDpi || fits(dpi))
        return dpi < kDesignDpi ? kDesignDpi : dpi;
    int low = kDesignDpi; // fits, or the floor
    int high = dpi;       // does not fit
    while (high - low > 1) {
        int middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

} // namespace purimo
