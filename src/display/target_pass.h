// The per-target steps every display runs over its gauge's traffic list, in
// this order: the ground filter, the location (own ship, range and bearing,
// relative bearing), the placement, the paint test, the brightness, the
// symbol with the selection capture, and the velocity vector. The plan and
// sector displays share one pass over them; the altitude display composes
// its own, with its own placement.
#pragma once

#include <cstdint>

#include "display/gdiplus_wrappers.h"
#include "display/radar_screen.h"
#include "traffic/radar_target.h"
#include "traffic/traffic_list.h"

namespace display {

constexpr std::int32_t kGroundFilterHeight = 50;  // drawn only above this
constexpr double kBrightWindowSeconds = 0.8;
constexpr float kSymbolHalfSize = 10.0f;
constexpr float kSelectionFrameSize = 50.0f;
constexpr double kVectorKnotFactor = 0.002;  // × kVectorLength: 0.2 units per knot
constexpr double kVectorLength = 100.0;
constexpr float kSweepStep_deg = 5.0f;

// Where a target lies as seen from the own ship. The bearings are always
// worked out; the distance only for the targets that need it (DistanceNm).
struct TargetFix {
    traffic::GreatCircleLeg leg;
    float true_bearing_deg;      // clockwise from true north; what the selection captures
    float relative_bearing_deg;  // clockwise from the own heading, 0..360
};

// The target's distance from the own ship in nautical miles.
float DistanceNm(const TargetFix& fix);

// The pen and brush a target is drawn with this frame.
struct TargetStyle {
    const PenWrapper* pen;
    const BrushWrapper* brush;  // only the selected network player's filled diamond uses it
};

// A span of angles or positions with both ends included.
struct PaintWindow {
    float lo;
    float hi;
};

// The index range of the pass: from 0 with reduced data, else from 1, and
// below the list's count (read again for every target) and its capacity.
std::uint32_t FirstPassIndex(const traffic::TrafficList& list);
inline bool InPass(const traffic::TrafficList& list, std::uint32_t index) {
    return index < list.Count() && index < traffic::kMaxTargets;
}

// The ground filter: only targets higher than 50 above the ground are on the radar.
inline bool IsAirborne(const traffic::RadarTarget& target) {
    return target.height_above_ground > kGroundFilterHeight;
}

// Runs step(index, target) for every target of the pass that is airborne,
// in index order; the display's own steps follow in `step`.
template <typename Step>
void ForEachAirborneTarget(traffic::TrafficList& list, Step&& step) {
    for (std::uint32_t i = FirstPassIndex(list); InPass(list, i); ++i) {
        traffic::RadarTarget& target = *list.Target(i);
        if (IsAirborne(target)) step(i, target);
    }
}

// A display's sweep moves once per new host time value, whichever gauge
// draws it first: true when `now` differs from the last sweep time (NaN
// counts as different), which then becomes `now`.
bool TakeNewSweepTime(double& last_sweep_time, double now);

// The target the last drawn frame captured as the selection, while that
// frame drew it; null otherwise (or when the index lies outside the list).
const traffic::RadarTarget* SelectedTargetOnScreen(const RadarScreen& screen);

// The own ship's position as the host gives it for this target (every
// target looks it up anew); false while it or the target's position is
// unknown: the target is then left out of the frame.
bool OwnPositionFor(traffic::OwnShipRecord& own_ship, const traffic::RadarTarget& target, traffic::GeoPosition& own);

// The location: refreshes the own ship, then the target's leg from it, its
// true bearing and its bearing relative to the own heading. False, with
// nothing worked out, while the own position or the target's is unknown:
// such a target is left out of the frame.
bool LocateTarget(traffic::OwnShipRecord& own_ship, const traffic::RadarTarget& target, double own_heading_deg,
                  TargetFix& fix);

// The location in its parts, for a pass that looks at the leg before it
// takes the bearings: the leg from the own ship's position (the one the
// host gave for this target, with the memo of its latitude's sine and
// cosine), and the fix on it.
traffic::GreatCircleLeg LegFrom(const traffic::GeoPosition& own, traffic::LatitudeTrig& own_latitude_trig,
                                const traffic::RadarTarget& target);
TargetFix FixOnLeg(const traffic::GreatCircleLeg& leg, double own_heading_deg);

// fmod(fmod(true - heading, 360) + 360, 360) as a float.
float RelativeBearing(float true_bearing_deg, double own_heading_deg);

// The placement of the plan and sector displays: the point
// (0, -distance × scale) turned clockwise by the relative bearing through the
// placement matrix.
ScreenPosition PlaceOnBearing(MatrixWrapper& placement, float distance_nm, float scale, float relative_bearing_deg);

// The paint window of the plan display: the 5 degrees of relative bearing
// the sweep line crossed in its last step, ending at the line (s + 90).
PaintWindow PlanPaintWindow(float sweep_angle_deg);

// Both ends included; NaN is never inside.
inline bool InPaintWindow(float value, const PaintWindow& window) {
    return !(value < window.lo) && value <= window.hi;
}

// The brightness, the question: lit up to 0.8 after the last paint.
inline bool IsLit(const traffic::RadarTarget& target, double now) {
    return target.last_paint_time + kBrightWindowSeconds >= now;
}

// The brightness, the update of a target found not lit: its paint time goes
// back to 0.
inline void ForgetPaintTime(traffic::RadarTarget& target) { target.last_paint_time = 0.0; }

// The brightness step of a target that is not drawn: the question and the
// update, without a pen and brush.
inline void ForgetPaintTimeIfDim(traffic::RadarTarget& target, double now) {
    if (!IsLit(target, now)) ForgetPaintTime(target);
}

// The pen and brush of a lit or of a dim target.
TargetStyle ChooseStyle(bool lit, const DrawResources& resources);

// The brightness step of a pass: the question, the update when the target
// is not lit, and the pen and brush of the answer.
TargetStyle UpdateBrightness(traffic::RadarTarget& target, double now, const DrawResources& resources);

// The diamond's vertices: right, top, left, bottom.
void DiamondAround(ScreenPosition centre, gdip::PointF (&diamond)[4]);

// The symbol: a network player's diamond (filled when selected) or a
// traffic target's cross. `diamond` is the display's own vertex store.
void DrawTargetSymbol(GraphicsWrapper& graphics, const traffic::RadarTarget& target, ScreenPosition centre,
                      bool selected, const TargetStyle& style, gdip::PointF (&diamond)[4]);

// The selection capture: the selected target's distance, bearing and index
// for the overlays and the named variables, and its 50 × 50 frame.
void CaptureSelection(RadarScreen& screen, std::uint32_t index, const TargetFix& fix, ScreenPosition centre,
                      const TargetStyle& style);

// The velocity vector: 0.2 units per knot along the target's heading
// relative to the own heading, turned about the centre through the vector
// matrix. None for a target whose heading or speed is unknown, nor where the
// turned end would not be a number.
void DrawVelocityVector(GraphicsWrapper& graphics, MatrixWrapper& vector, ScreenPosition centre,
                        const traffic::RadarTarget& target, double own_heading_deg, const PenWrapper* pen);

// The symbol and, for the selected target, the selection capture, for a
// target that is drawn.
void DrawTargetAndSelection(RadarScreen& screen, std::uint32_t index, const traffic::RadarTarget& target,
                            const TargetFix& fix, ScreenPosition centre, const TargetStyle& style,
                            gdip::PointF (&diamond)[4]);

// What the pass of a display placing targets on their bearing reads each frame.
struct BearingPassFrame {
    double heading_deg;
    double now;
    float scale;                // units per nautical mile
    PaintWindow paint_window;  // relative bearings
};

// Whether a display shows a target at this relative bearing.
using BearingView = bool (*)(float relative_bearing_deg);

// The pass of the plan and sector displays: every airborne target is
// located from the own ship, paint-tested and lit; one at a bearing in view
// is then placed on it, drawn with its selection and given its vector. A
// target that cannot be located only dims. Nothing at all while the own
// heading is unknown.
void RunBearingPass(RadarScreen& screen, traffic::OwnShipRecord& own_ship, const BearingPassFrame& frame,
                    BearingView in_view, MatrixWrapper& placement, MatrixWrapper& vector, gdip::PointF (&diamond)[4]);

}  // namespace display
