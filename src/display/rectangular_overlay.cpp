#include "display/rectangular_overlay.h"

#include "display/module_objects.h"
#include "display/overlay_readout.h"
#include "display/target_pass.h"
#include "display/text_format.h"

namespace display {
namespace {

// Shared by every rectangular gauge; each call sets both alignments first.
struct RectangularOverlay {
    ModuleObject<StringFormatWrapper> format;
    char16_t text[kOverlayTextChars] = {};
    char16_t cut_identifier[traffic::kWideIdentifierChars] = {};
};

RectangularOverlay& Overlay() {
    static RectangularOverlay overlay;
    return overlay;
}

}  // namespace

const char16_t* DrawableIdentifier(const traffic::RadarTarget& target,
                                   char16_t (&cut)[traffic::kWideIdentifierChars]) {
    for (const char16_t character : target.wide_identifier)
        if (character == u'\0') return target.wide_identifier;
    constexpr int kLast = traffic::kWideIdentifierChars - 1;
    for (int k = 0; k < kLast; ++k) cut[k] = target.wide_identifier[k];
    cut[kLast] = u'\0';
    return cut;
}

void DrawRectangularOverlay(RadarScreen& screen) {
    RectangularOverlay& overlay = Overlay();
    StringFormatWrapper* format = overlay.format.Get();
    const traffic::RadarTarget* target = SelectedTargetOnScreen(screen);
    if (target == nullptr) return;

    const float second_line_y = kRectangularTopY + screen.resources.line_height;

    // Top left: vertical speed over altitude.
    FormatVerticalSpeedText(target->vertical_speed_fpm, overlay.text);
    SetLineAlign(format, gdip::kAlignNear);
    SetAlign(format, gdip::kAlignNear);
    DrawReadout(screen, overlay.text, kRectangularLeftX, kRectangularTopY, format);
    FormatAltitudeText(target->altitude_ft, overlay.text);
    DrawReadout(screen, overlay.text, kRectangularLeftX, second_line_y, format);

    // Top right: bearing over distance.
    SetAlign(format, gdip::kAlignFar);
    FormatBearingText(screen.selected_bearing_deg, overlay.text);
    DrawReadout(screen, overlay.text, kRectangularRightX, kRectangularTopY, format);
    FormatDistanceText(screen.selected_distance_nm, overlay.text);
    DrawReadout(screen, overlay.text, kRectangularRightX, second_line_y, format);

    // Bottom left: the identifier; bottom right: the ground speed.
    SetLineAlign(format, gdip::kAlignFar);
    SetAlign(format, gdip::kAlignNear);
    DrawReadout(screen, DrawableIdentifier(*target, overlay.cut_identifier), kRectangularLeftX, kRectangularBottomY,
                format);
    if (screen.traffic->ReducedDataFlag() != 0) {
        FormatText(overlay.text, kOverlayTextChars, "---KTS");
    } else {
        FormatSpeedText(target->ground_speed_kt, overlay.text);
    }
    SetAlign(format, gdip::kAlignFar);
    DrawReadout(screen, overlay.text, kRectangularRightX, kRectangularBottomY, format);
}

void ResetRectangularOverlay() { RenewModuleRecord(Overlay()); }

}  // namespace display
