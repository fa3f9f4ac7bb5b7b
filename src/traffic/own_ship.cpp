// The own aircraft's position and the spherical range and bearing from it.
#include "traffic/own_ship.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/units.h"
#include "traffic/numeric.h"

namespace traffic {

const OwnShip& GetOwnShipPosition(OwnShipRecord& own_ship) {
    const double latitude_units = platform::ReadModuleVariable(own_ship.latitude);
    const double longitude_units = platform::ReadModuleVariable(own_ship.longitude);
    // Not a number: unknown, and no target is located from it.
    own_ship.position.latitude_deg = KnownOrUnknown(latitude_units * units::kFullCircle_deg * sim::kLatitudeUnitFactor);
    own_ship.position.longitude_deg =
        KnownOrUnknown(longitude_units * units::kFullCircle_deg * sim::kLongitudeUnitFactor);
    return own_ship.position;
}

namespace {

LatitudeTrig TrigOf(double latitude_deg) {
    LatitudeTrig trig{};
    std::memcpy(&trig.latitude_bits, &latitude_deg, sizeof latitude_deg);
    trig.known = true;
    const double latitude_rad = latitude_deg * units::kRadiansPerDegreeSingle;
    trig.sine = std::sin(latitude_rad);
    trig.cosine = std::cos(latitude_rad);
    return trig;
}

// Bit for bit, so that -0.0 and +0.0 (whose sines differ in sign) never
// share an entry; a NaN latitude is recomputed into the same NaNs.
const LatitudeTrig& Refresh(LatitudeTrig& memo, double latitude_deg) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &latitude_deg, sizeof bits);
    if (!memo.known || memo.latitude_bits != bits) memo = TrigOf(latitude_deg);
    return memo;
}

GreatCircleLeg LegOf(const GeoPosition& own, const LatitudeTrig& own_trig, const GeoPosition& target,
                     const LatitudeTrig& target_trig) {
    return GreatCircleLeg{own_trig.sine,
                          own_trig.cosine,
                          target_trig.sine,
                          target_trig.cosine,
                          own.longitude_deg * units::kRadiansPerDegreeSingle,
                          target.longitude_deg * units::kRadiansPerDegreeSingle};
}

}  // namespace

void RangeAndBearing(const GeoPosition& own, const GeoPosition& target, float& distance_nm, float& bearing_rad) {
    const GreatCircleLeg leg = LegOf(own, TrigOf(own.latitude_deg), target, TrigOf(target.latitude_deg));
    distance_nm = LegDistanceNm(leg);
    bearing_rad = LegBearingRad(leg);
}

GreatCircleLeg LegBetween(const GeoPosition& own, LatitudeTrig& own_memo, const GeoPosition& target,
                          LatitudeTrig& target_memo) {
    return LegOf(own, Refresh(own_memo, own.latitude_deg), target, Refresh(target_memo, target.latitude_deg));
}

// Spherical law of cosines, in double precision. Rounding can carry the
// cosine a hair past 1 when both points coincide (or past -1 when
// antipodal): held to the range acos is defined on, that is a distance of 0
// (or half the globe).
float LegDistanceNm(const GreatCircleLeg& leg) {
    const double cosine = leg.own_sine * leg.target_sine + leg.own_cosine * leg.target_cosine *
                                                               std::cos(leg.target_longitude_rad - leg.own_longitude_rad);
    return static_cast<float>(std::acos(std::clamp(cosine, -1.0, 1.0)) * units::kNauticalMilesPerRadianSingle);
}

// The forward azimuth, measured from north counter-clockwise: the longitude
// difference runs own minus target.
float LegBearingRad(const GreatCircleLeg& leg) {
    const double longitude_difference = leg.own_longitude_rad - leg.target_longitude_rad;
    const double y = leg.target_cosine * std::sin(longitude_difference);
    const double x =
        leg.own_cosine * leg.target_sine - leg.own_sine * leg.target_cosine * std::cos(longitude_difference);
    return static_cast<float>(std::atan2(y, x));
}

namespace {

bool WithinDirectionLimit(double longitude_deg) {
    return std::fabs(longitude_deg) <= kDirectionLongitudeLimit_deg;  // false for NaN
}

PositionKey KeyOf(const GeoPosition& position) {
    PositionKey key{};
    std::memcpy(&key.latitude_bits, &position.latitude_deg, sizeof key.latitude_bits);
    std::memcpy(&key.longitude_bits, &position.longitude_deg, sizeof key.longitude_bits);
    key.known = true;
    key.has_direction = WithinDirectionLimit(position.longitude_deg);
    return key;
}

}  // namespace

// The memos of LegDirectionOf. The target's point on the own ship's north
// is cos own sin target - sin own cos target cos(difference), on its east
// cos target sin(target - own): the leg's x and -y, with the longitude
// difference's cosine and sine taken apart into each longitude's. Every
// factor is at most 1 and each side's sines and cosines within a unit in
// the last place, so the components lie within about 1e-15 of the exact
// ones; the leg's, taken of a difference rounded to a double (at most 14
// radians here, so within 1e-15), lie as close to them.

// (cos lat cos lon, cos lat sin lon, sin lat), from the same sines and
// cosines as a leg's.
void FillSpherePoint(SpherePoint& memo, const GeoPosition& position) {
    const LatitudeTrig latitude = TrigOf(position.latitude_deg);
    const LatitudeTrig longitude = TrigOf(position.longitude_deg);
    memo.key = KeyOf(position);
    memo.x = latitude.cosine * longitude.cosine;
    memo.y = latitude.cosine * longitude.sine;
    memo.z = latitude.sine;
}

// North (-sin lat cos lon, -sin lat sin lon, cos lat), east (-sin lon, cos lon, 0).
void FillLocalAxes(LocalAxes& memo, const GeoPosition& position) {
    const LatitudeTrig latitude = TrigOf(position.latitude_deg);
    const LatitudeTrig longitude = TrigOf(position.longitude_deg);
    memo.key = KeyOf(position);
    memo.north[0] = -latitude.sine * longitude.cosine;
    memo.north[1] = -latitude.sine * longitude.sine;
    memo.north[2] = latitude.cosine;
    memo.east[0] = -longitude.sine;
    memo.east[1] = longitude.cosine;
}

float TrueBearingDegrees(float bearing_rad) {
    return static_cast<float>(ExactRemainder(units::kFullCircle_radSingle - bearing_rad, units::kFullCircle_radSingle) *
                              units::kDegreesPerRadianSingle);
}

}  // namespace traffic
