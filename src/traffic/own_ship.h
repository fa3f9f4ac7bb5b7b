// The own aircraft's position and the great-circle range and bearing from it.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/host_services.h"
#include "traffic/numeric.h"

namespace traffic {

// The own position in degrees, the same order as a target's position.
struct OwnShip {
    double latitude_deg;
    double longitude_deg;
};

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

// The own ship, one for the module: its position as last looked up, the two
// host records it is looked up from, and the sine and cosine of its
// latitude that every leg from it starts with.
struct OwnShipRecord {
    OwnShip position = {0.0, 0.0};
    platform::TokenVariable latitude = platform::MakeModuleVariable(sim::kTokenOwnLatitude);
    platform::TokenVariable longitude = platform::MakeModuleVariable(sim::kTokenOwnLongitude);
    LatitudeTrig latitude_trig = {};
};

// Looks the own latitude and longitude up and rewrites the record's position.
const OwnShip& GetOwnShipPosition(OwnShipRecord& own_ship);

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

// The direction from the own ship to a target as two components, along the
// own ship's local north and east, of the target's point on the unit
// sphere: north is what LegBearingRad's arc tangent takes as x, east its y
// with the sign turned, each within 1e-14 of them, so the true bearing is
// the direction's angle clockwise from north. It is worked out from memos of
// both points (three products each) instead of the sine and cosine of the
// longitude difference: cheap, but not bit for bit. It serves to tell which
// targets lie far from a bearing, never to place one.
struct LegDirection {
    double north;
    double east;
};

// Longitudes beyond this many degrees either way (or NaN) give no
// direction: the longitude difference LegBearingRad works from rounds too
// coarsely there for the bound above.
constexpr double kDirectionLongitudeLimit_deg = 400.0;

// The position a memo of LegDirectionOf was worked out from, bit for bit
// (as the latitude memos: -0.0 and +0.0 never share one). A zeroed key
// holds nothing.
struct PositionKey {
    std::uint64_t latitude_bits;
    std::uint64_t longitude_bits;
    bool known;
    bool has_direction;  // the longitude lies within the limit
};

inline bool Holds(const PositionKey& key, const GeoPosition& position) {
    std::uint64_t latitude_bits = 0;
    std::uint64_t longitude_bits = 0;
    std::memcpy(&latitude_bits, &position.latitude_deg, sizeof latitude_bits);
    std::memcpy(&longitude_bits, &position.longitude_deg, sizeof longitude_bits);
    return key.known && key.latitude_bits == latitude_bits && key.longitude_bits == longitude_bits;
}

// A target's point on the unit sphere.
struct SpherePoint {
    PositionKey key;
    double x, y, z;
};

// The own ship's local north and east on the unit sphere.
struct LocalAxes {
    PositionKey key;
    double north[3];
    double east[2];  // east has no z
};

// Work a memo out anew for a position.
void FillLocalAxes(LocalAxes& memo, const GeoPosition& own);
void FillSpherePoint(SpherePoint& memo, const GeoPosition& target);

// False, leaving `direction` alone, when a longitude lies beyond the limit.
// Each memo is worked out anew when its position changed. Inline: the
// altitude display asks it of every target, and the memos nearly always
// hold.
inline bool LegDirectionOf(const GeoPosition& own, LocalAxes& own_memo, const GeoPosition& target,
                           SpherePoint& target_memo, LegDirection& direction) {
    if (!Holds(own_memo.key, own)) FillLocalAxes(own_memo, own);
    if (!Holds(target_memo.key, target)) FillSpherePoint(target_memo, target);
    if (!own_memo.key.has_direction || !target_memo.key.has_direction) return false;
    const SpherePoint& point = target_memo;
    direction.north = point.x * own_memo.north[0] + point.y * own_memo.north[1] + point.z * own_memo.north[2];
    direction.east = point.x * own_memo.east[0] + point.y * own_memo.east[1];
    return true;
}

// A bearing from RangeAndBearing as degrees clockwise from true north, 0..360.
float TrueBearingDegrees(float bearing_rad);

// Reads the first two fields of an OwnShip or a RadarTarget as a position.
template <typename Record>
inline GeoPosition PositionOf(const Record& record) {
    return GeoPosition{record.latitude_deg, record.longitude_deg};
}

// Both coordinates are known: a position a leg can start or end at.
inline bool IsKnownPosition(const GeoPosition& position) {
    return IsKnown(position.latitude_deg) && IsKnown(position.longitude_deg);
}

}  // namespace traffic
