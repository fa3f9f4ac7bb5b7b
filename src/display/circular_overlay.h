// The circular gauges' overlay: the selected target's distance at the top
// edge and, at the bottom edge, its altitude (its ground speed in the
// altitude display).
#pragma once

#include "display/radar_screen.h"

namespace display {

constexpr float kCircularTopTextY = 40.0f;
constexpr float kCircularBottomTextY = 960.0f;
constexpr float kCircularTextX = 500.0f;

void DrawCircularOverlay(RadarScreen& screen);

// The overlay's format and text buffers shared by every gauge, as at load;
// the module-wide objects must have been released first. For a reset of the
// module's shared state.
void ResetCircularOverlay();

}  // namespace display
