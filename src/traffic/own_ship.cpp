// The own aircraft's position and the spherical range and bearing from it.
#include "traffic/own_ship.h"

#include <algorithm>
#include <cmath>

#include "platform/host_services.h"

namespace traffic {
namespace {

constexpr double kDegreesPerCircle = 360.0;

// The stored single-precision values, used at double width.
constexpr double kDegreesToRadians = 0.01745329238474369;
constexpr double kNauticalMilesPerRadian = 3437.746810913086;
constexpr double kFullCircleRadians = 6.2831854820251465;
constexpr double kRadiansToDegrees = 57.295780181884766;

// The module's own ship and the two host records that feed it.
OwnShip own_ship = {0.0, 0.0};
host::ModuleVariable own_latitude = platform::MakeModuleVariable(host::kTokenOwnLatitude);
host::ModuleVariable own_longitude = platform::MakeModuleVariable(host::kTokenOwnLongitude);

}  // namespace

const OwnShip& GetOwnShipPosition() {
    const double latitude_units = platform::ReadModuleVariable(own_latitude);
    const double longitude_units = platform::ReadModuleVariable(own_longitude);
    own_ship.latitude_deg = latitude_units * kDegreesPerCircle * host::kLatitudeUnitFactor;
    own_ship.longitude_deg = longitude_units * kDegreesPerCircle * host::kLongitudeUnitFactor;
    return own_ship;
}

void RangeAndBearing(const GeoPosition& own, const GeoPosition& target, float& distance_nm, float& bearing_rad) {
    const double own_latitude_rad = own.latitude_deg * kDegreesToRadians;
    const double own_longitude_rad = own.longitude_deg * kDegreesToRadians;
    const double target_latitude_rad = target.latitude_deg * kDegreesToRadians;
    const double target_longitude_rad = target.longitude_deg * kDegreesToRadians;

    // Spherical law of cosines. Rounding can carry the cosine a hair past 1
    // when both points coincide (or past -1 when antipodal): held to the
    // range acos is defined on, that is a distance of 0 (or half the globe).
    const double cosine = std::sin(own_latitude_rad) * std::sin(target_latitude_rad) +
                          std::cos(own_latitude_rad) * std::cos(target_latitude_rad) *
                              std::cos(target_longitude_rad - own_longitude_rad);
    distance_nm = static_cast<float>(std::acos(std::clamp(cosine, -1.0, 1.0)) * kNauticalMilesPerRadian);

    // Measured from north counter-clockwise: the longitude difference runs
    // own minus target.
    const double longitude_difference = own_longitude_rad - target_longitude_rad;
    const double y = std::cos(target_latitude_rad) * std::sin(longitude_difference);
    const double x = std::cos(own_latitude_rad) * std::sin(target_latitude_rad) -
                     std::sin(own_latitude_rad) * std::cos(target_latitude_rad) * std::cos(longitude_difference);
    bearing_rad = static_cast<float>(std::atan2(y, x));
}

float TrueBearingDegrees(float bearing_rad) {
    return static_cast<float>(std::fmod(kFullCircleRadians - bearing_rad, kFullCircleRadians) * kRadiansToDegrees);
}

}  // namespace traffic
