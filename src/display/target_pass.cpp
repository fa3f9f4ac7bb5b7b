#include "display/target_pass.h"

#include <cmath>
#include <cstring>

#include "display/float_conversion.h"
#include "traffic/numeric.h"
#include "traffic/own_ship.h"
#include "traffic/traffic_list.h"

namespace display {
namespace {

constexpr double kFullCircle_deg = 360.0;
constexpr float kSweepLineToBearing_deg = 90.0f;  // screen angle 0 is relative bearing 90

// The own latitude's sine and cosine, shared by every display and gauge:
// the own ship is one for the whole module.
traffic::LatitudeTrig own_latitude_trig{};

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
    if (screen.selected_visible == 0 || screen.graphics == nullptr || screen.traffic == nullptr) return nullptr;
    const traffic::TrafficList& list = *screen.traffic;
    return list.Target(static_cast<std::uint32_t>(screen.selected_index));
}

float RelativeBearing(float true_bearing_deg, double own_heading_deg) {
    const double turned = traffic::ExactRemainder(true_bearing_deg - own_heading_deg, kFullCircle_deg);
    return SaturatingFloat(traffic::ExactRemainder(turned + kFullCircle_deg, kFullCircle_deg));
}

TargetFix LocateTarget(const traffic::RadarTarget& target, double own_heading_deg) {
    const traffic::GeoPosition own = traffic::PositionOf(traffic::GetOwnShipPosition());
    return FixOnLeg(LegFrom(own, target), own_heading_deg);
}

traffic::GreatCircleLeg LegFrom(const traffic::GeoPosition& own, const traffic::RadarTarget& target) {
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

void ForgetOwnLatitudeTrig() { own_latitude_trig = traffic::LatitudeTrig{}; }

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
    window.lo = static_cast<float>(std::fmod(line_bearing - kSweepStep_deg, kFullCircle_deg));
    window.hi = static_cast<float>(std::fmod(line_bearing, kFullCircle_deg));
    if (window.hi < window.lo) window.hi += static_cast<float>(kFullCircle_deg);
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

bool IsSelectedTarget(const RadarScreen& screen, const traffic::RadarTarget& target) {
    if (screen.selected_identifier[0] == '\0') return false;
    return std::strncmp(screen.selected_identifier, target.identifier, traffic::kIdentifierChars) == 0;
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
    screen.selected_distance_nm = DistanceNm(fix);
    screen.selected_distance_captured = true;
    screen.selected_bearing_deg = fix.true_bearing_deg;
    screen.selected_visible = 1;
    screen.selected_index = static_cast<std::int32_t>(index);
    constexpr float kHalfFrame = kSelectionFrameSize / 2.0f;
    if (screen.graphics)
        screen.graphics->DrawRectangle(
            style.pen, gdip::RectF{centre.x - kHalfFrame, centre.y - kHalfFrame, kSelectionFrameSize, kSelectionFrameSize});
}

void DrawVelocityVector(GraphicsWrapper& graphics, MatrixWrapper& vector, ScreenPosition centre,
                        const traffic::RadarTarget& target, double own_heading_deg, const PenWrapper* pen) {
    gdip::PointF end{centre.x, SaturatingFloat(centre.y - target.ground_speed_kt * kVectorKnotFactor * kVectorLength)};
    const float turn_deg = SaturatingFloat(target.heading_deg - own_heading_deg);
    vector.SetIdentity();
    vector.Translate(centre.x, centre.y);
    vector.Rotate(turn_deg);
    vector.Translate(-centre.x, -centre.y);
    vector.TransformPoints(&end, 1);
    graphics.DrawLine(pen, centre.x, centre.y, end.x, end.y);
}

void DrawTargetAndSelection(RadarScreen& screen, std::uint32_t index, const traffic::RadarTarget& target,
                            const TargetFix& fix, ScreenPosition centre, const TargetStyle& style,
                            gdip::PointF (&diamond)[4]) {
    const bool selected = IsSelectedTarget(screen, target);
    if (screen.graphics) DrawTargetSymbol(*screen.graphics, target, centre, selected, style, diamond);
    if (index < traffic::kMaxTargets) screen.symbol_drawn[index] = true;
    if (selected) CaptureSelection(screen, index, fix, centre, style);
}

void RunBearingPass(RadarScreen& screen, const BearingPassFrame& frame, BearingView in_view, MatrixWrapper& placement,
                    MatrixWrapper& vector, gdip::PointF (&diamond)[4]) {
    if (screen.traffic == nullptr) return;
    ForEachAirborneTarget(*screen.traffic, [&](std::uint32_t i, traffic::RadarTarget& target) {
        const TargetFix fix = LocateTarget(target, frame.heading_deg);
        if (InPaintWindow(fix.relative_bearing_deg, frame.paint_window)) target.last_paint_time = frame.now;
        const TargetStyle style = UpdateBrightness(target, frame.now, screen.resources);
        if (!in_view(fix.relative_bearing_deg)) return;
        const ScreenPosition centre = PlaceOnBearing(placement, DistanceNm(fix), frame.scale, fix.relative_bearing_deg);
        screen.screen_positions[i] = centre;
        DrawTargetAndSelection(screen, i, target, fix, centre, style, diamond);
        if (screen.graphics) DrawVelocityVector(*screen.graphics, vector, centre, target, frame.heading_deg, style.pen);
    });
}

}  // namespace display
