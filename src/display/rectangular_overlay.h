// The rectangular gauges' overlay: six readouts about the selected target
// in the four corners of the screen, the same in every display mode.
#pragma once

#include "display/radar_screen.h"

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

void DrawRectangularOverlay(RadarScreen& screen);

// The overlay's format and text buffers shared by every gauge, as at load;
// the module-wide objects must have been released first. For a reset of the
// module's shared state.
void ResetRectangularOverlay();

}  // namespace display
