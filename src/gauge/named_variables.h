// The named variables the gauges exchange with the rest of the panel:
// "Radar Mode" and "Radar Range" come in, the selected target's data go out.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"

namespace gauge {

class RadarGauge;

enum NamedOutput { kSelected, kLatitude, kLongitude, kAltitude, kDistance, kSpeed, kVerticalSpeed, kOutputCount };

// The identifiers belong to the module, not to one gauge object: the first
// exchange in the module finds the inputs (registering those that no gauge
// has made yet) and registers the outputs, and every gauge object exchanges
// through those same identifiers. Every gauge reads the inputs; the outputs
// are written by one gauge object at a time, so that a gauge without a
// selection does not overwrite the one the pilot clicked.
struct NamedVariables {
    bool registered = false;
    std::int32_t mode_id = sim::kNoNamedVariable;
    std::int32_t range_id = sim::kNoNamedVariable;
    std::int32_t output_ids[kOutputCount] = {sim::kNoNamedVariable, sim::kNoNamedVariable, sim::kNoNamedVariable,
                                             sim::kNoNamedVariable, sim::kNoNamedVariable, sim::kNoNamedVariable,
                                             sim::kNoNamedVariable};
    // The gauge object that publishes the outputs; null until one takes them
    // and again when the holder is destroyed.
    const RadarGauge* outputs_owner = nullptr;
};

}  // namespace gauge
