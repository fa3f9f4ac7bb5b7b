// The frame every display draws inside: a graphics container with the
// world origin moved to the display's own origin and the rendering quality
// set; closing it restores the surface and hands over to the overlay.
#pragma once

#include "display/gdiplus_wrappers.h"
#include "display/radar_screen.h"

namespace display {

gdip::GraphicsContainer BeginDisplayFrame(GraphicsWrapper& graphics, float origin_x, float origin_y);

// Ends the container, sets the rendering quality again and draws the overlay.
void EndDisplayFrame(GraphicsWrapper& graphics, gdip::GraphicsContainer container, const OverlayCall& overlay);

}  // namespace display
