#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "traffic/numeric.h"

namespace {

using traffic::ExactRemainder;
using traffic::SaturatingTruncate;

std::uint64_t BitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Bit for bit, the sign of a zero included; any NaN matches any NaN.
void ExpectSameAsFmod(double value, double period) {
    const double expected = std::fmod(value, period);
    const double got = ExactRemainder(value, period);
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(got)) << value;
    } else {
        EXPECT_EQ(BitsOf(got), BitsOf(expected)) << std::hexfloat << value << " -> " << got << " not " << expected;
    }
}

TEST(SaturatingTruncate, TruncatesTowardZeroAndStopsAtTheLimits) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(SaturatingTruncate(-512.7), -512);
    EXPECT_EQ(SaturatingTruncate(40.99), 40);
    EXPECT_EQ(SaturatingTruncate(-0.5), 0);
    EXPECT_EQ(SaturatingTruncate(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(SaturatingTruncate(2147483647.9), INT32_MAX);
    EXPECT_EQ(SaturatingTruncate(2147483648.0), INT32_MAX);
    EXPECT_EQ(SaturatingTruncate(-2147483648.9), INT32_MIN);
    EXPECT_EQ(SaturatingTruncate(-2147483649.0), INT32_MIN);
    EXPECT_EQ(SaturatingTruncate(inf), INT32_MAX);
    EXPECT_EQ(SaturatingTruncate(-inf), INT32_MIN);
    EXPECT_EQ(SaturatingTruncate<std::int16_t>(40000.0), INT16_MAX);
    EXPECT_EQ(SaturatingTruncate<std::int64_t>(1e30), INT64_MAX);
    EXPECT_EQ(SaturatingTruncate<std::int64_t>(-9.2e18), static_cast<std::int64_t>(-9.2e18));
}

// The bearings drawn and published go through this remainder; it skips fmod
// where the answer is known, and must never differ from it.
TEST(ExactRemainder, IsFmodBitForBitAtTheEdgesOfEachShortcut) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    for (const double period : {360.0, 6.2831854820251465}) {
        std::vector<double> values{0.0, -0.0, tiny, -tiny, 1e300, -1e300, inf, -inf, nan};
        for (const double edge : {period, 2.0 * period, 3.0 * period}) {
            for (const double sign : {1.0, -1.0}) {
                values.push_back(sign * edge);
                values.push_back(sign * std::nextafter(edge, 0.0));
                values.push_back(sign * std::nextafter(edge, inf));
            }
        }
        for (const double value : values) ExpectSameAsFmod(value, period);
    }
}

TEST(ExactRemainder, IsFmodBitForBitOverBearingsAndBeyond) {
    std::mt19937_64 random(20261208);
    for (const double period : {360.0, 6.2831854820251465}) {
        std::uniform_real_distribution<double> near(-4.0 * period, 4.0 * period);
        std::uniform_real_distribution<double> exponent(-40.0, 40.0);
        for (int i = 0; i < 200000; ++i) {
            ExpectSameAsFmod(near(random), period);
            ExpectSameAsFmod((i % 2 ? -1.0 : 1.0) * std::exp2(exponent(random)), period);
        }
        // Sums of the form the relative bearing makes: float bearings less
        // double headings, a full circle added.
        std::uniform_real_distribution<float> bearing(0.0f, 360.0f);
        std::uniform_real_distribution<double> heading(0.0, 360.0);
        for (int i = 0; i < 100000; ++i) {
            const double turned = std::fmod(bearing(random) - heading(random), period);
            ExpectSameAsFmod(turned + period, period);
        }
    }
}

}  // namespace
