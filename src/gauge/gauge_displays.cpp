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

void RadarGauge::CreateDrawResources() {
    display::CreateGreenScheme(screen_.resources, shared_.gdiplus_objects.generic_family);
}
void AmberRadarGauge::CreateDrawResources() {
    display::CreateAmberScheme(resources(), shared().gdiplus_objects.generic_family);
}
void AmberCircularRadarGauge::CreateDrawResources() {
    display::CreateAmberScheme(resources(), shared().gdiplus_objects.generic_family);
}

void RadarGauge::DrawPlan() {
    display::DrawPlan(screen_, shared_.plan_sweep, shared_.gdiplus_objects, shared_.own_ship, Overlay());
}
void RadarGauge::DrawSector() {
    display::DrawSector(screen_, shared_.sector_sweep, shared_.gdiplus_objects, shared_.own_ship, Overlay());
}
void RadarGauge::DrawAltitude() { display::DrawAltitude(screen_, shared_.altitude_sweep, shared_.own_ship, Overlay()); }

void RadarGauge::DrawOverlay() {
    display::DrawRectangularOverlay(screen_, shared_.rectangular_overlay, shared_.gdiplus_objects);
}
void CircularRadarGauge::DrawOverlay() {
    display::DrawCircularOverlay(screen(), shared().circular_overlay, shared().gdiplus_objects);
}

void RadarGauge::OnMouseClick(const sim::ClickPoint& point) {
    display::DisplayOrigin origin{};
    if (!display::DisplayOriginOf(screen_.mode, origin)) return;
    // The gauge the pilot clicked publishes the selection, also a cleared one.
    ClaimNamedVariableOutputs();
    SelectTargetAt(point, origin.x, origin.y);
}

void RadarGauge::SelectTargetAt(const sim::ClickPoint& point, float origin_x, float origin_y) {
    display::SelectTargetAt(screen_.selection, screen_.traffic, screen_.scale_x, screen_.scale_y, point.x, point.y,
                            display::DisplayOrigin{origin_x, origin_y});
}

}  // namespace gauge
