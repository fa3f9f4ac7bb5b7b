// The readouts the overlays write about the selected target: each text in
// the large font with the bright brush, placed at a point by the overlay's
// format.
#pragma once

#include "display/gdiplus_wrappers.h"
#include "display/radar_screen.h"

namespace display {

void DrawReadout(const RadarScreen& screen, const char16_t* text, float x, float y, const StringFormatWrapper* format);

}  // namespace display
