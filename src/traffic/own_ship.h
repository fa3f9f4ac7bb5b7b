// The own aircraft's position and the great-circle range and bearing from it.
#pragma once

#include <cstdint>

namespace traffic {

// One record for the module: degrees, the same order as a target's position.
struct OwnShip {
    double latitude_deg;
    double longitude_deg;
};

// Looks the own latitude and longitude up and rewrites the module's record.
const OwnShip& GetOwnShipPosition();

// The record as at load. For a reset of the module's shared state.
void ResetOwnShip();

// Any record that starts with latitude and longitude in degrees.
struct GeoPosition {
    double latitude_deg;
    double longitude_deg;
};

// Distance in nautical miles; bearing in radians, -pi..pi, from true north
// counter-clockwise (west positive). Both rounded to float.
void RangeAndBearing(const GeoPosition& own, const GeoPosition& target, float& distance_nm, float& bearing_rad);

// The sine and cosine of a latitude, kept with the latitude they were
// computed from. A zeroed memo holds nothing.
struct LatitudeTrig {
    std::uint64_t latitude_bits;  // the latitude in degrees, bit for bit
    bool known;
    double sine;
    double cosine;
};

// What the distance and the bearing between two positions are computed
// from: both latitudes as sine and cosine, both longitudes in radians.
struct GreatCircleLeg {
    double own_sine;
    double own_cosine;
    double target_sine;
    double target_cosine;
    double own_longitude_rad;
    double target_longitude_rad;
};

// The leg between two positions, each latitude's sine and cosine taken from
// its memo while the latitude is unchanged (and computed into it when not).
// Positions move little from frame to frame and targets' not at all between
// rebuilds, so most legs skip two of their three sine and cosine pairs.
GreatCircleLeg LegBetween(const GeoPosition& own, LatitudeTrig& own_memo, const GeoPosition& target,
                          LatitudeTrig& target_memo);

// RangeAndBearing's two results, bit for bit, each computed only when asked
// for: a display that needs a target's bearing for every target but its
// distance only for those it draws skips the rest.
float LegDistanceNm(const GreatCircleLeg& leg);
float LegBearingRad(const GreatCircleLeg& leg);

// A bearing from RangeAndBearing as degrees clockwise from true north, 0..360.
float TrueBearingDegrees(float bearing_rad);

// Reads the first two fields of an OwnShip or a RadarTarget as a position.
template <typename Record>
inline GeoPosition PositionOf(const Record& record) {
    return GeoPosition{record.latitude_deg, record.longitude_deg};
}

}  // namespace traffic
