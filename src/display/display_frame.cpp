#include "display/display_frame.h"

#include "display/rendering_quality.h"

namespace display {

gdip::GraphicsContainer BeginDisplayFrame(GraphicsWrapper& graphics, float origin_x, float origin_y) {
    const gdip::GraphicsContainer container = graphics.BeginContainer();
    graphics.TranslateWorldTransform(origin_x, origin_y);
    ApplyRenderingQuality(graphics);
    return container;
}

void EndDisplayFrame(GraphicsWrapper& graphics, gdip::GraphicsContainer container, const OverlayCall& overlay) {
    graphics.EndContainer(container);
    ApplyRenderingQuality(graphics);
    overlay();
}

}  // namespace display
