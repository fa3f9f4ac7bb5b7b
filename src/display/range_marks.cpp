#include "display/range_marks.h"

namespace display {

gdip::RectF CircleBounds(float radius) { return gdip::RectF{-radius, -radius, 2.0f * radius, 2.0f * radius}; }

void DrawSpokes(const RadarScreen& screen, gdip::PointF origin, float outer_radius, float step_deg, int count,
                MatrixWrapper& spoke) {
    gdip::PointF end{outer_radius, 0.0f};
    for (int line = 0; line < count; ++line) {
        spoke.SetIdentity();
        spoke.Rotate(step_deg);
        spoke.TransformPoints(&end, 1);
        screen.graphics->DrawLine(screen.resources.normal_pen.get(), origin.x, origin.y, end.x, end.y);
    }
}

}  // namespace display
