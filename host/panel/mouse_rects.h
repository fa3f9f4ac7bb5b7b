// Clicks through a gauge's mouse rectangles, as the host delivers them.
// Rectangles are in design units of the gauge (100 × 100 for every radar
// gauge); a click in image pixels is converted with design = pixel × 100 /
// image size, and the routine gets the point in pixels of the drawn image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host_abi.h"

namespace panelhost {

constexpr double kDesignUnitsPerGauge = 100.0;
// Rectangles looked at before the end-of-list record must have come.
constexpr std::size_t kMaxMouseRects = 256;

struct DesignPoint {
    double x;
    double y;
};

// The pixel in design units; sizes that are not positive give (-1, -1),
// outside every rectangle.
DesignPoint PixelToDesign(int x_px, int y_px, int width_px, int height_px);

// The first child rectangle (type 2) that contains the point and listens to
// one of these mouse flags, or null. The list ends at the end-of-list record
// (type 0; end-parent records, type 3, only close a parent) or after
// kMaxMouseRects entries. The panel host loads only modules whose lists end
// within their data (ModuleFile).
const sim::MouseRect* FindChildRect(const sim::MouseRect* rects, DesignPoint point, std::uint32_t mouse_flags);

struct ClickResult {
    bool hit = false;            // a child rectangle with a routine took the click
    std::int32_t returned = 0;   // what its routine returned
};

// Delivers a click at a pixel of a gauge drawn at this size: finds the
// rectangle and calls its routine with the point and the left single-click
// flags.
ClickResult DeliverClick(const sim::GaugeHeader* header, int x_px, int y_px, int width_px, int height_px);

}  // namespace panelhost
