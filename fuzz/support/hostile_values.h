// Values a misbehaving host or panel may hand the module, drawn from the
// fuzzer's input: NaN, infinities, the largest and smallest doubles,
// values beyond every integer range, negative zero, denormals, and plain
// values in the ranges a sane host uses.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

#include <fuzzer/FuzzedDataProvider.h>

namespace fuzzsupport {

// A double the host might answer: one of the hostile specials, a raw bit
// pattern, or (as often as both together) the sane value `sane()` makes,
// which is asked only then.
template <typename Sane>
double HostileDoubleOr(FuzzedDataProvider& input, Sane&& sane) {
    using limits = std::numeric_limits<double>;
    static constexpr double kSpecials[] = {
        limits::quiet_NaN(), -limits::quiet_NaN(), limits::infinity(), -limits::infinity(),
        limits::max(),       limits::lowest(),     limits::min(),      limits::denorm_min(),
        -0.0,                0.0,                  2147483648.0,       -2147483649.0,
        4294967296.0,        9.3e18,               -9.3e18,            1e300,
        0.5,                 -0.5,                 5.0,                4.9,
    };
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return input.PickValueInArray(kSpecials);
        case 1: {
            const std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
            double value;
            std::memcpy(&value, &bits, sizeof(value));
            return value;
        }
        default:
            return sane();
    }
}

// The same with a sane value from [sane_lo, sane_hi].
inline double HostileDouble(FuzzedDataProvider& input, double sane_lo, double sane_hi) {
    return HostileDoubleOr(input, [&] { return input.ConsumeFloatingPointInRange<double>(sane_lo, sane_hi); });
}

// A float of the same kinds, for the fields the host stores as float.
inline float HostileFloat(FuzzedDataProvider& input, float sane_lo, float sane_hi) {
    using limits = std::numeric_limits<float>;
    static constexpr float kSpecials[] = {
        limits::quiet_NaN(), limits::infinity(), -limits::infinity(), limits::max(),
        limits::lowest(),    limits::denorm_min(), -0.0f,             3e9f,
    };
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return input.PickValueInArray(kSpecials);
        case 1: {
            const std::uint32_t bits = input.ConsumeIntegral<std::uint32_t>();
            float value;
            std::memcpy(&value, &bits, sizeof(value));
            return value;
        }
        default:
            return input.ConsumeFloatingPointInRange<float>(sane_lo, sane_hi);
    }
}

// A 32-bit integer: the extremes, small values around 0, or any.
inline std::int32_t HostileInt(FuzzedDataProvider& input, std::int32_t sane_lo, std::int32_t sane_hi) {
    using limits = std::numeric_limits<std::int32_t>;
    static constexpr std::int32_t kSpecials[] = {limits::min(), limits::max(), -1, 0, 1, limits::min() + 1};
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return input.PickValueInArray(kSpecials);
        case 1:
            return input.ConsumeIntegral<std::int32_t>();
        default:
            return input.ConsumeIntegralInRange<std::int32_t>(sane_lo, sane_hi);
    }
}

}  // namespace fuzzsupport
