#include "sky/sky_geometry.h"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180.0;

// Rounding may carry an east-west course a hair past the limit it starts on.
constexpr double kLatitudeSlackRad = 1e-12;

double Radians(double degrees) { return degrees * kRadiansPerDegree; }
double Degrees(double radians) { return radians / kRadiansPerDegree; }

// The stretched latitude of the Mercator projection, in which rhumb lines are straight.
double MercatorLatitude(double latitude_rad) { return std::log(std::tan(kPi / 4.0 + latitude_rad / 2.0)); }

}  // namespace

double GreatCircleDistanceNm(GeoPoint from, GeoPoint to) {
    const double lat1 = Radians(from.latitude_deg);
    const double lat2 = Radians(to.latitude_deg);
    const double half_dlat = (lat2 - lat1) / 2.0;
    const double half_dlon = Radians(to.longitude_deg - from.longitude_deg) / 2.0;
    const double h = std::sin(half_dlat) * std::sin(half_dlat) +
                     std::cos(lat1) * std::cos(lat2) * std::sin(half_dlon) * std::sin(half_dlon);
    return 2.0 * kEarthRadiusNm * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

double TrueBearingDeg(GeoPoint from, GeoPoint to) {
    const double lat1 = Radians(from.latitude_deg);
    const double lat2 = Radians(to.latitude_deg);
    const double dlon = Radians(to.longitude_deg - from.longitude_deg);
    const double y = std::sin(dlon) * std::cos(lat2);
    const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dlon);
    const double bearing = std::fmod(Degrees(std::atan2(y, x)) + 360.0, 360.0);
    return bearing >= 360.0 ? 0.0 : bearing;
}

double WrapLongitudeDeg(double longitude_deg) {
    if (longitude_deg >= -180.0 && longitude_deg <= 180.0) return longitude_deg;
    double wrapped = std::fmod(longitude_deg + 180.0, 360.0);
    if (wrapped < 0.0) wrapped += 360.0;
    return wrapped - 180.0;
}

GeoPoint FlyAlongHeading(GeoPoint from, double heading_deg, double distance_nm) {
    const double max_lat = Radians(kMaxFlightLatitudeDeg);
    const double lat1 = std::clamp(Radians(from.latitude_deg), -max_lat, max_lat);
    const double heading = Radians(heading_deg);
    double travel = distance_nm / kEarthRadiusNm;  // radians of arc

    double dlat = travel * std::cos(heading);
    double lat2 = lat1 + dlat;
    if (std::fabs(lat2) > max_lat + kLatitudeSlackRad) {
        // Cut the flight short where it reaches the latitude limit.
        lat2 = std::copysign(max_lat, lat2);
        dlat = lat2 - lat1;
        travel = dlat / std::cos(heading);
    }
    const double dmercator = MercatorLatitude(lat2) - MercatorLatitude(lat1);
    // East-west courses keep their latitude: the ratio falls back to its limit.
    const double stretch = std::fabs(dmercator) > 1e-12 ? dlat / dmercator : std::cos(lat1);
    const double dlon = travel * std::sin(heading) / stretch;
    return GeoPoint{Degrees(lat2), WrapLongitudeDeg(from.longitude_deg + Degrees(dlon))};
}

}  // namespace panelhost
