// The named-variable exchange with the rest of the panel. Filled in later.
#include "gauge/radar_gauge.h"

namespace gauge {

void RadarGauge::UpdateNamedVariables() {}

}  // namespace gauge
