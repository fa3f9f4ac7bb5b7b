#include "display/target_pass.h"

#include <cmath>

#include "display/float_conversion.h"
#include "platform/units.h"
#include "traffic/numeric.h"
#include "traffic/own_ship.h"
#include "traffic/traffic_list.h"

namespace display {
namespace {

constexpr float kSweepLineToBearing_deg = 90.0f;  // screen angle 0 is relative bearing 90

const PenWrapper* PenOf(const std::unique_ptr<PenWrapper>& pen) { return pen.get(); }
const BrushWrapper* BrushOf(const std::unique_ptr<BrushWrapper>& brush) { return brush.get(); }

}  // namespace

std::uint32_t FirstPassIndex(const traffic::TrafficList& list) { return list.FirstShownIndex(); }

bool TakeNewSweepTime(double& last_sweep_time, double now) {
    if (now == last_sweep_time) return false;
    last_sweep_time = now;
    return true;
}

const traffic::RadarTarget* SelectedTargetOnScreen(const RadarScreen& screen) {
    if (!screen.selection.visible() || screen.graphics == nullptr) return nullptr;
    return screen.traffic.Target(static_cast<std::uint32_t>(screen.selection.index()));
}

float RelativeBearing(float true_bearing_deg, double own_heading_deg) {
    const double turned = traffic::ExactRemainder(true_bearing_deg - own_heading_deg, units::kFullCircle_deg);
    return SaturatingFloat(traffic::ExactRemainder(turned + units::kFullCircle_deg, units::kFullCircle_deg));
}

bool OwnPositionFor(traffic::OwnShipRecord& own_ship, const traffic::RadarTarget& target, traffic::GeoPosition& own) {
    own = traffic::PositionOf(traffic::GetOwnShipPosition(own_ship));
    return traffic::IsKnownPosition(own) && traffic::IsKnownPosition(traffic::PositionOf(target));
}

bool LocateTarget(traffic::OwnShipRecord& own_ship, const traffic::RadarTarget& target, double own_heading_deg,
                  TargetFix& fix) {
    traffic::GeoPosition own{};
    if (!OwnPositionFor(own_ship, target, own)) return false;
    fix = FixOnLeg(LegFrom(own, own_ship.latitude_trig, target), own_heading_deg);
    return true;
}

traffic::GreatCircleLeg LegFrom(const traffic::GeoPosition& own, traffic::LatitudeTrig& own_latitude_trig,
                                const traffic::RadarTarget& target) {
    return traffic::LegBetween(own, own_latitude_trig, traffic::PositionOf(target), target.latitude_trig);
}

TargetFix FixOnLeg(const traffic::GreatCircleLeg& leg, double own_heading_deg) {
    TargetFix fix{};
    fix.leg = leg;
    fix.true_bearing_deg = traffic::TrueBearingDegrees(traffic::LegBearingRad(fix.leg));
    fix.relative_bearing_deg = RelativeBearing(fix.true_bearing_deg, own_heading_deg);
    return fix;
}

float DistanceNm(const TargetFix& fix) { return traffic::LegDistanceNm(fix.leg); }

ScreenPosition PlaceOnBearing(MatrixWrapper& placement, float distance_nm, float scale, float relative_bearing_deg) {
    gdip::PointF point{0.0f, -distance_nm * scale};
    placement.SetIdentity();
    placement.Rotate(relative_bearing_deg);
    placement.TransformPoints(&point, 1);
    return ScreenPosition{point.x, point.y};
}

PaintWindow PlanPaintWindow(float sweep_angle_deg) {
    const float line_bearing = sweep_angle_deg + kSweepLineToBearing_deg;
    PaintWindow window{};
    window.lo = static_cast<float>(std::fmod(line_bearing - kSweepStep_deg, units::kFullCircle_deg));
    window.hi = static_cast<float>(std::fmod(line_bearing, units::kFullCircle_deg));
    if (window.hi < window.lo) window.hi += static_cast<float>(units::kFullCircle_deg);
    return window;
}

TargetStyle ChooseStyle(bool lit, const DrawResources& resources) {
    if (lit) return TargetStyle{PenOf(resources.bright_pen), BrushOf(resources.bright_brush)};
    return TargetStyle{PenOf(resources.normal_pen), BrushOf(resources.normal_brush)};
}

TargetStyle UpdateBrightness(traffic::RadarTarget& target, double now, const DrawResources& resources) {
    const bool lit = IsLit(target, now);
    if (!lit) ForgetPaintTime(target);
    return ChooseStyle(lit, resources);
}

void DiamondAround(ScreenPosition centre, gdip::PointF (&diamond)[4]) {
    diamond[0] = {centre.x + kSymbolHalfSize, centre.y};
    diamond[1] = {centre.x, centre.y - kSymbolHalfSize};
    diamond[2] = {centre.x - kSymbolHalfSize, centre.y};
    diamond[3] = {centre.x, centre.y + kSymbolHalfSize};
}

void DrawTargetSymbol(GraphicsWrapper& graphics, const traffic::RadarTarget& target, ScreenPosition centre,
                      bool selected, const TargetStyle& style, gdip::PointF (&diamond)[4]) {
    if (target.source != traffic::kSourceTrafficInterface) {
        DiamondAround(centre, diamond);
        if (selected) {
            graphics.FillPolygon(style.brush, diamond, 4);
        } else {
            graphics.DrawPolygon(style.pen, diamond, 4);
        }
        return;
    }
    graphics.DrawLine(style.pen, centre.x, centre.y - kSymbolHalfSize, centre.x, centre.y + kSymbolHalfSize);
    graphics.DrawLine(style.pen, centre.x - kSymbolHalfSize, centre.y, centre.x + kSymbolHalfSize, centre.y);
}

void CaptureSelection(RadarScreen& screen, std::uint32_t index, const TargetFix& fix, ScreenPosition centre,
                      const TargetStyle& style) {
    screen.selection.Capture(index, DistanceNm(fix), fix.true_bearing_deg);
    constexpr float kHalfFrame = kSelectionFrameSize / 2.0f;
    if (screen.graphics)
        screen.graphics->DrawRectangle(
            style.pen, gdip::RectF{centre.x - kHalfFrame, centre.y - kHalfFrame, kSelectionFrameSize, kSelectionFrameSize});
}

void DrawVelocityVector(GraphicsWrapper& graphics, MatrixWrapper& vector, ScreenPosition centre,
                        const traffic::RadarTarget& target, double own_heading_deg, const PenWrapper* pen) {
    if (!traffic::IsKnown(target.heading_deg) || !traffic::IsKnown(target.ground_speed_kt)) return;
    gdip::PointF end{centre.x, SaturatingFloat(centre.y - target.ground_speed_kt * kVectorKnotFactor * kVectorLength)};
    const float turn_deg = SaturatingFloat(target.heading_deg - own_heading_deg);
    if (!std::isfinite(turn_deg)) return;  // headings so far apart that their difference is none
    vector.SetIdentity();
    vector.Translate(centre.x, centre.y);
    vector.Rotate(turn_deg);
    vector.Translate(-centre.x, -centre.y);
    vector.TransformPoints(&end, 1);
    // A vector of the largest length turned may leave the float range.
    if (!std::isfinite(end.x) || !std::isfinite(end.y)) return;
    graphics.DrawLine(pen, centre.x, centre.y, end.x, end.y);
}

void DrawTargetAndSelection(RadarScreen& screen, std::uint32_t index, const traffic::RadarTarget& target,
                            const TargetFix& fix, ScreenPosition centre, const TargetStyle& style,
                            gdip::PointF (&diamond)[4]) {
    const bool selected = screen.selection.Is(target);
    if (screen.graphics) DrawTargetSymbol(*screen.graphics, target, centre, selected, style, diamond);
    screen.selection.RecordSymbol(target, index, centre);
    if (selected) CaptureSelection(screen, index, fix, centre, style);
}

void RunBearingPass(RadarScreen& screen, traffic::OwnShipRecord& own_ship, const BearingPassFrame& frame,
                    BearingView in_view, MatrixWrapper& placement, MatrixWrapper& vector, gdip::PointF (&diamond)[4]) {
    if (!traffic::IsKnown(frame.heading_deg)) return;
    ForEachAirborneTarget(screen.traffic, [&](std::uint32_t i, traffic::RadarTarget& target) {
        TargetFix fix{};
        if (!LocateTarget(own_ship, target, frame.heading_deg, fix)) {
            ForgetPaintTimeIfDim(target, frame.now);
            return;
        }
        if (InPaintWindow(fix.relative_bearing_deg, frame.paint_window)) target.last_paint_time = frame.now;
        const TargetStyle style = UpdateBrightness(target, frame.now, screen.resources);
        if (!in_view(fix.relative_bearing_deg)) return;
        const ScreenPosition centre = PlaceOnBearing(placement, DistanceNm(fix), frame.scale, fix.relative_bearing_deg);
        DrawTargetAndSelection(screen, i, target, fix, centre, style, diamond);
        if (screen.graphics) DrawVelocityVector(*screen.graphics, vector, centre, target, frame.heading_deg, style.pen);
    });
}

}  // namespace display
