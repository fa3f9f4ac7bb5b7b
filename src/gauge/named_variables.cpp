// The named-variable exchange with the rest of the panel: "Radar Mode" and
// "Radar Range" come in, the selected target's data go out.
//
// The identifiers belong to the module, not to one gauge object: the first
// call in the module finds the inputs (registering those that no gauge has
// made yet) and registers the outputs, and every gauge object exchanges
// through those same identifiers. Every gauge reads the inputs; the outputs
// are written by one gauge object at a time, so that a gauge without a
// selection does not overwrite the one the pilot clicked.
#include <cmath>

#include "display/float_conversion.h"
#include "display/target_pass.h"
#include "gauge/radar_gauge.h"
#include "platform/host_services.h"
#include "traffic/numeric.h"

namespace gauge {
namespace {

constexpr double kSmallestRange_nm = 5.0;
constexpr double kNoValue = -1.0;

enum Output { kSelected, kLatitude, kLongitude, kAltitude, kDistance, kSpeed, kVerticalSpeed, kOutputCount };

constexpr const char* kOutputNames[kOutputCount] = {
    "Radar Target Selected", "Radar Target Latitude",  "Radar Target Longitude",     "Radar Target Altitude",
    "Radar Target Distance", "Radar Target Speed",     "Radar Target Vertical Speed",
};

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

NamedVariables& Variables() {
    static NamedVariables variables;
    return variables;
}

// An input as the panel's control gauge made it, or, while no gauge has made
// it yet (the gauges of a panel load in any order), made here: the control
// gauge then finds it and writes into the same variable.
std::int32_t BindInput(const char* name) {
    const std::int32_t id = platform::CheckNamedVariable(name);
    return id >= 0 ? id : platform::RegisterNamedVariable(name);
}

// The inputs start from the first gauge's defaults; a panel that writes
// them takes over.
void RegisterAll(NamedVariables& variables, std::int32_t mode, float range_nm) {
    variables.mode_id = BindInput("Radar Mode");
    platform::SetNamedVariableValue(variables.mode_id, mode);
    variables.range_id = BindInput("Radar Range");
    platform::SetNamedVariableValue(variables.range_id, range_nm);
    for (int output = 0; output < kOutputCount; ++output)
        variables.output_ids[output] = platform::RegisterNamedVariable(kOutputNames[output]);
    variables.registered = true;
}

// The shown record at this index when it carries the selected identifier.
const traffic::RadarTarget* SelectedAt(const display::RadarScreen& screen, std::int64_t index) {
    const traffic::TrafficList& list = *screen.traffic;
    if (index < list.FirstShownIndex() || !display::InPass(list, static_cast<std::uint32_t>(index))) return nullptr;
    const traffic::RadarTarget* target = list.Target(static_cast<std::uint32_t>(index));
    return target != nullptr && display::IsSelectedTarget(screen, *target) ? target : nullptr;
}

// A rebuild may have moved the selected target to another slot, or put
// another aircraft in its old one: the record published is the one that
// carries the selected identifier, and the selected index follows it there
// as the next drawn frame would. Null when no shown record carries it.
const traffic::RadarTarget* FollowSelectedTarget(display::RadarScreen& screen) {
    if (screen.traffic == nullptr) return nullptr;
    if (const traffic::RadarTarget* target = SelectedAt(screen, screen.selected_index)) return target;
    const traffic::TrafficList& list = *screen.traffic;
    for (std::uint32_t index = list.FirstShownIndex(); display::InPass(list, index); ++index) {
        if (const traffic::RadarTarget* target = SelectedAt(screen, index)) {
            screen.selected_index = static_cast<std::int32_t>(index);
            return target;
        }
    }
    return nullptr;
}

void Publish(const NamedVariables& variables, const double (&values)[kOutputCount]) {
    for (int output = 0; output < kOutputCount; ++output)
        platform::SetNamedVariableValue(variables.output_ids[output], values[output]);
}

}  // namespace

void RadarGauge::UpdateNamedVariables() {
    NamedVariables& variables = Variables();
    if (!variables.registered) {
        RegisterAll(variables, mode, range_nm);
        return;
    }

    // Smaller ranges (0 from an unset variable included) are ignored.
    const double range_value = platform::GetNamedVariableValue(variables.range_id);
    if (range_value >= kSmallestRange_nm) {
        range_nm = display::SaturatingFloat(range_value);
        if (traffic) traffic->SetRange(range_nm);
    }

    // Any value but 0 is taken; modes without a display draw nothing.
    const std::int32_t mode_value = traffic::SaturatingTruncate(platform::GetNamedVariableValue(variables.mode_id));
    if (mode_value != 0) mode = mode_value;

    if (variables.outputs_owner == nullptr) variables.outputs_owner = this;
    if (variables.outputs_owner != this) return;

    if (selected_identifier[0] == '\0') {
        Publish(variables, {0.0, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue});
        return;
    }
    const traffic::RadarTarget* target = FollowSelectedTarget(*this);
    if (target != nullptr) {
        // Until a drawn frame has measured the aircraft selected now, its
        // distance is not known: the one held was another aircraft's.
        const double distance_nm = selected_distance_captured ? selected_distance_nm : kNoValue;
        Publish(variables, {1.0, target->latitude_deg, target->longitude_deg, target->altitude_ft, distance_nm,
                            target->ground_speed_kt, target->vertical_speed_fpm});
    } else {
        // The pilot's selection stands and is found again when the target
        // comes back; until then no record speaks for it.
        Publish(variables, {1.0, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue});
    }
}

void RadarGauge::ClaimNamedVariableOutputs() { Variables().outputs_owner = this; }

void RadarGauge::ReleaseNamedVariableOutputs() {
    NamedVariables& variables = Variables();
    if (variables.outputs_owner == this) variables.outputs_owner = nullptr;
}

void ResetNamedVariables() { Variables() = NamedVariables{}; }

}  // namespace gauge
