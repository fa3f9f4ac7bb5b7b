// Positions on the sphere of the simulated sky, whose nautical mile is a
// minute of arc: great-circle distance and bearing between two aircraft,
// and the way an aircraft holding its heading moves (a rhumb line).
#pragma once

namespace panelhost {

struct GeoPoint {
    double latitude_deg = 0.0;
    double longitude_deg = 0.0;
};

constexpr double kEarthRadiusNm = 3437.7467707849392;  // 10800 / pi: one minute of arc per mile
constexpr double kMetresPerNauticalMile = 1852.0;
// Aircraft holding a heading towards a pole stop at this latitude.
constexpr double kMaxFlightLatitudeDeg = 89.9;

// Great-circle distance in nautical miles.
double GreatCircleDistanceNm(GeoPoint from, GeoPoint to);

// Initial great-circle bearing, degrees clockwise from true north, 0 to 360.
double TrueBearingDeg(GeoPoint from, GeoPoint to);

// Where an aircraft ends up that holds a true heading over this distance.
// The latitude stays within ±kMaxFlightLatitudeDeg, the longitude within
// -180 to 180.
GeoPoint FlyAlongHeading(GeoPoint from, double heading_deg, double distance_nm);

// An angle folded into -180 .. 180 (180 itself stays).
double WrapLongitudeDeg(double longitude_deg);

}  // namespace panelhost
