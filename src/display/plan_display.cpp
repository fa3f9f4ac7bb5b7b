#include "display/plan_display.h"

#include <cmath>

#include "display/module_objects.h"
#include "display/rendering_quality.h"
#include "display/target_pass.h"
#include "display/text_format.h"
#include "platform/host_services.h"

namespace display {
namespace {

constexpr float kRingStep = kPlanOuterRadius / 4.0f;  // 118.75
constexpr float kRingCount = 4.0f;
constexpr float kRingLabelFraction = 0.25f;
constexpr float kSpokeStep_deg = 30.0f;
constexpr float kFullCircle_deg = 360.0f;

// The plan display's module-wide state: one sweep for every gauge object.
struct PlanSweep {
    bool set_up = false;
    float sweep_angle_deg = 0.0f;
    double last_sweep_time = 0.0;
    gdip::PointF sweep_end = {};  // carried forward 5 degrees per step
    ModuleObject<MatrixWrapper> sweep_matrix;
    float ring_step = 0.0f;
    gdip::PointF centre = {};
    ModuleObject<StringFormatWrapper> label_format;
    char16_t label_text[kRangeLabelChars] = {};
    gdip::PointF diamond[4] = {};
    host::ModuleVariable heading = platform::MakeModuleVariable(host::kTokenOwnHeading);
    host::ModuleVariable host_time = platform::MakeModuleVariable(host::kTokenHostTime);
};

PlanSweep& Sweep() {
    static PlanSweep sweep;
    return sweep;
}

// The sweep matrix and the label format are made again after a release of
// the module-wide objects; the rest is set once.
void SetUpOnFirstUse(PlanSweep& sweep) {
    if (!sweep.set_up) {
        sweep.ring_step = kRingStep;
        sweep.centre = {0.0f, 0.0f};
        sweep.sweep_end = {kPlanOuterRadius, 0.0f};
        for (gdip::PointF& vertex : sweep.diamond) vertex = {0.0f, 0.0f};
        sweep.set_up = true;
    }
    sweep.sweep_matrix.Get();
    sweep.label_format.Get();
}

gdip::RectF CircleBounds(float radius) { return gdip::RectF{-radius, -radius, 2.0f * radius, 2.0f * radius}; }

void DrawRangeRings(RadarScreen& screen, PlanSweep& sweep) {
    GraphicsWrapper& graphics = *screen.graphics;
    const DrawResources& resources = screen.resources;
    for (float ring = 0.0f; ring <= kRingCount; ring += 1.0f) {
        const float radius = sweep.ring_step * ring;
        graphics.DrawEllipse(resources.dashed_pen.get(), CircleBounds(radius));
        if (ring > 0.0f) {
            FormatRangeLabel(ring * screen.range_nm * kRingLabelFraction, sweep.label_text);
            graphics.DrawTextAt(sweep.label_text, resources.small_font.get(), 0.0f, -radius,
                                sweep.label_format.Get(), resources.normal_brush.get());
        }
    }
    graphics.DrawEllipse(resources.normal_pen.get(), CircleBounds(kPlanOuterRadius));
}

// Twelve lines, every 30 degrees, the first at screen angle 30.
void DrawSpokes(RadarScreen& screen, const PlanSweep& sweep, MatrixWrapper& spoke) {
    gdip::PointF end{kPlanOuterRadius, 0.0f};
    for (float angle = 0.0f; angle < kFullCircle_deg; angle += kSpokeStep_deg) {
        spoke.SetIdentity();
        spoke.Rotate(kSpokeStep_deg);
        spoke.TransformPoints(&end, 1);
        screen.graphics->DrawLine(screen.resources.normal_pen.get(), sweep.centre.x, sweep.centre.y, end.x, end.y);
    }
}

// Moves the sweep once per new host time value, whichever gauge sees it first.
void StepSweep(PlanSweep& sweep, double now) {
    if (now == sweep.last_sweep_time) return;  // NaN counts as a change
    sweep.sweep_angle_deg = NextPlanSweepAngle(sweep.sweep_angle_deg);
    if (MatrixWrapper* matrix = sweep.sweep_matrix.Get()) {
        matrix->SetIdentity();
        matrix->Rotate(kSweepStep_deg);
        matrix->TransformPoints(&sweep.sweep_end, 1);
    }
    sweep.last_sweep_time = now;
}

struct PlanFrame {
    double heading_deg;
    double now;
    float scale;
    PaintWindow paint_window;
};

void RunTargetPass(RadarScreen& screen, PlanSweep& sweep, const PlanFrame& frame, MatrixWrapper& placement,
                   MatrixWrapper& vector) {
    if (screen.traffic == nullptr) return;
    traffic::TrafficList& list = *screen.traffic;
    for (std::uint32_t i = FirstPassIndex(list); InPass(list, i); ++i) {
        traffic::RadarTarget& target = *list.Target(i);
        if (!IsAirborne(target)) continue;
        const TargetFix fix = LocateTarget(target, frame.heading_deg);
        const ScreenPosition centre = PlaceOnBearing(placement, fix.distance_nm, frame.scale, fix.relative_bearing_deg);
        screen.screen_positions[i] = centre;
        if (InPaintWindow(fix.relative_bearing_deg, frame.paint_window)) target.last_paint_time = frame.now;
        const TargetStyle style = ChooseStyle(target, frame.now, screen.resources);
        DrawTargetAndSelection(screen, i, target, fix, centre, style, sweep.diamond);
        DrawVelocityVector(*screen.graphics, vector, centre, target, frame.heading_deg, style.pen);
    }
}

}  // namespace

float NextPlanSweepAngle(float sweep_angle_deg) {
    return std::fmod(sweep_angle_deg + kSweepStep_deg, kFullCircle_deg);
}

void DrawPlan(RadarScreen& screen, const OverlayCall& overlay) {
    if (screen.graphics == nullptr) return;
    GraphicsWrapper& graphics = *screen.graphics;
    PlanSweep& sweep = Sweep();
    SetUpOnFirstUse(sweep);

    const gdip::GraphicsContainer container = graphics.BeginContainer();
    graphics.TranslateWorldTransform(kPlanOriginX, kPlanOriginY);
    ApplyRenderingQuality(graphics);
    if (StringFormatWrapper* format = sweep.label_format.Get()) format->SetAlign(gdip::kAlignCenter);

    DrawRangeRings(screen, sweep);
    MatrixWrapper spoke;
    DrawSpokes(screen, sweep, spoke);

    PlanFrame frame{};
    frame.heading_deg = platform::ReadModuleVariable(sweep.heading);
    frame.now = platform::ReadModuleVariable(sweep.host_time);
    StepSweep(sweep, frame.now);
    graphics.DrawLine(screen.resources.bright_pen.get(), sweep.centre.x, sweep.centre.y, sweep.sweep_end.x,
                      sweep.sweep_end.y);

    frame.scale = kPlanOuterRadius / screen.range_nm;
    frame.paint_window = PlanPaintWindow(sweep.sweep_angle_deg);
    MatrixWrapper placement;
    MatrixWrapper vector;
    screen.selected_visible = 0;
    RunTargetPass(screen, sweep, frame, placement, vector);

    graphics.EndContainer(container);
    ApplyRenderingQuality(graphics);
    overlay();
}

}  // namespace display
