#include "display/altitude_display.h"

#include <algorithm>
#include <cmath>

#include "display/display_frame.h"
#include "display/float_conversion.h"
#include "display/heading_cone.h"
#include "platform/units.h"

namespace display {
namespace {

constexpr float kGridSpacing = 200.0f;
constexpr int kGridLinesEachSide = 2;
constexpr float kDegreesPerSweepSpan = 0.025f;  // the sweep's span covers 40 degrees

void SetUpOnFirstUse(AltitudeSweep& sweep) {
    if (sweep.set_up) return;
    sweep.sweep_minimum = kAltitudeSweepMinimum;
    sweep.sweep_maximum = kAltitudeSweepMaximum;
    sweep.horizontal_scale = (sweep.sweep_maximum - sweep.sweep_minimum) * kDegreesPerSweepSpan;
    sweep.vertical_scale = kAltitudeUnitsPerFoot;
    for (gdip::PointF& vertex : sweep.diamond) vertex = {0.0f, 0.0f};
    sweep.set_up = true;
}

// Bearing lines every 10 degrees over the full height, the two at the
// 20-degree limits solid; altitude lines every 1000 ft across the sweep's
// width, the equal-altitude line solid.
void DrawGrid(const RadarScreen& screen, const AltitudeSweep& sweep) {
    GraphicsWrapper& graphics = *screen.graphics;
    const DrawResources& resources = screen.resources;
    for (int k = -kGridLinesEachSide; k <= kGridLinesEachSide; ++k) {
        const bool limit = k == -kGridLinesEachSide || k == kGridLinesEachSide;
        const float x = kGridSpacing * static_cast<float>(k);
        graphics.DrawLine(limit ? resources.normal_pen.get() : resources.dashed_pen.get(), x, -kAltitudeScreenEdge, x,
                          kAltitudeScreenEdge);
    }
    for (int k = -kGridLinesEachSide; k <= kGridLinesEachSide; ++k) {
        const float y = kGridSpacing * static_cast<float>(k);
        graphics.DrawLine(k == 0 ? resources.normal_pen.get() : resources.dashed_pen.get(), sweep.sweep_minimum, y,
                          sweep.sweep_maximum, y);
    }
}

// Moves the sweep once per new host time value, whichever gauge sees it
// first; the ends hold in every call.
void MoveSweep(AltitudeSweep& sweep, double now) {
    if (TakeNewSweepTime(sweep.last_sweep_time, now)) sweep.scan = StepAltitudeSweep(sweep.scan, kAltitudeSweepStep);
    sweep.scan = LimitAltitudeSweep(sweep.scan, sweep.sweep_minimum, sweep.sweep_maximum);
}

struct AltitudeFrame {
    double heading_deg;
    double own_altitude_ft;
    double now;
    PaintWindow paint_window;
};

// Upright from the centre: up for a climb, 0.05 units per foot per minute.
void DrawVerticalSpeedLine(GraphicsWrapper& graphics, ScreenPosition centre, const traffic::RadarTarget& target,
                           const PenWrapper* pen) {
    const float end_y = SaturatingFloat(centre.y - target.vertical_speed_fpm * kVerticalSpeedFactor * kVectorLength);
    graphics.DrawLine(pen, centre.x, centre.y, centre.x, end_y);
}

// The relative bearing, either side, beyond which a target is neither in
// view nor ever under a paint window: the sweep holds within its ends, and
// a step reaches one step beyond (21 degrees).
double SweepReach_deg(const AltitudeSweep& sweep) {
    const double end = std::max(std::fabs(sweep.sweep_minimum), std::fabs(sweep.sweep_maximum));
    return std::max(static_cast<double>(kAltitudeVisibleBearing_deg),
                    (end + kAltitudeSweepStep) / sweep.horizontal_scale);
}

// Every airborne target is paint-tested and lit; those within the sweep's
// reach are placed, and those within the view drawn and captured as the
// selection. A target provably beyond the reach is neither placed nor
// painted, and its bearing is never worked out: most of the list, since the
// view is 40 degrees wide. A target whose position or altitude is unknown
// only dims, and while the own heading or altitude is unknown no target is
// placed at all.
void RunTargetPass(RadarScreen& screen, AltitudeSweep& sweep, traffic::OwnShipRecord& own_ship,
                   const AltitudeFrame& frame) {
    const HeadingCone reach = ConeAboutHeading(frame.heading_deg, SweepReach_deg(sweep));
    traffic::LocalAxes own_axes{};  // worked out again whenever the own position read for a target changed
    if (!traffic::IsKnown(frame.heading_deg) || !traffic::IsKnown(frame.own_altitude_ft)) return;
    ForEachAirborneTarget(screen.traffic, [&](std::uint32_t i, traffic::RadarTarget& target) {
        traffic::GeoPosition own{};
        if (!OwnPositionFor(own_ship, target, own) || !traffic::IsKnown(target.altitude_ft)) {
            ForgetPaintTimeIfDim(target, frame.now);  // no place on this display
            return;
        }
        traffic::LegDirection direction{};
        if (traffic::LegDirectionOf(own, own_axes, traffic::PositionOf(target), target.sphere_point, direction) &&
            ProvablyOutside(reach, direction)) {
            ForgetPaintTimeIfDim(target, frame.now);
            return;
        }
        const TargetFix fix = FixOnLeg(LegFrom(own, own_ship.latitude_trig, target), frame.heading_deg);
        const float bearing = FoldedBearing(fix.relative_bearing_deg);
        const ScreenPosition centre = AltitudePosition(bearing, sweep.horizontal_scale, sweep.vertical_scale,
                                                       frame.own_altitude_ft, target.altitude_ft);
        if (InPaintWindow(centre.x, frame.paint_window)) target.last_paint_time = frame.now;
        const TargetStyle style = UpdateBrightness(target, frame.now, screen.resources);
        if (!InAltitudeView(bearing)) return;
        DrawTargetAndSelection(screen, i, target, fix, centre, style, sweep.diamond);
        if (traffic::IsKnown(target.vertical_speed_fpm))
            DrawVerticalSpeedLine(*screen.graphics, centre, target, style.pen);
    });
}

}  // namespace

SweepScan StepAltitudeSweep(SweepScan scan, float step) {
    scan.position += step * scan.direction;
    return scan;
}

SweepScan LimitAltitudeSweep(SweepScan scan, float minimum, float maximum) {
    if (scan.position > maximum) {
        scan.position = maximum;
        scan.direction = -scan.direction;
    }
    if (scan.position < minimum) {
        scan.position = minimum;
        scan.direction = -scan.direction;
    }
    return scan;
}

PaintWindow AltitudePaintWindow(SweepScan scan, float step) {
    const float previous = scan.position - step * scan.direction;
    return scan.position < previous ? PaintWindow{scan.position, previous} : PaintWindow{previous, scan.position};
}

float FoldedBearing(float relative_bearing_deg) {
    if (!(relative_bearing_deg > units::kHalfCircle_deg)) return relative_bearing_deg;
    return static_cast<float>(relative_bearing_deg - units::kFullCircle_deg);
}

ScreenPosition AltitudePosition(float folded_bearing_deg, float horizontal_scale, float vertical_scale,
                                double own_altitude_ft, double target_altitude_ft) {
    double y = vertical_scale * (own_altitude_ft - target_altitude_ft);
    if (y <= -kAltitudeScreenEdge) y = -kAltitudeScreenEdge;
    if (y >= kAltitudeScreenEdge) y = kAltitudeScreenEdge;
    return ScreenPosition{horizontal_scale * folded_bearing_deg, static_cast<float>(y)};
}

bool InAltitudeView(float folded_bearing_deg) {
    // Written so that a NaN bearing is not drawn.
    return folded_bearing_deg >= -kAltitudeVisibleBearing_deg && folded_bearing_deg <= kAltitudeVisibleBearing_deg;
}

void DrawAltitude(RadarScreen& screen, AltitudeSweep& sweep, traffic::OwnShipRecord& own_ship,
                  const OverlayCall& overlay) {
    if (screen.graphics == nullptr) return;
    GraphicsWrapper& graphics = *screen.graphics;
    SetUpOnFirstUse(sweep);

    const gdip::GraphicsContainer container = BeginDisplayFrame(graphics, kAltitudeOriginX, kAltitudeOriginY);
    DrawGrid(screen, sweep);

    AltitudeFrame frame{};
    frame.heading_deg = traffic::KnownOrUnknown(platform::ReadModuleVariable(sweep.heading));
    frame.own_altitude_ft =
        traffic::KnownOrUnknown(platform::ReadModuleVariable(sweep.own_altitude) * units::kFeetPerMetre);
    frame.now = platform::ReadModuleVariable(sweep.host_time);
    MoveSweep(sweep, frame.now);
    graphics.DrawLine(screen.resources.bright_pen.get(), sweep.scan.position, -kAltitudeScreenEdge,
                      sweep.scan.position, kAltitudeScreenEdge);

    frame.paint_window = AltitudePaintWindow(sweep.scan, kAltitudeSweepStep);
    screen.selection.StartDisplay(DisplayOrigin{kAltitudeOriginX, kAltitudeOriginY});
    RunTargetPass(screen, sweep, own_ship, frame);

    EndDisplayFrame(graphics, container, overlay);
}

}  // namespace display
