#include "display/circular_overlay.h"

#include "display/module_objects.h"
#include "display/overlay_readout.h"
#include "display/target_pass.h"
#include "display/text_format.h"

namespace display {
namespace {

// Shared by every circular gauge; each call sets both alignments first.
struct CircularOverlay {
    ModuleObject<StringFormatWrapper> format;
    char16_t text[kOverlayTextChars] = {};
};

CircularOverlay& Overlay() {
    static CircularOverlay overlay;
    return overlay;
}

}  // namespace

void DrawCircularOverlay(RadarScreen& screen) {
    CircularOverlay& overlay = Overlay();
    StringFormatWrapper* format = overlay.format.Get();
    const traffic::RadarTarget* target = SelectedTargetOnScreen(screen);
    if (target == nullptr) return;

    SetLineAlign(format, gdip::kAlignNear);
    SetAlign(format, gdip::kAlignCenter);
    FormatDistanceText(screen.selected_distance_nm, overlay.text);
    DrawReadout(screen, overlay.text, kCircularTextX, kCircularTopTextY, format);

    SetLineAlign(format, gdip::kAlignFar);
    if (screen.mode == kModeAltitude) {
        FormatSpeedText(target->ground_speed_kt, overlay.text);
    } else {
        FormatAltitudeText(target->altitude_ft, overlay.text);
    }
    DrawReadout(screen, overlay.text, kCircularTextX, kCircularBottomTextY, format);
}

void ResetCircularOverlay() { RenewModuleRecord(Overlay()); }

}  // namespace display
