// The rendering quality every display sets on its surface: anti-aliased
// lines and ClearType grid-fitted text.
#pragma once

#include "display/gdiplus_wrappers.h"

namespace display {

void ApplyRenderingQuality(GraphicsWrapper& graphics);

}  // namespace display
