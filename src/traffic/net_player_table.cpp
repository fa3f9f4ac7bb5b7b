#include "traffic/net_player_table.h"

#include <cmath>
#include <cstring>

#include "platform/units.h"
#include "traffic/numeric.h"

namespace traffic {
namespace {

// Fields are read byte-wise: the table belongs to another module and its
// doubles need not be aligned for us.
template <typename Field>
Field ReadField(const unsigned char* slot, std::size_t position) {
    Field value;
    std::memcpy(&value, slot + position, sizeof(value));
    return value;
}

}  // namespace

NetPlayerSource FindNetPlayerSource(platform::ModuleSearchMemo& search) {
    NetPlayerSource source;
    void* module = platform::FindLoadedModule(search, sim::kNetPlayerModuleName);
    if (module == nullptr) return source;
    source.present = 1;
    source.entry = reinterpret_cast<sim::NetPlayerEntry>(platform::FindModuleExport(module, sim::kNetPlayerEntryName));
    return source;
}

bool ReadNetPlayerSlot(const unsigned char* slot, RadarTarget& target) {
    if (ReadField<std::int32_t>(slot, sim::netslot::kActive) == 0) return false;

    const double altitude_m = ReadField<double>(slot, sim::netslot::kAltitude);
    const double velocity_a = ReadField<float>(slot, sim::netslot::kVelocityA);
    const double velocity_b = ReadField<float>(slot, sim::netslot::kVelocityB);

    // A value that is not a number (or that becomes none in our units) is
    // unknown from here on.
    target.latitude_deg = KnownOrUnknown(ReadField<double>(slot, sim::netslot::kLatitude) * units::kFullCircle_deg *
                                         sim::kLatitudeUnitFactor);
    target.longitude_deg = KnownOrUnknown(ReadField<double>(slot, sim::netslot::kLongitude) * units::kFullCircle_deg *
                                          sim::kLongitudeUnitFactor);
    target.altitude_ft = KnownOrUnknown(altitude_m * units::kFeetPerMetre);
    target.height_above_ground = WholeHeight(altitude_m);
    target.ground_speed_kt = KnownOrUnknown(std::sqrt(velocity_a * velocity_a + velocity_b * velocity_b) *
                                            units::kKnotsPerKilometrePerHour);
    target.vertical_speed_fpm =
        KnownOrUnknown(ReadField<float>(slot, sim::netslot::kVerticalSpeed) * units::kSecondsPerMinute);
    target.heading_deg = KnownOrUnknown(ReadField<float>(slot, sim::netslot::kHeading));

    // The name field holds 128 bytes; the copy reads no more than the
    // identifier holds, well inside the field even without a terminator.
    static_assert(kIdentifierChars - 1 <= static_cast<int>(sim::netslot::kNameBytes), "name read stays in its field");
    SetTargetIdentifier(target, reinterpret_cast<const char*>(slot + sim::netslot::kName));
    target.source = kSourceNetPlayer;
    return true;
}

std::uint32_t AppendNetPlayers(const NetPlayerSource& source, void*& table, RadarTarget* records,
                               std::uint32_t written, std::uint32_t capacity) {
    if (source.present == 0 || source.entry == nullptr) return written;
    if (source.entry(&table) != sim::kNetPlayerStatusOk || table == nullptr) return written;

    const auto* slots = static_cast<const unsigned char*>(table);
    for (std::size_t slot = 0; slot < sim::kNetPlayerSlots && written < capacity; ++slot) {
        if (ReadNetPlayerSlot(slots + slot * sim::kNetPlayerSlotBytes, records[written])) ++written;
    }
    return written;
}

}  // namespace traffic
