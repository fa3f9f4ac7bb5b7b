// The text under the gauges: the seven values the radar publishes for the
// selected target, as the panel holds them, and the state of the preview.
#pragma once

#include <string>
#include <vector>

#include "panel/named_variable_store.h"

namespace preview {

struct PreviewStatus {
    double time_s = 0.0;
    bool paused = false;
    double heading_deg = 0.0;
    std::string sky;  // "default scenario, 30 traffic aircraft, 8 network players"
};

// Three lines: Selected, Latitude, Longitude and Altitude; Distance, Speed
// and Vertical Speed; then the host time, the radar's inputs, the own
// heading and the sky. A value the panel does not hold yet reads "-".
std::vector<std::string> ReadoutLines(const panelhost::NamedVariableStore& variables, const PreviewStatus& status);

}  // namespace preview
