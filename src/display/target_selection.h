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

// A drawn frame starts with no symbol on the screen.
void ForgetDrawnSymbols(RadarScreen& screen);

// Clears the selection, then selects the first target (in list order) whose
// symbol the last drawn frame drew and the click hits. Nothing happens
// before the first frame gave the screen a scale. A click that selects
// another aircraft forgets the distance captured for the one before.
void SelectTargetAt(RadarScreen& screen, std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin);

}  // namespace display
