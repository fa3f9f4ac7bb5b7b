#include "display/circular_overlay.h"

#include "display/overlay_readout.h"
#include "display/target_pass.h"

namespace display {

void DrawCircularOverlay(const RadarScreen& screen, CircularOverlayText& overlay, ModuleObjects& objects) {
    StringFormatWrapper* format = &objects.circular_overlay_format.Get();
    const traffic::RadarTarget* target = SelectedTargetOnScreen(screen);
    if (target == nullptr) return;

    SetLineAlign(format, gdip::kAlignNear);
    SetAlign(format, gdip::kAlignCenter);
    FormatDistanceText(screen.selection.distance_nm(), overlay.text);
    DrawReadout(screen, overlay.text, kCircularTextX, kCircularTopTextY, format);

    SetLineAlign(format, gdip::kAlignFar);
    if (screen.mode == kModeAltitude) {
        FormatSpeedText(target->ground_speed_kt, overlay.text);
    } else {
        FormatAltitudeText(target->altitude_ft, overlay.text);
    }
    DrawReadout(screen, overlay.text, kCircularTextX, kCircularBottomTextY, format);
}

}  // namespace display
