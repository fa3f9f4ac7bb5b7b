// A panel host for the fuzzers: a HostPanels table written into the
// module's ImportTable once per process, whose answers come from the
// harness's settings and, when it is hostile, from the fuzzer's input at
// each call. Nothing in it grows from one input to the next.
#pragma once

#include <cstdint>

#include <fuzzer/FuzzedDataProvider.h>

#include "platform/host_abi.h"

namespace fuzzsupport {

// The module variables the host serves, in the host's units.
struct HostVariables {
    double latitude_units = 0.0;
    double longitude_units = 0.0;
    double altitude_m = 3048.0;
    double heading_deg = 0.0;
    double time_s = 1.0;
};

// Identifiers the host hands out, as the simulator does from 0: 0 "Radar
// Mode", 1 "Radar Range", then the outputs; -1 for a name it does not know.
// Names compare without regard to case.
constexpr std::int32_t kModeId = 0;
constexpr std::int32_t kRangeId = 1;
constexpr int kNamedVariableSlots = 16;

struct FuzzHost {
    HostVariables variables;
    double named_values[kNamedVariableSlots] = {};

    // Hostile answers, each drawn from the input at the call.
    bool hostile_lookups = false;       // every module variable look-up
    bool hostile_named_values = false;  // every named-variable read
    // The ids of a hostile host: check finds nothing (no gauge made the
    // inputs yet), register answers -1 for "Radar Target Speed" and an id
    // it never issued for "Radar Target Altitude". The module binds its ids
    // once per process, in the warm-up, which sets this.
    bool stray_named_ids = false;
    FuzzedDataProvider* input = nullptr;

    // What GetRegisteredInterface("ITrafficInfo") answers.
    sim::RegisteredInterface* registered = nullptr;

    // The table itself, e.g. to empty an entry for one input.
    sim::HostPanels table{};

    void SetMode(double mode) { named_values[kModeId] = mode; }
    void SetRange(double range_nm) { named_values[kRangeId] = range_nm; }

    // Back to the start of an input: sane variables, every named value 0
    // (unset: a gauge keeps its own mode and range until the input sets
    // them, whatever an input before it left), no hostility, every entry
    // filled, no interface.
    void Reset();
};

// The one host of the process, installed into ImportTable on first use.
FuzzHost& Host();

// Host units of a position in degrees (the module's conversions inverted).
double LatitudeUnits(double latitude_deg);
double LongitudeUnits(double longitude_deg);

// The own ship in degrees, as the module converts the host's units.
double OwnLatitudeDeg(const HostVariables& variables);
double OwnLongitudeDeg(const HostVariables& variables);

}  // namespace fuzzsupport
