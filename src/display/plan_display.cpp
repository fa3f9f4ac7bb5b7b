#include "display/plan_display.h"

#include <cmath>

#include "display/display_frame.h"
#include "display/range_marks.h"
#include "display/target_pass.h"
#include "platform/units.h"

namespace display {
namespace {

constexpr float kRingStep = kPlanOuterRadius / kRangeMarkQuarters;  // 118.75
constexpr float kSpokeStep_deg = 30.0f;
constexpr int kSpokeCount = 12;  // every 30 degrees, the first at screen angle 30

// Set once, at the first frame any gauge draws.
void SetUpOnFirstUse(PlanSweep& sweep) {
    if (sweep.set_up) return;
    sweep.ring_step = kRingStep;
    sweep.centre = {0.0f, 0.0f};
    sweep.sweep_end = {kPlanOuterRadius, 0.0f};
    for (gdip::PointF& vertex : sweep.diamond) vertex = {0.0f, 0.0f};
    sweep.set_up = true;
}

// Moves the sweep once per new host time value, whichever gauge sees it
// first; its end is carried forward 5 degrees.
void StepSweep(PlanSweep& sweep, MatrixWrapper& matrix, double now) {
    if (!TakeNewSweepTime(sweep.last_sweep_time, now)) return;
    sweep.sweep_angle_deg = NextPlanSweepAngle(sweep.sweep_angle_deg);
    matrix.SetIdentity();
    matrix.Rotate(kSweepStep_deg);
    matrix.TransformPoints(&sweep.sweep_end, 1);
}

// The whole circle is in view.
bool InPlanView(float /*relative_bearing_deg*/) { return true; }

}  // namespace

float NextPlanSweepAngle(float sweep_angle_deg) {
    return static_cast<float>(std::fmod(sweep_angle_deg + kSweepStep_deg, units::kFullCircle_deg));
}

void DrawPlan(RadarScreen& screen, PlanSweep& sweep, ModuleObjects& objects, traffic::OwnShipRecord& own_ship,
              const OverlayCall& overlay) {
    if (screen.graphics == nullptr) return;
    GraphicsWrapper& graphics = *screen.graphics;
    SetUpOnFirstUse(sweep);
    MatrixWrapper& sweep_matrix = objects.plan_sweep_matrix.Get();
    StringFormatWrapper& label_format = objects.plan_label_format.Get();

    const gdip::GraphicsContainer container = BeginDisplayFrame(graphics, kPlanOriginX, kPlanOriginY);
    DrawRangeMarks(screen, sweep.ring_step, kPlanOuterRadius, label_format, sweep.label_text,
                   [&graphics](const PenWrapper* pen, const gdip::RectF& bounds) { graphics.DrawEllipse(pen, bounds); });
    MatrixWrapper spoke;
    DrawSpokes(screen, sweep.centre, kPlanOuterRadius, kSpokeStep_deg, kSpokeCount, spoke);

    BearingPassFrame frame{};
    frame.heading_deg = traffic::KnownOrUnknown(platform::ReadModuleVariable(sweep.heading));
    frame.now = platform::ReadModuleVariable(sweep.host_time);
    StepSweep(sweep, sweep_matrix, frame.now);
    graphics.DrawLine(screen.resources.bright_pen.get(), sweep.centre.x, sweep.centre.y, sweep.sweep_end.x,
                      sweep.sweep_end.y);

    frame.scale = kPlanOuterRadius / screen.range_nm;
    frame.paint_window = PlanPaintWindow(sweep.sweep_angle_deg);
    MatrixWrapper placement;
    MatrixWrapper vector;
    screen.selection.StartDisplay(DisplayOrigin{kPlanOriginX, kPlanOriginY});
    RunBearingPass(screen, own_ship, frame, InPlanView, placement, vector, sweep.diamond);

    EndDisplayFrame(graphics, container, overlay);
}

}  // namespace display
