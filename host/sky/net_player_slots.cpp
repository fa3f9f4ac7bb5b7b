#include "sky/net_player_slots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/host_abi.h"
#include "panel/simulated_aircraft.h"
#include "platform/units.h"

namespace panelhost {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// A handful of steps of the last place always reach the target.
constexpr int kMaxNudges = 16;

template <typename Number>
Number AwayFromZero(Number value) {
    return std::nextafter(value, std::copysign(std::numeric_limits<Number>::infinity(), value));
}

// A double as a float, saturated rather than out of range.
float ToFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(std::isnan(value) ? value : std::clamp(value, -kLargest, kLargest));
}

double RadarKnots(VelocityKmh velocity) {
    const double a = velocity.north, b = velocity.east;
    return std::sqrt(a * a + b * b) * kKnotsPerKilometrePerHour;
}

template <typename Field>
void WriteField(unsigned char* slot, std::size_t position, Field value) {
    std::memcpy(slot + position, &value, sizeof value);
}

}  // namespace

double AltitudeMetresReaching(double altitude_ft) {
    double metres = altitude_ft / units::kFeetPerMetre;
    for (int i = 0; i < kMaxNudges && std::fabs(metres * units::kFeetPerMetre) < std::fabs(altitude_ft); ++i) {
        metres = AwayFromZero(metres);
    }
    return metres;
}

float FeetPerSecondReaching(double vertical_speed_fpm) {
    float feet_per_second = ToFloat(vertical_speed_fpm / kSecondsPerMinute);
    for (int i = 0; i < kMaxNudges && std::fabs(feet_per_second * kSecondsPerMinute) < std::fabs(vertical_speed_fpm);
         ++i) {
        feet_per_second = AwayFromZero(feet_per_second);
    }
    return feet_per_second;
}

VelocityKmh VelocityReaching(double ground_speed_kt, double heading_deg) {
    const double speed_kmh = ground_speed_kt * kKilometresPerHourPerKnot;
    const double heading_rad = heading_deg * kRadiansPerDegree;
    VelocityKmh velocity{ToFloat(speed_kmh * std::cos(heading_rad)), ToFloat(speed_kmh * std::sin(heading_rad))};
    for (int i = 0; i < kMaxNudges && RadarKnots(velocity) < ground_speed_kt; ++i) {
        if (velocity.north != 0.0f) velocity.north = AwayFromZero(velocity.north);
        if (velocity.east != 0.0f) velocity.east = AwayFromZero(velocity.east);
    }
    return velocity;
}

void WriteNetPlayerSlot(const Flight& player, unsigned char* slot) {
    std::memset(slot, 0, sim::kNetPlayerSlotBytes);
    const std::size_t name_length = std::min(player.identifier.size(), sim::netslot::kNameBytes - 1);
    std::memcpy(slot + sim::netslot::kName, player.identifier.data(), name_length);

    const VelocityKmh velocity = VelocityReaching(player.ground_speed_kt, player.heading_deg);
    WriteField<std::int32_t>(slot, sim::netslot::kActive, 1);
    WriteField<double>(slot, sim::netslot::kLatitude, LatitudeToHostUnits(player.latitude_deg));
    WriteField<double>(slot, sim::netslot::kLongitude, LongitudeToHostUnits(player.longitude_deg));
    WriteField<double>(slot, sim::netslot::kAltitude, AltitudeMetresReaching(player.altitude_ft));
    WriteField<float>(slot, sim::netslot::kVelocityA, velocity.north);
    WriteField<float>(slot, sim::netslot::kVelocityB, velocity.east);
    WriteField<float>(slot, sim::netslot::kVerticalSpeed, FeetPerSecondReaching(player.vertical_speed_fpm));
    WriteField<float>(slot, sim::netslot::kHeading, ToFloat(player.heading_deg));
}

void WriteNetPlayerTable(const std::vector<Flight>& players, unsigned char* table) {
    for (std::size_t slot = 0; slot < sim::kNetPlayerSlots; ++slot) {
        unsigned char* bytes = table + slot * sim::kNetPlayerSlotBytes;
        if (slot < players.size()) {
            WriteNetPlayerSlot(players[slot], bytes);
        } else {
            std::memset(bytes, 0, sim::kNetPlayerSlotBytes);
        }
    }
}

}  // namespace panelhost
