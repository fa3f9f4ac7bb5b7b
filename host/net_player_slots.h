// Network players written into the player table, in the host's units at the
// slot positions of host::netslot.
#pragma once

#include <vector>

#include "scenario.h"

namespace panelhost {

// The table's velocity components are km/h: the radar's factor
// 0.5399568034557235 is knots per km/h (1 / 1.852).
constexpr double kKilometresPerHourPerKnot = 1.852;
constexpr double kSecondsPerMinute = 60.0;

// One active slot: name (cut to the field, zero-filled), active word 1,
// latitude and longitude in host units, altitude in metres, velocity
// components a (north) and b (east) in km/h, vertical speed in ft/s,
// heading in degrees. Every other byte of the slot becomes 0.
void WriteNetPlayerSlot(const Flight& player, unsigned char* slot);

// The whole table: the players in slots 0, 1, ..., every other slot
// cleared (inactive). Players beyond the table's slots are left out.
void WriteNetPlayerTable(const std::vector<Flight>& players, unsigned char* table);

}  // namespace panelhost
