#include "display/rendering_quality.h"

namespace display {

void ApplyRenderingQuality(GraphicsWrapper& graphics) {
    graphics.SetSmoothingMode(gdip::kSmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(gdip::kTextRenderingHintClearTypeGridFit);
}

}  // namespace display
