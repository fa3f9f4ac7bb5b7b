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
    // A click means what is on the screen: the display the last drawn frame
    // drew, whatever the mode has become since. A frame that drew no display
    // (or no frame yet) offers nothing to click.
    display::DisplayOrigin origin{};
    if (!screen_.selection.DrawnDisplayOrigin(origin)) return;
    // The gauge the pilot clicked publishes the selection, also a cleared one.
    ClaimNamedVariableOutputs();
    SelectTargetAt(point, origin.x, origin.y);
}

void RadarGauge::SelectTargetAt(const sim::ClickPoint& point, float origin_x, float origin_y) {
    screen_.selection.ClickAt(point.x, point.y, display::DisplayOrigin{origin_x, origin_y});
}

}  // namespace gauge
