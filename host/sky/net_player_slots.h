// Network players written into the player table, in the host's units at the
// slot positions of sim::netslot.
#pragma once

#include <vector>

#include "sky/scenario.h"

namespace panelhost {

// The table's velocity components are km/h: the radar's factor
// 0.5399568034557235 is knots per km/h, the double nearest 1 / 1.852.
constexpr double kKilometresPerHourPerKnot = 1.852;
constexpr double kKnotsPerKilometrePerHour = 1.0 / kKilometresPerHourPerKnot;
constexpr double kSecondsPerMinute = 60.0;

// The radar shows altitudes, speeds and vertical speeds cut to whole units
// (or hundreds). A value stored in the table's unit comes back through the
// radar's conversion a hair below the scenario's number as often as above
// it, and 10800 ft would read 10700; so each is stored as the nearest value
// whose conversion reaches at least the scenario's magnitude.
double AltitudeMetresReaching(double altitude_ft);
float FeetPerSecondReaching(double vertical_speed_fpm);
struct VelocityKmh {
    float north;  // component a
    float east;   // component b
};
VelocityKmh VelocityReaching(double ground_speed_kt, double heading_deg);

// One active slot: name (cut to the field, zero-filled), active word 1,
// latitude and longitude in host units, altitude in metres, velocity
// components a (north) and b (east) in km/h, vertical speed in ft/s,
// heading in degrees. Every other byte of the slot becomes 0.
void WriteNetPlayerSlot(const Flight& player, unsigned char* slot);

// The whole table: the players in slots 0, 1, ..., every other slot
// cleared (inactive). Players beyond the table's slots are left out.
void WriteNetPlayerTable(const std::vector<Flight>& players, unsigned char* table);

}  // namespace panelhost
