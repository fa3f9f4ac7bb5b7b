#include "net_player_slots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/host_abi.h"
#include "simulated_aircraft.h"

namespace panelhost {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

template <typename Field>
void WriteField(unsigned char* slot, std::size_t position, Field value) {
    std::memcpy(slot + position, &value, sizeof value);
}

}  // namespace

void WriteNetPlayerSlot(const Flight& player, unsigned char* slot) {
    std::memset(slot, 0, host::kNetPlayerSlotBytes);
    const std::size_t name_length = std::min(player.identifier.size(), host::netslot::kNameBytes - 1);
    std::memcpy(slot + host::netslot::kName, player.identifier.data(), name_length);

    const double speed_kmh = player.ground_speed_kt * kKilometresPerHourPerKnot;
    const double heading_rad = player.heading_deg * kRadiansPerDegree;
    WriteField<std::int32_t>(slot, host::netslot::kActive, 1);
    WriteField<double>(slot, host::netslot::kLatitude, LatitudeToHostUnits(player.latitude_deg));
    WriteField<double>(slot, host::netslot::kLongitude, LongitudeToHostUnits(player.longitude_deg));
    WriteField<double>(slot, host::netslot::kAltitude, player.altitude_ft / host::kFeetPerMetre);
    WriteField<float>(slot, host::netslot::kVelocityA, static_cast<float>(speed_kmh * std::cos(heading_rad)));
    WriteField<float>(slot, host::netslot::kVelocityB, static_cast<float>(speed_kmh * std::sin(heading_rad)));
    WriteField<float>(slot, host::netslot::kVerticalSpeed,
                      static_cast<float>(player.vertical_speed_fpm / kSecondsPerMinute));
    WriteField<float>(slot, host::netslot::kHeading, static_cast<float>(player.heading_deg));
}

void WriteNetPlayerTable(const std::vector<Flight>& players, unsigned char* table) {
    for (std::size_t slot = 0; slot < host::kNetPlayerSlots; ++slot) {
        unsigned char* bytes = table + slot * host::kNetPlayerSlotBytes;
        if (slot < players.size()) {
            WriteNetPlayerSlot(players[slot], bytes);
        } else {
            std::memset(bytes, 0, host::kNetPlayerSlotBytes);
        }
    }
}

}  // namespace panelhost
