#include "sky/traffic_interface.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "panel/named_variable_store.h"

namespace panelhost {
namespace {

// What a variable measures, and so the one unit it is given in.
enum class Measure { kAngle, kLength, kClimb, kSpeed, kText };

enum class Quantity {
    kLatitude,
    kLongitude,
    kPlaneAltitude,
    kIndicatedAltitude,
    kVerticalSpeed,
    kHeadingMagnetic,
    kHeadingTrue,
    kHeightAboveGround,
    kGroundSpeed,
    kAtcId,
};

struct VariableName {
    const char* name;
    Quantity quantity;
    Measure measure;
};

constexpr VariableName kVariables[] = {
    {"PLANE LATITUDE", Quantity::kLatitude, Measure::kAngle},
    {"PLANE LONGITUDE", Quantity::kLongitude, Measure::kAngle},
    {"PLANE ALTITUDE", Quantity::kPlaneAltitude, Measure::kLength},
    {"INDICATED ALTITUDE", Quantity::kIndicatedAltitude, Measure::kLength},
    {"VELOCITY WORLD Y", Quantity::kVerticalSpeed, Measure::kClimb},
    {"PLANE HEADING DEGREES MAGNETIC", Quantity::kHeadingMagnetic, Measure::kAngle},
    {"PLANE HEADING DEGREES TRUE", Quantity::kHeadingTrue, Measure::kAngle},
    {"PLANE ALT ABOVE GROUND", Quantity::kHeightAboveGround, Measure::kLength},
    {"GROUND VELOCITY", Quantity::kGroundSpeed, Measure::kSpeed},
    {"ATC ID", Quantity::kAtcId, Measure::kText},
};
constexpr std::size_t kVariableCount = sizeof kVariables / sizeof kVariables[0];

struct UnitName {
    const char* name;
    Measure measure;
};

constexpr UnitName kUnits[] = {
    {"DEGREES", Measure::kAngle},
    {"FEET", Measure::kLength},
    {"FEET PER MINUTE", Measure::kClimb},
    {"KNOTS", Measure::kSpeed},
};
constexpr std::size_t kUnitCount = sizeof kUnits / sizeof kUnits[0];

template <typename Entry, std::size_t N>
sim::TrafficHandle HandleOf(const char* name, const Entry (&entries)[N], sim::TrafficHandle first) {
    const std::string_view wanted = HostName(name);
    for (std::size_t i = 0; i < N; ++i) {
        if (wanted == entries[i].name) return first + static_cast<sim::TrafficHandle>(i);
    }
    return 0;
}

const VariableName* VariableOf(sim::TrafficHandle handle) {
    if (handle < kFirstVariableHandle || handle - kFirstVariableHandle >= kVariableCount) return nullptr;
    return &kVariables[handle - kFirstVariableHandle];
}

const UnitName* UnitOf(sim::TrafficHandle handle) {
    if (handle < kFirstUnitHandle || handle - kFirstUnitHandle >= kUnitCount) return nullptr;
    return &kUnits[handle - kFirstUnitHandle];
}

// The sky has no magnetic variation and no instrument error: indicated
// altitude is the altitude and the magnetic heading is the true one.
double ValueOf(const Flight& flight, Quantity quantity) {
    switch (quantity) {
        case Quantity::kLatitude: return flight.latitude_deg;
        case Quantity::kLongitude: return flight.longitude_deg;
        case Quantity::kPlaneAltitude: return flight.altitude_ft;
        case Quantity::kIndicatedAltitude: return flight.altitude_ft;
        case Quantity::kVerticalSpeed: return flight.vertical_speed_fpm;
        case Quantity::kHeadingMagnetic: return flight.heading_deg;
        case Quantity::kHeadingTrue: return flight.heading_deg;
        case Quantity::kHeightAboveGround: return flight.height_above_ground_ft;
        case Quantity::kGroundSpeed: return flight.ground_speed_kt;
        case Quantity::kAtcId: return 0.0;
    }
    return 0.0;
}

bool OwnIsListed(const Sky& sky) { return sky.scenario().own_listed && !sky.scenario().reduced_data; }

}  // namespace

std::vector<sim::TrafficId> NearestTraffic(const Sky& sky, double radius_nm, std::size_t max_count) {
    std::vector<sim::TrafficId> ids;
    if (!(radius_nm >= 0.0) || max_count == 0) return ids;
    if (OwnIsListed(sky)) ids.push_back(kOwnTrafficId);

    struct Candidate {
        double distance_nm;
        std::size_t index;
    };
    std::vector<Candidate> candidates;
    const GeoPoint own = PositionOf(sky.own());
    for (std::size_t i = 0; i < sky.traffic().size(); ++i) {
        const double distance_nm = GreatCircleDistanceNm(own, PositionOf(sky.traffic()[i]));
        if (distance_nm <= radius_nm) candidates.push_back(Candidate{distance_nm, i});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.distance_nm < b.distance_nm; });
    for (const Candidate& candidate : candidates) {
        ids.push_back(kFirstTrafficId + static_cast<sim::TrafficId>(candidate.index));
    }
    if (ids.size() > max_count) ids.resize(max_count);
    return ids;
}

