// The own-ship record, the great-circle range and bearing, the true bearing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "fake_host.h"
#include "traffic/own_ship.h"
#include "traffic/radar_target.h"

namespace {

using traffic::GeoPosition;
using traffic::RangeAndBearing;
using traffic::TrueBearingDegrees;

struct Result {
    float distance_nm;
    float bearing_rad;
};

Result From(GeoPosition own, GeoPosition target) {
    Result r{-1.0f, -1.0f};
    RangeAndBearing(own, target, r.distance_nm, r.bearing_rad);
    return r;
}

constexpr float kPi = 3.14159274f;  // pi rounded to float

TEST(OwnShip, IsRefreshedFromTheHostUnitsOnEveryCall) {
    fakehost::FakeHost host;
    host.SetModuleVariable(sim::kTokenOwnLatitude, 10001750.0);
    host.SetModuleVariable(sim::kTokenOwnLongitude, std::ldexp(1.0, 46));
    traffic::OwnShipRecord own_ship;
    const traffic::OwnShip& own = traffic::GetOwnShipPosition(own_ship);
    EXPECT_DOUBLE_EQ(own.latitude_deg, 90.0);
    EXPECT_DOUBLE_EQ(own.longitude_deg, 90.0);

    host.SetModuleVariable(sim::kTokenOwnLatitude, -10001750.0 / 2);
    host.SetModuleVariable(sim::kTokenOwnLongitude, -std::ldexp(1.0, 45));
    const traffic::OwnShip& again = traffic::GetOwnShipPosition(own_ship);
    EXPECT_EQ(&again, &own);  // the record's own position, rewritten
    EXPECT_DOUBLE_EQ(own.latitude_deg, -45.0);
    EXPECT_DOUBLE_EQ(own.longitude_deg, -45.0);
    EXPECT_EQ(host.LookupCount(sim::kTokenOwnLatitude), 2);
    EXPECT_EQ(host.LookupCount(sim::kTokenOwnLongitude), 2);
}

TEST(RangeAndBearing, OneDegreeAlongTheEquatorOrAMeridianIsSixtyMiles) {
    const GeoPosition origin{0.0, 0.0};
    const Result east = From(origin, {0.0, 1.0});
    EXPECT_FLOAT_EQ(east.distance_nm, 60.0f);
    EXPECT_FLOAT_EQ(east.bearing_rad, -kPi / 2);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(east.bearing_rad), 90.0f);

    const Result north = From(origin, {1.0, 0.0});
    EXPECT_FLOAT_EQ(north.distance_nm, 60.0f);
    EXPECT_EQ(north.bearing_rad, 0.0f);
    EXPECT_EQ(TrueBearingDegrees(north.bearing_rad), 0.0f);

    const Result south = From(origin, {-1.0, 0.0});
    EXPECT_EQ(south.bearing_rad, kPi);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(south.bearing_rad), 180.0f);

    const Result west = From(origin, {0.0, -1.0});
    EXPECT_FLOAT_EQ(west.bearing_rad, kPi / 2);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(west.bearing_rad), 270.0f);
}

TEST(RangeAndBearing, MatchesTheWorkedAlpineCase) {
    const Result r = From({45.0, 7.0}, {45.5, 7.5});
    EXPECT_FLOAT_EQ(r.distance_nm, 36.688694f);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(r.bearing_rad), 34.968819f);
}

TEST(RangeAndBearing, TakesTargetRecordsAsPositions) {
    traffic::RadarTarget target{};
    target.latitude_deg = 45.5;
    target.longitude_deg = 7.5;
    traffic::OwnShip own{45.0, 7.0};
    float distance_nm = 0.0f;
    float bearing_rad = 0.0f;
    RangeAndBearing(traffic::PositionOf(own), traffic::PositionOf(target), distance_nm, bearing_rad);
    EXPECT_FLOAT_EQ(distance_nm, 36.688694f);
}

