// The gauge's display operations: its scheme, the three displays, its
// overlay and the click selection, each forwarded to the display code.
#include "display/altitude_display.h"
#include "display/circular_overlay.h"
#include "display/plan_display.h"
#include "display/rectangular_overlay.h"
#include "display/sector_display.h"
#include "display/target_selection.h"
#include "gauge/radar_gauge.h"

namespace gauge {

void RadarGauge::CreateDrawResources() { display::CreateGreenScheme(resources); }
void AmberRadarGauge::CreateDrawResources() { display::CreateAmberScheme(resources); }
void AmberCircularRadarGauge::CreateDrawResources() { display::CreateAmberScheme(resources); }

void RadarGauge::DrawPlan() { display::DrawPlan(*this, Overlay()); }
void RadarGauge::DrawSector() { display::DrawSector(*this, Overlay()); }
void RadarGauge::DrawAltitude() { display::DrawAltitude(*this, Overlay()); }

void RadarGauge::DrawOverlay() { display::DrawRectangularOverlay(*this); }
void CircularRadarGauge::DrawOverlay() { display::DrawCircularOverlay(*this); }

void RadarGauge::OnMouseClick(const sim::ClickPoint& point) {
    display::DisplayOrigin origin{};
    if (!display::DisplayOriginOf(mode, origin)) return;
    // The gauge the pilot clicked publishes the selection, also a cleared one.
    ClaimNamedVariableOutputs();
    SelectTargetAt(point, origin.x, origin.y);
}

void RadarGauge::SelectTargetAt(const sim::ClickPoint& point, float origin_x, float origin_y) {
    display::SelectTargetAt(*this, point.x, point.y, display::DisplayOrigin{origin_x, origin_y});
}

}  // namespace gauge
