// The rectangular gauges' overlay: six readouts about the selected target
// in the four corners of the screen, the same in every display mode.
#pragma once

#include "display/module_objects.h"
#include "display/radar_screen.h"
#include "display/text_format.h"

namespace display {

constexpr float kRectangularLeftX = 0.0f;
constexpr float kRectangularRightX = 1000.0f;
constexpr float kRectangularTopY = 0.0f;
constexpr float kRectangularBottomY = 1000.0f;

// The identifier as it is drawn: the record's own wide text when it ends
// within its 51 characters; otherwise a copy of its first 50, terminated in
// `cut`, so that drawing never reads past the record's field.
const char16_t* DrawableIdentifier(const traffic::RadarTarget& target,
                                   char16_t (&cut)[traffic::kWideIdentifierChars]);

// The text buffers every rectangular gauge's overlay formats into.
struct RectangularOverlayText {
    char16_t text[kOverlayTextChars] = {};
    char16_t cut_identifier[traffic::kWideIdentifierChars] = {};
};

// The format is the module's one rectangular overlay format; each call sets
// both its alignments first.
void DrawRectangularOverlay(const RadarScreen& screen, RectangularOverlayText& buffers, ModuleObjects& objects);

}  // namespace display
