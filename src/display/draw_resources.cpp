#include "display/draw_resources.h"

namespace display {

void FillDrawResources(DrawResources& resources, const ColourScheme& scheme, GenericFontFamily& generic) {
    resources.normal_brush = std::make_unique<BrushWrapper>(scheme.normal);
    resources.bright_brush = std::make_unique<BrushWrapper>(scheme.bright);
    resources.background = scheme.background;

    resources.dashed_pen = std::make_unique<PenWrapper>(*resources.normal_brush, kPenWidth, gdip::kUnitWorld);
    resources.dashed_pen->SetDashArray(kDashPattern, 2);
    resources.normal_pen = std::make_unique<PenWrapper>(*resources.normal_brush, kPenWidth, gdip::kUnitWorld);
    resources.bright_pen = std::make_unique<PenWrapper>(*resources.bright_brush, kPenWidth, gdip::kUnitWorld);

    resources.small_font =
        std::make_unique<FontWrapper>(generic, u"Tahoma", kSmallFontSize_pt, gdip::kFontStyleBold, gdip::kUnitPoint);
    resources.large_font =
        std::make_unique<FontWrapper>(generic, u"Arial", kLargeFontSize_pt, gdip::kFontStyleRegular, gdip::kUnitPoint);

    // A size that cannot be read (no font was made) counts as the size asked
    // for, so the overlay keeps its layout.
    float large_size = kLargeFontSize_pt;
    resources.large_font->GetSize(large_size);
    resources.line_height = large_size * kLineHeightPerFontSize;
}

}  // namespace display
