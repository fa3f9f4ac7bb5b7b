// The named-variable exchange of a gauge object with the rest of the panel.
#include "gauge/named_variables.h"

#include <cmath>

#include "display/float_conversion.h"
#include "gauge/radar_gauge.h"
#include "platform/host_services.h"
#include "traffic/numeric.h"

namespace gauge {
namespace {

constexpr double kSmallestRange_nm = 5.0;
constexpr double kNoValue = -1.0;

constexpr const char* kOutputNames[kOutputCount] = {
    "Radar Target Selected", "Radar Target Latitude",  "Radar Target Longitude",     "Radar Target Altitude",
    "Radar Target Distance", "Radar Target Speed",     "Radar Target Vertical Speed",
};

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

// A value that is not known is published as "no value".
void Publish(const NamedVariables& variables, const double (&values)[kOutputCount]) {
    for (int output = 0; output < kOutputCount; ++output) {
        const double value = values[output];
        platform::SetNamedVariableValue(variables.output_ids[output], traffic::IsKnown(value) ? value : kNoValue);
    }
}

}  // namespace

void RadarGauge::UpdateNamedVariables() {
    NamedVariables& variables = shared_.named_variables;
    if (!variables.registered) {
        RegisterAll(variables, screen_.mode, screen_.range_nm);
        return;
    }

    // Smaller ranges (0 from an unset variable included), and values that
    // are not numbers, are ignored.
    const double range_value = platform::GetNamedVariableValue(variables.range_id);
    if (traffic::IsKnown(range_value) && range_value >= kSmallestRange_nm) {
        screen_.range_nm = display::SaturatingFloat(range_value);
        traffic_list_->SetRange(screen_.range_nm);
    }

    // Any value but 0 is taken; modes without a display draw nothing.
    const std::int32_t mode_value = traffic::SaturatingTruncate(platform::GetNamedVariableValue(variables.mode_id));
    if (mode_value != 0) screen_.mode = mode_value;

    if (variables.outputs_owner == nullptr) variables.outputs_owner = this;
    if (variables.outputs_owner != this) return;

    display::Selection& selection = screen_.selection;
    if (selection.empty()) {
        Publish(variables, {0.0, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue});
        return;
    }
    const traffic::RadarTarget* target = selection.Follow(*traffic_list_);
    if (target != nullptr) {
        // Until a drawn frame has measured the aircraft selected now, its
        // distance is not known: the one held was another aircraft's.
        const double distance_nm = selection.distance_captured() ? selection.distance_nm() : kNoValue;
        Publish(variables, {1.0, target->latitude_deg, target->longitude_deg, target->altitude_ft, distance_nm,
                            target->ground_speed_kt, target->vertical_speed_fpm});
    } else {
        // The pilot's selection stands and is found again when the target
        // comes back; until then no record speaks for it.
        Publish(variables, {1.0, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue, kNoValue});
    }
}

void RadarGauge::ClaimNamedVariableOutputs() { shared_.named_variables.outputs_owner = this; }

void RadarGauge::ReleaseNamedVariableOutputs() {
    NamedVariables& variables = shared_.named_variables;
    if (variables.outputs_owner == this) variables.outputs_owner = nullptr;
}

}  // namespace gauge
