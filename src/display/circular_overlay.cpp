#include "display/circular_overlay.h"

#include "display/module_objects.h"
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

void SetAlignment(StringFormatWrapper* format, gdip::StringAlignment vertical, gdip::StringAlignment horizontal) {
    if (format == nullptr) return;
    format->SetLineAlign(vertical);
    format->SetAlign(horizontal);
}

}  // namespace

void DrawCircularOverlay(RadarScreen& screen) {
    CircularOverlay& overlay = Overlay();
    StringFormatWrapper* format = overlay.format.Get();
    if (screen.selected_visible == 0 || screen.graphics == nullptr || screen.traffic == nullptr) return;
    const traffic::RadarTarget* target =
        screen.traffic->Target(static_cast<std::uint32_t>(screen.selected_index));
    if (target == nullptr) return;

    GraphicsWrapper& graphics = *screen.graphics;
    const FontWrapper* font = screen.resources.large_font.get();
    const BrushWrapper* brush = screen.resources.bright_brush.get();

    SetAlignment(format, gdip::kAlignNear, gdip::kAlignCenter);
    FormatDistanceText(screen.selected_distance_nm, overlay.text);
    graphics.DrawTextAt(overlay.text, font, kCircularTextX, kCircularTopTextY, format, brush);

    if (format) format->SetLineAlign(gdip::kAlignFar);
    if (screen.mode == kModeAltitude) {
        FormatSpeedText(target->ground_speed_kt, overlay.text);
    } else {
        FormatAltitudeText(target->altitude_ft, overlay.text);
    }
    graphics.DrawTextAt(overlay.text, font, kCircularTextX, kCircularBottomTextY, format, brush);
}

}  // namespace display
