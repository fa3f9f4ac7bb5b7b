#include "display/rectangular_overlay.h"

#include "display/overlay_readout.h"
#include "display/target_pass.h"

namespace display {

const char16_t* DrawableIdentifier(const traffic::RadarTarget& target,
                                   char16_t (&cut)[traffic::kWideIdentifierChars]) {
    for (const char16_t character : target.wide_identifier)
        if (character == u'\0') return target.wide_identifier;
    constexpr int kLast = traffic::kWideIdentifierChars - 1;
    for (int k = 0; k < kLast; ++k) cut[k] = target.wide_identifier[k];
    cut[kLast] = u'\0';
    return cut;
}

void DrawRectangularOverlay(const RadarScreen& screen, RectangularOverlayText& overlay, ModuleObjects& objects) {
    StringFormatWrapper* format = &objects.rectangular_overlay_format.Get();
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
    FormatBearingText(screen.selection.bearing_deg(), overlay.text);
    DrawReadout(screen, overlay.text, kRectangularRightX, kRectangularTopY, format);
    FormatDistanceText(screen.selection.distance_nm(), overlay.text);
    DrawReadout(screen, overlay.text, kRectangularRightX, second_line_y, format);

    // Bottom left: the identifier; bottom right: the ground speed.
    SetLineAlign(format, gdip::kAlignFar);
    SetAlign(format, gdip::kAlignNear);
    DrawReadout(screen, DrawableIdentifier(*target, overlay.cut_identifier), kRectangularLeftX, kRectangularBottomY,
                format);
    if (screen.traffic.ReducedDataFlag() != 0) {
        FormatText(overlay.text, kOverlayTextChars, "---KTS");
    } else {
        FormatSpeedText(target->ground_speed_kt, overlay.text);
    }
    SetAlign(format, gdip::kAlignFar);
    DrawReadout(screen, overlay.text, kRectangularRightX, kRectangularBottomY, format);
}

}  // namespace display
