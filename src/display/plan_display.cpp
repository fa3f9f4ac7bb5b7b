#include "display/plan_display.h"

#include <cmath>

#include "display/display_frame.h"
#include "display/module_objects.h"
#include "display/range_marks.h"
#include "display/target_pass.h"
#include "display/text_format.h"
#include "platform/host_services.h"

namespace display {
namespace {

constexpr float kRingStep = kPlanOuterRadius / kRangeMarkQuarters;  // 118.75
constexpr float kSpokeStep_deg = 30.0f;
constexpr int kSpokeCount = 12;  // every 30 degrees, the first at screen angle 30
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
    platform::TokenVariable heading = platform::MakeModuleVariable(sim::kTokenOwnHeading);
    platform::TokenVariable host_time = platform::MakeModuleVariable(sim::kTokenHostTime);
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

// Moves the sweep once per new host time value, whichever gauge sees it
// first; its end is carried forward 5 degrees.
void StepSweep(PlanSweep& sweep, double now) {
    if (!TakeNewSweepTime(sweep.last_sweep_time, now)) return;
    sweep.sweep_angle_deg = NextPlanSweepAngle(sweep.sweep_angle_deg);
    if (MatrixWrapper* matrix = sweep.sweep_matrix.Get()) {
        matrix->SetIdentity();
        matrix->Rotate(kSweepStep_deg);
        matrix->TransformPoints(&sweep.sweep_end, 1);
    }
}

// The whole circle is in view.
bool InPlanView(float /*relative_bearing_deg*/) { return true; }

}  // namespace

float NextPlanSweepAngle(float sweep_angle_deg) {
    return std::fmod(sweep_angle_deg + kSweepStep_deg, kFullCircle_deg);
}

void DrawPlan(RadarScreen& screen, const OverlayCall& overlay) {
    if (screen.graphics == nullptr) return;
    GraphicsWrapper& graphics = *screen.graphics;
    PlanSweep& sweep = Sweep();
    SetUpOnFirstUse(sweep);

    const gdip::GraphicsContainer container = BeginDisplayFrame(graphics, kPlanOriginX, kPlanOriginY);
    DrawRangeMarks(screen, sweep.ring_step, kPlanOuterRadius, sweep.label_format, sweep.label_text,
                   [&graphics](const PenWrapper* pen, const gdip::RectF& bounds) { graphics.DrawEllipse(pen, bounds); });
    MatrixWrapper spoke;
    DrawSpokes(screen, sweep.centre, kPlanOuterRadius, kSpokeStep_deg, kSpokeCount, spoke);

    BearingPassFrame frame{};
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
    RunBearingPass(screen, frame, InPlanView, placement, vector, sweep.diamond);

    EndDisplayFrame(graphics, container, overlay);
}

void ResetPlanSweep() { RenewModuleRecord(Sweep()); }

}  // namespace display
