#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "traffic/numeric.h"

namespace {

using traffic::SaturatingTruncate;

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

}  // namespace
