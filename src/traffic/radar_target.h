// One radar target, as every display, overlay and the selection see it.
#pragma once

#include <cstdint>

#include "traffic/own_ship.h"

namespace traffic {

constexpr std::int32_t kSourceTrafficInterface = 0;
constexpr std::int32_t kSourceNetPlayer = 1;

constexpr int kIdentifierChars = 50;      // 49 characters and the terminator
constexpr int kWideIdentifierChars = 51;

// Latitude and longitude stand first, in the order and units of OwnShip,
// so that either record serves as a position for RangeAndBearing.
struct RadarTarget {
    double latitude_deg;
    double longitude_deg;
    double altitude_ft;
    char identifier[kIdentifierChars];
    char16_t wide_identifier[kWideIdentifierChars];
    double vertical_speed_fpm;
    std::int32_t height_above_ground;  // whole units of the source (feet or metres)
    double heading_deg;
    double ground_speed_kt;
    std::int32_t source;
    double last_paint_time;  // host time of the last sweep pass; 0 = never
    // The sine and cosine of the latitude and the point on the unit sphere,
    // kept by the displays from frame to frame; not part of what the target
    // is.
    mutable LatitudeTrig latitude_trig;
    mutable SpherePoint sphere_point;
};

// Copies an identifier into the record, cut to fit and always terminated,
// and widens it (sign-extending each byte) into the wide copy. Reads at most
// kIdentifierChars - 1 characters of the source, so a source whose terminator
// lies further on (or is missing) is cut there; null gives an empty text.
void SetTargetIdentifier(RadarTarget& target, const char* identifier);

}  // namespace traffic