TEST(RangeAndBearing, CoincidentAndAntipodalPointsGiveRealDistances) {
    // For coincident points the cosine comes out as 1, one ulp below, or
    // (at these latitudes) one ulp above, where acos has no value. Held at
    // 1 it gives 0; one ulp below gives acos(1 - 2^-53) = 1.5e-8 rad, 5e-5 NM.
    for (double latitude : {77.525954941433071, -78.454710911440245, -15.56808553902354, 0.0, 45.0, 89.99}) {
        for (double longitude : {-179.5, 0.0, 7.0, 123.456}) {
            const Result r = From({latitude, longitude}, {latitude, longitude});
            EXPECT_FALSE(std::isnan(r.distance_nm)) << latitude << " " << longitude;
            EXPECT_LT(r.distance_nm, 1e-4f) << latitude << " " << longitude;
        }
    }
    const Result antipode = From({10.0, 20.0}, {-10.0, -160.0});
    EXPECT_FALSE(std::isnan(antipode.distance_nm));
    EXPECT_NEAR(antipode.distance_nm, 10800.0f, 0.01f);
}

TEST(TrueBearing, FoldsTheCounterClockwiseBearingIntoZeroTo360) {
    EXPECT_EQ(TrueBearingDegrees(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(-kPi / 2), 90.0f);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(kPi), 180.0f);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(-kPi), 180.0f);
    EXPECT_FLOAT_EQ(TrueBearingDegrees(kPi / 2), 270.0f);
    // A target a hair west of due north rounds up to a full circle.
    const Result hair_west = From({0.0, 0.0}, {1.0, -1e-9});
    EXPECT_GT(hair_west.bearing_rad, 0.0f);
    EXPECT_EQ(TrueBearingDegrees(hair_west.bearing_rad), 360.0f);
    EXPECT_TRUE(std::isnan(TrueBearingDegrees(std::numeric_limits<float>::quiet_NaN())));
}

std::uint32_t BitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The displays work from legs whose latitude sines and cosines come from
// memos kept between frames. Whatever the memos last held, a leg must give
// RangeAndBearing's results bit for bit.
void ExpectLegMatches(GeoPosition own, traffic::LatitudeTrig& own_memo, GeoPosition target,
                      traffic::LatitudeTrig& target_memo) {
    const Result expected = From(own, target);
    const traffic::GreatCircleLeg leg = traffic::LegBetween(own, own_memo, target, target_memo);
    const float distance_nm = traffic::LegDistanceNm(leg);
    const float bearing_rad = traffic::LegBearingRad(leg);
    if (std::isnan(expected.distance_nm)) {
        EXPECT_TRUE(std::isnan(distance_nm));
    } else {
        EXPECT_EQ(BitsOf(distance_nm), BitsOf(expected.distance_nm)) << own.latitude_deg << " " << target.latitude_deg;
    }
    if (std::isnan(expected.bearing_rad)) {
        EXPECT_TRUE(std::isnan(bearing_rad));
    } else {
        EXPECT_EQ(BitsOf(bearing_rad), BitsOf(expected.bearing_rad)) << own.latitude_deg << " " << target.latitude_deg;
    }
}

TEST(GreatCircleLeg, GivesRangeAndBearingBitForBitWhateverTheMemosHeld) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> latitude(-90.0, 90.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::uniform_real_distribution<double> nearby(-0.7, 0.7);
    traffic::LatitudeTrig own_memo{};
    traffic::LatitudeTrig target_memo{};
    for (int i = 0; i < 20000; ++i) {
        const GeoPosition own{latitude(random), longitude(random)};
        const GeoPosition target = i % 2 ? GeoPosition{latitude(random), longitude(random)}
                                         : GeoPosition{own.latitude_deg + nearby(random), own.longitude_deg + nearby(random)};
        ExpectLegMatches(own, own_memo, target, target_memo);  // memos refilled
        ExpectLegMatches(own, own_memo, target, target_memo);  // memos reused
    }
}

TEST(GreatCircleLeg, MemosTellSignedZerosAndNaNsApart) {
    // Coincident points on the equator: the bearing's sign of zero decides
    // between 0 and pi, so a memo filled for +0 must not serve -0.
    traffic::LatitudeTrig own_memo{};
    traffic::LatitudeTrig target_memo{};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<GeoPosition> sequence{{0.0, 0.0}, {-0.0, 0.0}, {0.0, 0.0}, {nan, 0.0}, {nan, 0.0}, {0.0, 0.0}};
    for (const GeoPosition& target : sequence) {
        for (const GeoPosition& own : sequence) ExpectLegMatches(own, own_memo, target, target_memo);
    }
    const Result plus = From({0.0, 0.0}, {0.0, 0.0});
    const Result minus = From({0.0, 0.0}, {-0.0, 0.0});
    EXPECT_NE(BitsOf(plus.bearing_rad), BitsOf(minus.bearing_rad));  // the case above is a real one
}

}  // namespace
