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

// The three colours in which the two schemes differ.
struct ColourScheme {
    gdip::Argb background;
    gdip::Argb normal;  // dim lines, fills and labels
    gdip::Argb bright;  // lit targets, the sweep line and the overlays' text
};

constexpr ColourScheme kGreenScheme{0xFF001400u, 0xFF008200u, 0xFF00FF00u};
constexpr ColourScheme kAmberScheme{0xFF1E0F00u, 0xFF783C0Au, 0xFFFFA046u};

constexpr float kPenWidth = 2.0f;          // world units: scales with the gauge
constexpr float kDashPattern[2] = {2.0f, 2.0f};  // in pen widths: 4 units each
constexpr float kSmallFontSize_pt = 30.0f;
constexpr float kLargeFontSize_pt = 40.0f;
constexpr float kLineHeightPerFontSize = 1.2f;

// Makes the pens, brushes and fonts in the scheme's colours; a font whose
// family is missing falls back to the generic family.
void FillDrawResources(DrawResources& resources, const ColourScheme& scheme, GenericFontFamily& generic);

inline void CreateGreenScheme(DrawResources& resources, GenericFontFamily& generic) {
    FillDrawResources(resources, kGreenScheme, generic);
}
inline void CreateAmberScheme(DrawResources& resources, GenericFontFamily& generic) {
    FillDrawResources(resources, kAmberScheme, generic);
}

}  // namespace display
