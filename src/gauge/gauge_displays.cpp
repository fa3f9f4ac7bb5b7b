// The gauge's display operations. Filled in with the displays.
#include "gauge/radar_gauge.h"

namespace gauge {

void RadarGauge::CreateDrawResources() {}
void AmberRadarGauge::CreateDrawResources() {}
void AmberCircularRadarGauge::CreateDrawResources() {}
void RadarGauge::DrawPlan() {}
void RadarGauge::DrawSector() {}
void RadarGauge::DrawAltitude() {}
void RadarGauge::DrawOverlay() {}
void CircularRadarGauge::DrawOverlay() {}
void RadarGauge::OnMouseClick(const host::ClickPoint&) {}
void RadarGauge::SelectTargetAt(const host::ClickPoint&, float, float) {}

}  // namespace gauge
