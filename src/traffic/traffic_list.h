// The fixed list of radar targets of one gauge object, rebuilt from the
// host's traffic interface and the network-player table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host_abi.h"
#include "platform/host_services.h"
#include "platform/loaded_module.h"
#include "traffic/net_player_table.h"
#include "traffic/radar_target.h"

namespace traffic {

constexpr std::uint32_t kMaxTrafficTargets = 100;
constexpr std::uint32_t kMaxNetPlayers = 256;
constexpr std::uint32_t kMaxTargets = kMaxTrafficTargets + kMaxNetPlayers;  // 356

// The traffic interface's variables, by the slot that holds each handle.
enum TrafficVariable : std::uint32_t {
    kPlaneLatitude,
    kPlaneLongitude,
    kPlaneAltitude,
    kIndicatedAltitude,
    kVelocityWorldY,
    kPlaneHeadingMagnetic,
    kPlaneHeadingTrue,
    kPlaneAltAboveGround,
    kGroundVelocity,
    kAtcId,
    kTrafficVariableCount
};

// The traffic interface's units, by the slot that holds each handle.
enum TrafficUnit : std::uint32_t {
    kUnitDegrees,
    kUnitFeet,
    kUnitFeetPerMinute,
    kUnitKnots,
    kTrafficUnitCount
};

// The host time record the periodic rebuilds of every gauge's list read:
// one for the module.
struct RefreshClock {
    platform::TokenVariable host_time = platform::MakeModuleVariable(sim::kTokenHostTime);
};

class TrafficList {
public:
    // Clears every record's last paint time and binds the traffic interface.
    // The clock and the search for the network-player module are the
    // module's, shared with every other list.
    TrafficList(RefreshClock& clock, platform::ModuleSearchMemo& net_module_search);

    TrafficList(const TrafficList&) = delete;
    TrafficList& operator=(const TrafficList&) = delete;

    // The record at index i for i < kMaxTargets, else null.
    RadarTarget* Target(std::uint32_t index) { return index < kMaxTargets ? &records_[index] : nullptr; }
    const RadarTarget* Target(std::uint32_t index) const { return index < kMaxTargets ? &records_[index] : nullptr; }

    std::uint32_t Count() const { return count_; }

    // The traffic interface's flag when there is an interface, else 0.
    std::uint32_t ReducedDataFlag() const;

    // First index the displays, overlays and the hit test use: 0 with the
    // reduced-data flag set, otherwise 1.
    std::uint32_t FirstShownIndex() const { return ReducedDataFlag() != 0 ? 0u : 1u; }

    // Stores a changed range and rebuilds the list at once.
    void SetRange(float range_nm);
    double range_nm() const { return range_nm_; }

    // Full rebuild from both sources.
    void Refresh();

    // Rebuild at most once per host second of this list's own clock, so
    // that the lists of several gauges each keep up with the traffic.
    void PeriodicRefresh();

    bool has_traffic_interface() const { return traffic_ != nullptr; }

private:
    void Bind();
    std::uint32_t RefreshFromTrafficInterface();
    void ReadTrafficTarget(sim::TrafficId id, RadarTarget& target);
    double NumericValue(sim::TrafficId id, TrafficVariable variable, TrafficUnit unit);

    RefreshClock& clock_;
    platform::ModuleSearchMemo& net_module_search_;
    double range_nm_ = 0.0;
    sim::TrafficInfo* traffic_ = nullptr;
    sim::TrafficHandle variables_[kTrafficVariableCount] = {};
    sim::TrafficHandle units_[kTrafficUnitCount] = {};
    sim::TrafficId traffic_ids_[kMaxTargets] = {};  // the query fills at most kMaxTrafficTargets
    std::uint32_t count_ = 0;
    double last_refresh_time_ = 0.0;  // host seconds of the last periodic rebuild
    RadarTarget records_[kMaxTargets];
    NetPlayerSource net_source_;
    void* net_table_ = nullptr;
};

}  // namespace traffic
