// The own aircraft's position and the great-circle range and bearing from it.
#pragma once

namespace traffic {

// One record for the module: degrees, the same order as a target's position.
struct OwnShip {
    double latitude_deg;
    double longitude_deg;
};

// Looks the own latitude and longitude up and rewrites the module's record.
const OwnShip& GetOwnShipPosition();

// Any record that starts with latitude and longitude in degrees.
struct GeoPosition {
    double latitude_deg;
    double longitude_deg;
};

// Distance in nautical miles; bearing in radians, -pi..pi, from true north
// counter-clockwise (west positive). Both rounded to float.
void RangeAndBearing(const GeoPosition& own, const GeoPosition& target, float& distance_nm, float& bearing_rad);

// A bearing from RangeAndBearing as degrees clockwise from true north, 0..360.
float TrueBearingDegrees(float bearing_rad);

// Reads the first two fields of an OwnShip or a RadarTarget as a position.
template <typename Record>
inline GeoPosition PositionOf(const Record& record) {
    return GeoPosition{record.latitude_deg, record.longitude_deg};
}

}  // namespace traffic
