#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrel {

// A view or picture coordinate made whole by truncation toward zero, defined for any value:
// NaN gives 0 and values beyond int's range stop at its ends.
inline int truncatedInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(value), lowest, highest));
}

} // namespace vantrel
