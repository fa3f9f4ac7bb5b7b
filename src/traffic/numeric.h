// Host-delivered floating-point values as the system keeps them: a value
// that is not a finite number is unknown; conversions to whole numbers that
// stay defined for any input (NaN becomes 0 and values beyond the target
// type's range stop at its limits); and the remainder of an angle by a full
// circle without the cost of a general fmod where none is needed.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace traffic {

// An unknown value: what a host value that is not a finite number (NaN or
// an infinity) becomes where it is read. Nothing unknown is drawn, shown or
// published: every user asks IsKnown first, and every comparison with it is
// false.
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

inline bool IsKnown(double value) { return std::isfinite(value); }

// The value where it is finite, else unknown.
inline double KnownOrUnknown(double value) { return IsKnown(value) ? value : kUnknown; }

// The value truncated toward zero, as an Int. NaN gives 0; a value beyond
// the range of Int (infinities included) gives Int's minimum or maximum.
template <typename Int = std::int32_t>
inline Int SaturatingTruncate(double value) {
    static_assert(std::is_integral<Int>::value, "whole-number target type");
    if (std::isnan(value)) return 0;
    const double truncated = std::trunc(value);
    // Both limits are exact as doubles for types up to 32 bits; for wider
    // types the comparison against the rounded-up maximum still keeps the
    // conversion below inside the range.
    constexpr double kLowest = static_cast<double>(std::numeric_limits<Int>::lowest());
    constexpr double kHighest = static_cast<double>(std::numeric_limits<Int>::max());
    if (truncated <= kLowest) return std::numeric_limits<Int>::lowest();
    if (truncated >= kHighest) return std::numeric_limits<Int>::max();
    return static_cast<Int>(truncated);
}

// Exactly std::fmod(value, period), bit for bit, for a positive finite
// period: within one period either side of zero the remainder is the value
// itself, and from one to two periods it is value - period, a difference that
// is exact because value lies between period and twice the period. Anything
// else (further out, -period itself, infinite, NaN) goes to std::fmod, so a
// zero result keeps the sign fmod gives it: -0.0 stays -0.0, -period gives
// -0.0.
inline double ExactRemainder(double value, double period) {
    if (std::fabs(value) < period) return value;
    if (value >= period && value < 2.0 * period) return value - period;
    return std::fmod(value, period);
}

// A height above the ground, in whole units, that is never above the ground
// filter when it is unknown.
constexpr std::int32_t kUnknownHeight = std::numeric_limits<std::int32_t>::lowest();

inline std::int32_t WholeHeight(double height) {
    return IsKnown(height) ? SaturatingTruncate(height) : kUnknownHeight;
}

}  // namespace traffic