const Flight* FindTraffic(const Sky& sky, sim::TrafficId id) {
    if (id == kOwnTrafficId) return &sky.own();
    if (id < kFirstTrafficId || id - kFirstTrafficId >= sky.traffic().size()) return nullptr;
    return &sky.traffic()[id - kFirstTrafficId];
}

sim::TrafficHandle TrafficInterface::GetVariableHandle(const char* name) {
    return HandleOf(name, kVariables, kFirstVariableHandle);
}

sim::TrafficHandle TrafficInterface::GetUnitsHandle(const char* name) {
    return HandleOf(name, kUnits, kFirstUnitHandle);
}

std::uint32_t TrafficInterface::GetTrafficInRadius(double radius_m, std::uint32_t max_count, sim::TrafficId* ids) {
    if (ids == nullptr || !(radius_m >= 0.0)) return 0;
    const std::vector<sim::TrafficId> nearest = NearestTraffic(sky_, radius_m / kMetresPerNauticalMile, max_count);
    std::copy(nearest.begin(), nearest.end(), ids);
    return static_cast<std::uint32_t>(nearest.size());
}

std::int32_t TrafficInterface::GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable,
                                               sim::TrafficHandle unit, double* result, std::uint32_t index) {
    const Flight* flight = FindTraffic(sky_, id);
    const VariableName* name = VariableOf(variable);
    const UnitName* unit_name = UnitOf(unit);
    if (result == nullptr || flight == nullptr || name == nullptr || unit_name == nullptr || index != 0 ||
        name->measure != unit_name->measure) {
        return 0;
    }
    *result = ValueOf(*flight, name->quantity);
    return 1;
}

std::int32_t TrafficInterface::GetStringValue(sim::TrafficId id, sim::TrafficHandle variable, char* buffer,
                                              std::uint32_t buffer_size, std::uint32_t index) {
    const Flight* flight = FindTraffic(sky_, id);
    const VariableName* name = VariableOf(variable);
    if (buffer == nullptr || buffer_size == 0 || flight == nullptr || name == nullptr ||
        name->measure != Measure::kText || index != 0) {
        return 0;
    }
    const std::size_t length = std::min<std::size_t>(flight->identifier.size(), buffer_size - 1);
    std::copy_n(flight->identifier.data(), length, buffer);
    buffer[length] = '\0';
    return 1;
}

std::uint32_t TrafficInterface::ReducedDataFlag() { return sky_.scenario().reduced_data ? 1u : 0u; }

const char* TrafficInterface::GetTrafficName(sim::TrafficId id) {
    const Flight* flight = FindTraffic(sky_, id);
    if (flight == nullptr) return "";
    const auto& traffic_name = sky_.scenario().traffic_name;
    return traffic_name ? traffic_name->c_str() : flight->identifier.c_str();
}

void* TrafficComponent::QueryInterface(const char* name) {
    if (HostName(name) != sim::kTrafficInterfaceName) return nullptr;
    return static_cast<sim::TrafficInfo*>(&traffic_);
}

}  // namespace panelhost
