// Rounding a double to a float for any input: a finite value beyond the
// float range stops at the largest float of its sign instead of being
// converted out of range. NaN and infinities pass through.
#pragma once

#include <cmath>
#include <limits>

namespace display {

inline float SaturatingFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (std::isfinite(value)) {
        if (value > kLargest) return std::numeric_limits<float>::max();
        if (value < -kLargest) return std::numeric_limits<float>::lowest();
    }
    return static_cast<float>(value);
}

}  // namespace display
