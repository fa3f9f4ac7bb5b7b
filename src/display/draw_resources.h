// A gauge's pens, brushes and fonts, filled by the green or the amber scheme.
#pragma once

#include <memory>

#include "display/gdiplus_wrappers.h"

namespace display {

constexpr gdip::Argb kDefaultBackground = 0xFF000000u;

struct DrawResources {
    gdip::Argb background = kDefaultBackground;
    std::unique_ptr<PenWrapper> normal_pen;
    std::unique_ptr<PenWrapper> bright_pen;
    std::unique_ptr<PenWrapper> dashed_pen;
    std::unique_ptr<BrushWrapper> normal_brush;
    std::unique_ptr<BrushWrapper> bright_brush;
    std::unique_ptr<FontWrapper> large_font;
    std::unique_ptr<FontWrapper> small_font;
    float line_height = 0.0f;  // virtual-screen units
};

}  // namespace display
