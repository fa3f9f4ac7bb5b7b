// Selecting a target by clicking on its symbol.
#pragma once

#include <cstdint>

#include "display/radar_screen.h"

namespace display {

constexpr float kHitHalfSize = 20.0f;  // strictly within 20 units on both axes

struct DisplayOrigin {
    float x;
    float y;
};

// The origin of the display of a mode (plan and altitude: the centre;
// sector: the apex at the bottom). False for a mode that draws nothing.
bool DisplayOriginOf(std::int32_t mode, DisplayOrigin& origin);

// A click at (vx, vy), display-origin relative, hits the symbol at `symbol`.
bool HitsSymbol(float vx, float vy, ScreenPosition symbol);

// Clears the selection, then selects the first target (in list order) whose
// last drawn symbol the click hits. Nothing happens before the first frame
// gave the screen a scale.
void SelectTargetAt(RadarScreen& screen, std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin);

}  // namespace display
