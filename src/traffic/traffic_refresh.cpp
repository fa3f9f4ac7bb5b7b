// Binding the traffic interface and rebuilding the list from the traffic
// interface and the network-player table.
#include "platform/host_services.h"
#include "platform/units.h"
#include "traffic/numeric.h"
#include "traffic/traffic_list.h"

namespace traffic {
namespace {

// A handle's slot and the name it is fetched by.
template <typename Slot>
struct NamedHandle {
    Slot slot;
    const char* name;
};

// The bind order of the variable handles, each into its named slot.
constexpr NamedHandle<TrafficVariable> kVariableBindOrder[kTrafficVariableCount] = {
    {kPlaneLatitude, "PLANE LATITUDE"},
    {kPlaneLongitude, "PLANE LONGITUDE"},
    {kPlaneAltitude, "PLANE ALTITUDE"},
    {kIndicatedAltitude, "INDICATED ALTITUDE"},
    {kVelocityWorldY, "VELOCITY WORLD Y"},
    {kPlaneAltAboveGround, "PLANE ALT ABOVE GROUND"},
    {kGroundVelocity, "GROUND VELOCITY"},
    {kPlaneHeadingTrue, "PLANE HEADING DEGREES TRUE"},
    {kPlaneHeadingMagnetic, "PLANE HEADING DEGREES MAGNETIC"},
    {kAtcId, "ATC ID"},
};

constexpr NamedHandle<TrafficUnit> kUnitBindOrder[kTrafficUnitCount] = {
    {kUnitDegrees, "DEGREES"},
    {kUnitFeet, "FEET"},
    {kUnitFeetPerMinute, "FEET PER MINUTE"},
    {kUnitKnots, "KNOTS"},
};

// Targets whose data the host reduces all fly at this speed, level.
constexpr double kReducedDataGroundSpeedKt = 200.0;

// The name buffer both paths of the traffic interface fill: 15 characters
// and the terminator.
constexpr std::uint32_t kTrafficNameBytes = 16;

constexpr double kRefreshIntervalSeconds = 1.0;

// Copies a name of unknown length into the name buffer, cut to fit.
void CopyTrafficName(const char* name, char (&buffer)[kTrafficNameBytes]) {
    std::uint32_t length = 0;
    if (name != nullptr) {
        while (length < kTrafficNameBytes - 1 && name[length] != '\0') {
            buffer[length] = name[length];
            ++length;
        }
    }
    buffer[length] = '\0';
}

}  // namespace

void TrafficList::Bind() {
    traffic_ = nullptr;
    auto* registered = static_cast<sim::RegisteredInterface*>(platform::GetRegisteredInterface(sim::kTrafficInterfaceName));
    if (registered == nullptr) return;
    traffic_ = static_cast<sim::TrafficInfo*>(registered->QueryInterface(sim::kTrafficInterfaceName));
    if (traffic_ == nullptr) return;

    for (const auto& variable : kVariableBindOrder) {
        variables_[variable.slot] = traffic_->GetVariableHandle(variable.name);
    }
    for (const auto& unit : kUnitBindOrder) {
        units_[unit.slot] = traffic_->GetUnitsHandle(unit.name);
    }
}

// Interface targets first, in the order of the query, then the players.
void TrafficList::Refresh() {
    const std::uint32_t written = traffic_ != nullptr ? RefreshFromTrafficInterface() : 0;
    count_ = AppendNetPlayers(net_source_, net_table_, records_, written, kMaxTargets);
}

void TrafficList::PeriodicRefresh() {
    net_source_ = FindNetPlayerSource(net_module_search_);
    // The module's clock; each list keeps the time of its own last rebuild.
    const double host_time = platform::ReadModuleVariable(clock_.host_time);
    // A host time that went back (a reloaded flight) rebuilds at once
    // instead of holding the list until the old time comes round again.
    if (last_refresh_time_ + kRefreshIntervalSeconds < host_time || host_time < last_refresh_time_) {
        last_refresh_time_ = host_time;
        Refresh();
    }
}

std::uint32_t TrafficList::RefreshFromTrafficInterface() {
    std::uint32_t count =
        traffic_->GetTrafficInRadius(range_nm_ * units::kMetresPerNauticalMile, kMaxTrafficTargets, traffic_ids_);
    // An interface that reports more than it was asked for is held to the
    // number asked: the list has room for no more.
    if (count > kMaxTrafficTargets) count = kMaxTrafficTargets;
    for (std::uint32_t k = 0; k < count; ++k) ReadTrafficTarget(traffic_ids_[k], records_[k]);
    return count;
}

// Values the interface does not deliver stay 0: every result starts there.
double TrafficList::NumericValue(sim::TrafficId id, TrafficVariable variable, TrafficUnit unit) {
    double value = 0.0;
    traffic_->GetNumericValue(id, variables_[variable], units_[unit], &value, 0);
    return value;
}

void TrafficList::ReadTrafficTarget(sim::TrafficId id, RadarTarget& target) {
    const double latitude_deg = NumericValue(id, kPlaneLatitude, kUnitDegrees);
    const double longitude_deg = NumericValue(id, kPlaneLongitude, kUnitDegrees);

    double altitude_ft = 0.0;
    double heading_deg = 0.0;
    double vertical_speed_fpm = 0.0;
    double height_above_ground = 0.0;
    double ground_speed_kt = 0.0;
    char name[kTrafficNameBytes] = {};
    if (traffic_->ReducedDataFlag() != 0) {
        altitude_ft = NumericValue(id, kPlaneAltitude, kUnitFeet);
        heading_deg = NumericValue(id, kPlaneHeadingTrue, kUnitDegrees);
        CopyTrafficName(traffic_->GetTrafficName(id), name);
        height_above_ground = altitude_ft;
        vertical_speed_fpm = 0.0;
        ground_speed_kt = kReducedDataGroundSpeedKt;
    } else {
        heading_deg = NumericValue(id, kPlaneHeadingMagnetic, kUnitDegrees);
        altitude_ft = NumericValue(id, kIndicatedAltitude, kUnitFeet);
        vertical_speed_fpm = NumericValue(id, kVelocityWorldY, kUnitFeetPerMinute);
        height_above_ground = NumericValue(id, kPlaneAltAboveGround, kUnitFeet);
        ground_speed_kt = NumericValue(id, kGroundVelocity, kUnitKnots);
        traffic_->GetStringValue(id, variables_[kAtcId], name, kTrafficNameBytes, 0);
        name[kTrafficNameBytes - 1] = '\0';  // an interface that fills the buffer leaves no terminator
    }

    // A value that is not a number is unknown from here on.
    target.latitude_deg = KnownOrUnknown(latitude_deg);
    target.longitude_deg = KnownOrUnknown(longitude_deg);
    target.altitude_ft = KnownOrUnknown(altitude_ft);
    target.vertical_speed_fpm = IsKnown(vertical_speed_fpm) ? SaturatingTruncate(vertical_speed_fpm) : kUnknown;
    target.height_above_ground = WholeHeight(height_above_ground);
    target.heading_deg = KnownOrUnknown(heading_deg);
    target.ground_speed_kt = KnownOrUnknown(ground_speed_kt);
    SetTargetIdentifier(target, name);
    target.source = kSourceTrafficInterface;
}

}  // namespace traffic
