// The range marks of the displays drawn about one origin, the plan
// display's full rings round its centre and the sector display's arcs
// across its fan: dashed marks a quarter of the range apart, each labelled
// with its range, the solid outer mark, and the spokes from the origin.
#pragma once

#include "display/gdiplus_wrappers.h"
#include "display/radar_screen.h"
#include "display/text_format.h"

namespace display {

constexpr float kRangeMarkQuarters = 4.0f;
constexpr float kRangeMarkFraction = 1.0f / kRangeMarkQuarters;

// The square holding the circle of this radius about the origin.
gdip::RectF CircleBounds(float radius);

// Dashed marks `ring_step` apart from radius 0 out to the fourth, each but
// the first with its range centred at its top; then the solid mark at
// `outer_radius`. `mark(pen, bounds)` draws one mark on the circle `bounds`
// holds: a full ring or an arc.
template <typename Mark>
void DrawRangeMarks(const RadarScreen& screen, float ring_step, float outer_radius, StringFormatWrapper& label_format,
                    char16_t (&label_text)[kRangeLabelChars], Mark&& mark) {
    const DrawResources& resources = screen.resources;
    label_format.SetAlign(gdip::kAlignCenter);
    for (float ring = 0.0f; ring <= kRangeMarkQuarters; ring += 1.0f) {
        const float radius = ring_step * ring;
        mark(resources.dashed_pen.get(), CircleBounds(radius));
        if (ring > 0.0f) {
            // A quarter of the range first: the same value, and no overflow
            // for the largest range.
            FormatRangeLabel(ring * (screen.range_nm * kRangeMarkFraction), label_text);
            screen.graphics->DrawTextAt(label_text, resources.small_font.get(), 0.0f, -radius, &label_format,
                                        resources.normal_brush.get());
        }
    }
    mark(resources.normal_pen.get(), CircleBounds(outer_radius));
}

// `count` lines from `origin` out to `outer_radius`, the first at screen
// angle `step_deg` and each next one `step_deg` further round (negative:
// counter-clockwise); `spoke` carries the end point from line to line.
void DrawSpokes(const RadarScreen& screen, gdip::PointF origin, float outer_radius, float step_deg, int count,
                MatrixWrapper& spoke);

}  // namespace display
