// The host's traffic component: the "ITrafficInfo" interface, answered from
// the simulated sky, and the registered object that hands it out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/host_abi.h"
#include "sky/sky.h"

namespace panelhost {

// Traffic identifiers: the own aircraft, then the scenario's traffic in order.
constexpr sim::TrafficId kOwnTrafficId = 1;
constexpr sim::TrafficId kFirstTrafficId = 100;

// Handles are small numbers in two ranges, so that a unit handle passed as a
// variable (or the reverse) finds nothing. 0 is no handle.
constexpr sim::TrafficHandle kFirstVariableHandle = 0x101;
constexpr sim::TrafficHandle kFirstUnitHandle = 0x201;

// The aircraft a traffic query within this radius answers, nearest first,
// at most `max_count`: in full-data mode the own aircraft first (when the
// scenario lists it), then the scenario's traffic by great-circle distance
// from the own aircraft; ties keep the scenario's order.
std::vector<sim::TrafficId> NearestTraffic(const Sky& sky, double radius_nm, std::size_t max_count);

// The flight a traffic identifier names, or null.
const Flight* FindTraffic(const Sky& sky, sim::TrafficId id);

class TrafficInterface final : public sim::TrafficInfo {
public:
    explicit TrafficInterface(const Sky& sky) : sky_(sky) {}

    // The handle of a variable or unit name, 0 for an unknown name.
    sim::TrafficHandle HOST_METHOD GetVariableHandle(const char* name) override;
    sim::TrafficHandle HOST_METHOD GetUnitsHandle(const char* name) override;
    // Writes the identifiers of NearestTraffic (radius in metres) and returns
    // their number; nothing for a radius that is negative or not a number.
    std::uint32_t HOST_METHOD GetTrafficInRadius(double radius_m, std::uint32_t max_count,
                                               sim::TrafficId* ids) override;
    // Writes the value in the unit asked for and returns 1. An unknown
    // aircraft, variable or unit, a unit of another kind, a string variable
    // or an index other than 0 leave the result alone and return 0.
    std::int32_t HOST_METHOD GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable, sim::TrafficHandle unit,
                                           double* result, std::uint32_t index) override;
    // Copies "ATC ID" into the buffer, cut to fit, always terminated, at most
    // buffer_size bytes; returns 1. Anything else leaves the buffer alone and returns 0.
    std::int32_t HOST_METHOD GetStringValue(sim::TrafficId id, sim::TrafficHandle variable, char* buffer,
                                          std::uint32_t buffer_size, std::uint32_t index) override;
    std::uint32_t HOST_METHOD ReducedDataFlag() override;
    // The scenario's traffic name, else the aircraft's identifier; "" for an
    // unknown aircraft. Valid until the sky moves on.
    const char* HOST_METHOD GetTrafficName(sim::TrafficId id) override;

private:
    const Sky& sky_;
};

// The registered object: QueryInterface("ITrafficInfo") hands out the
// traffic interface, any other name null.
class TrafficComponent final : public sim::RegisteredInterface {
public:
    explicit TrafficComponent(TrafficInterface& traffic) : traffic_(traffic) {}

    void* HOST_METHOD QueryInterface(const char* name) override;

private:
    TrafficInterface& traffic_;
};

}  // namespace panelhost
