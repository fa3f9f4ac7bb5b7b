#include "panel/mouse_rects.h"

namespace panelhost {

DesignPoint PixelToDesign(int x_px, int y_px, int width_px, int height_px) {
    if (width_px <= 0 || height_px <= 0) return {-1.0, -1.0};
    return {static_cast<double>(x_px) * kDesignUnitsPerGauge / width_px,
            static_cast<double>(y_px) * kDesignUnitsPerGauge / height_px};
}

namespace {

bool Contains(const sim::MouseRect& rect, DesignPoint point) {
    return point.x >= rect.x && point.y >= rect.y && point.x < static_cast<double>(rect.x) + rect.width &&
           point.y < static_cast<double>(rect.y) + rect.height;
}

}  // namespace

const sim::MouseRect* FindChildRect(const sim::MouseRect* rects, DesignPoint point, std::uint32_t mouse_flags) {
    if (rects == nullptr) return nullptr;
    for (std::size_t i = 0; i < kMaxMouseRects && rects[i].type != sim::kMouseRectEndOfList; ++i) {
        const sim::MouseRect& rect = rects[i];
        if (rect.type == sim::kMouseRectChild && (rect.mouse_flags & mouse_flags) != 0 && Contains(rect, point)) {
            return &rect;
        }
    }
    return nullptr;
}

ClickResult DeliverClick(const sim::GaugeHeader* header, int x_px, int y_px, int width_px, int height_px) {
    if (header == nullptr) return {};
    const sim::MouseRect* rect = FindChildRect(header->mouse_rects, PixelToDesign(x_px, y_px, width_px, height_px),
                                                sim::kMouseLeftSingle);
    if (rect == nullptr || rect->routine == nullptr) return {};
    sim::ClickPoint point{x_px, y_px};
    return {true, rect->routine(&point, sim::kMouseLeftSingle)};
}

}  // namespace panelhost
