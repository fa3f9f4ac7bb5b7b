// Range and bearing checked against an independent geodesic solver on a
// sphere, over a few thousand random pairs.
#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <random>

#include "traffic/own_ship.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNauticalMilesPerRadian = 3437.746810913086;
constexpr double kMetresPerNauticalMile = 1852.0;
// The system turns degrees into radians with pi/180 rounded to float; the
// reference is handed the angles the system therefore really uses.
constexpr double kDegreesToRadians = 0.01745329238474369;
constexpr double kEffectiveDegreesPerDegree = kDegreesToRadians * 180.0 / kPi;

constexpr double kFloatHalfUlpRelative = 1.0 / (1 << 24);  // 2^-24

// Tolerances, derived:
// - Both results are rounded to float: at most half an ulp, 2^-24 relative.
// - The law of cosines and the bearing's atan2 are computed in double. The
//   cosine u carries an absolute error of a few 2^-53, which turns into an
//   angle error of about that divided by sin(distance); (x, y) has length
//   sin(distance) too, so the bearing's error is of the same size. Pairs
//   closer than 1 NM, or closer than 1 NM to antipodal, are skipped, so
//   sin(distance) >= 2.9e-4 and the error stays below 4 * 1.1e-16 / 2.9e-4
//   = 1.5e-12 rad, 5.2e-9 NM: bounded by 1e-8 NM and 1e-11 rad with margin.
// - The reference solver (flattening 0) is exact to a few ulps of double.
// So |distance - reference| <= 2^-24 * reference + 1e-8 NM and
//    |bearing - reference| <= 2^-24 * |reference| + 1e-11 rad.
// True bearings: the stored full circle (2*pi as float, 6.2831854820251465)
// times the stored 57.295780181884766 is 360 + 1.4220e-5 degrees, so targets
// west of north come out up to 1.43e-5 degrees high; the stored radians-to-
// degrees factor is 1.17e-8 relative high; the bearing's float rounding,
// carried through, adds up to 2^-24 * 180 degrees; the final float rounding
// adds 2^-24 relative:
//    |true - reference| <= 1.43e-5 + (1.2e-8 + 2^-24) * reference + 2^-24 * 180.
constexpr double kDistanceSlackNm = 1e-8;
constexpr double kBearingSlackRad = 1e-11;
constexpr double kFullCircleExcessDeg = 1.43e-5;
constexpr double kDegreesFactorExcess = 1.2e-8;

constexpr double kSkipNm = 1.0;

struct Pair {
    double latitude1, longitude1, latitude2, longitude2;
};

double WrappedDifference(double a, double b, double full_circle) {
    double d = std::fmod(a - b, full_circle);
    if (d > full_circle / 2) d -= full_circle;
    if (d < -full_circle / 2) d += full_circle;
    return d;
}

class GeodesyCrossCheck : public ::testing::Test {
protected:
    // One pair: compares, returns false when skipped.
    bool Check(const Pair& p) {
        double s12_m = 0.0, azi1_deg = 0.0, azi2_deg = 0.0;
        sphere_.Inverse(p.latitude1 * kEffectiveDegreesPerDegree, p.longitude1 * kEffectiveDegreesPerDegree,
                        p.latitude2 * kEffectiveDegreesPerDegree, p.longitude2 * kEffectiveDegreesPerDegree, s12_m,
                        azi1_deg, azi2_deg);
        const double reference_nm = s12_m / kMetresPerNauticalMile;
        const double half_globe_nm = kPi * kNauticalMilesPerRadian;
        if (reference_nm < kSkipNm || reference_nm > half_globe_nm - kSkipNm) return false;

        float distance_nm = 0.0f;
        float bearing_rad = 0.0f;
        traffic::RangeAndBearing({p.latitude1, p.longitude1}, {p.latitude2, p.longitude2}, distance_nm, bearing_rad);

        EXPECT_NEAR(distance_nm, reference_nm, kFloatHalfUlpRelative * reference_nm + kDistanceSlackNm)
            << p.latitude1 << "," << p.longitude1 << " -> " << p.latitude2 << "," << p.longitude2;

        // The system's bearing runs counter-clockwise: the negative azimuth.
        const double reference_rad = -azi1_deg * kPi / 180.0;
        EXPECT_LE(std::fabs(WrappedDifference(bearing_rad, reference_rad, 2 * kPi)),
                  kFloatHalfUlpRelative * std::fabs(reference_rad) + kBearingSlackRad)
            << p.latitude1 << "," << p.longitude1 << " -> " << p.latitude2 << "," << p.longitude2;

        const double reference_true_deg = azi1_deg < 0 ? azi1_deg + 360.0 : azi1_deg;
        const double true_tolerance = kFullCircleExcessDeg +
                                      (kDegreesFactorExcess + kFloatHalfUlpRelative) * reference_true_deg +
                                      kFloatHalfUlpRelative * 180.0;
        EXPECT_LE(std::fabs(WrappedDifference(traffic::TrueBearingDegrees(bearing_rad), reference_true_deg, 360.0)),
                  true_tolerance)
            << p.latitude1 << "," << p.longitude1 << " -> " << p.latitude2 << "," << p.longitude2;
        return true;
    }

    // Points spread evenly over the sphere.
    double RandomLatitude() { return std::asin(unit_(random_)) * 180.0 / kPi; }
    double RandomLongitude() { return 180.0 * unit_(random_); }

    const GeographicLib::Geodesic sphere_{kNauticalMilesPerRadian * kMetresPerNauticalMile, 0.0};
    std::mt19937_64 random_{20240611};
    std::uniform_real_distribution<double> unit_{-1.0, 1.0};
};

TEST_F(GeodesyCrossCheck, AgreesAcrossTheGlobe) {
    int checked = 0;
    for (int i = 0; i < 2000; ++i) {
        checked += Check({RandomLatitude(), RandomLongitude(), RandomLatitude(), RandomLongitude()});
    }
    EXPECT_GT(checked, 1990);
}

TEST_F(GeodesyCrossCheck, AgreesWithinRadarRange) {
    // Targets within about 200 NM, the ranges the displays show.
    int checked = 0;
    for (int i = 0; i < 2000; ++i) {
        const double latitude = 0.95 * RandomLatitude();  // the target stays short of a pole
        const double longitude = RandomLongitude();
        checked += Check({latitude, longitude, latitude + 3.3 * unit_(random_), longitude + 3.3 * unit_(random_)});
    }
    EXPECT_GT(checked, 1900);
}

}  // namespace
