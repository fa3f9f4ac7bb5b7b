#include "display/sector_display.h"

#include <cmath>

#include "display/display_frame.h"
#include "display/range_marks.h"
#include "platform/units.h"

namespace display {
namespace {

constexpr float kArcStep = kSectorOuterRadius / kRangeMarkQuarters;  // 237.5
constexpr float kFanWidth_deg = kSectorLeftEdge_deg - kSectorRightEdge_deg;  // -120: counter-clockwise
constexpr float kSpokeStep_deg = -30.0f;  // counter-clockwise on screen
constexpr int kSpokeCount = 5;            // at screen angles -30, -60, -90, -120 and -150
constexpr float kScreenAngleToBearing_deg = 450.0f;  // +90 to a bearing, +360 to keep it positive

// Set once, at the first frame any gauge draws.
void SetUpOnFirstUse(SectorSweep& sweep) {
    if (sweep.set_up) return;
    sweep.ring_step = kArcStep;
    sweep.sweep_origin = {0.0f, 0.0f};
    for (gdip::PointF& vertex : sweep.diamond) vertex = {0.0f, 0.0f};
    sweep.set_up = true;
}

// Moves the sweep once per new host time value, whichever gauge sees it
// first; the limits hold in every frame.
void MoveSweep(SectorSweep& sweep, double now) {
    if (TakeNewSweepTime(sweep.last_sweep_time, now)) sweep.swing = StepSectorSweep(sweep.swing);
    sweep.swing = LimitSectorSweep(sweep.swing);
}

// The line is turned from the outer radius afresh in every frame.
void DrawSweepLine(const RadarScreen& screen, const SectorSweep& sweep, MatrixWrapper& matrix) {
    gdip::PointF end{kSectorOuterRadius, 0.0f};
    matrix.SetIdentity();
    matrix.Rotate(sweep.swing.angle_deg);
    matrix.TransformPoints(&end, 1);
    screen.graphics->DrawLine(screen.resources.bright_pen.get(), sweep.sweep_origin.x, sweep.sweep_origin.y, end.x,
                              end.y);
}

float BearingOfScreenAngle(float screen_angle_deg) {
    return static_cast<float>(std::fmod(screen_angle_deg + kScreenAngleToBearing_deg, units::kFullCircle_deg));
}

}  // namespace

SweepSwing StepSectorSweep(SweepSwing swing) {
    swing.angle_deg += swing.direction * kSweepStep_deg;
    return swing;
}

SweepSwing LimitSectorSweep(SweepSwing swing) {
    if (swing.angle_deg > kSectorRightEdge_deg) {
        swing.angle_deg = kSectorRightEdge_deg;
        swing.direction = -swing.direction;
    } else if (swing.angle_deg < kSectorLeftEdge_deg) {
        swing.angle_deg = kSectorLeftEdge_deg;
        swing.direction = -swing.direction;
    }
    return swing;
}

PaintWindow SectorPaintWindow(SweepSwing swing) {
    const float previous = swing.angle_deg - swing.direction * kSweepStep_deg;
    const float lo = swing.angle_deg < previous ? swing.angle_deg : previous;
    const float hi = swing.angle_deg > previous ? swing.angle_deg : previous;
    PaintWindow window{BearingOfScreenAngle(lo), BearingOfScreenAngle(hi)};
    if (window.lo > window.hi) window.hi += static_cast<float>(units::kFullCircle_deg);
    return window;
}

bool InSectorFan(float relative_bearing_deg) {
    return relative_bearing_deg >= kSectorFanLeft_deg || relative_bearing_deg <= kSectorFanRight_deg;
}

void DrawSector(RadarScreen& screen, SectorSweep& sweep, ModuleObjects& objects, traffic::OwnShipRecord& own_ship,
                const OverlayCall& overlay) {
    if (screen.graphics == nullptr) return;
    GraphicsWrapper& graphics = *screen.graphics;
    SetUpOnFirstUse(sweep);
    MatrixWrapper& sweep_matrix = objects.sector_sweep_matrix.Get();
    StringFormatWrapper& label_format = objects.sector_label_format.Get();

    const gdip::GraphicsContainer container = BeginDisplayFrame(graphics, kSectorApexX, kSectorApexY);
    // Each dashed arc, then its label hanging inside it; the solid outer arc last.
    DrawRangeMarks(screen, sweep.ring_step, kSectorOuterRadius, label_format, sweep.label_text,
                   [&graphics](const PenWrapper* pen, const gdip::RectF& bounds) {
                       graphics.DrawArc(pen, bounds, kSectorRightEdge_deg, kFanWidth_deg);
                   });
    MatrixWrapper spoke;
    DrawSpokes(screen, sweep.sweep_origin, kSectorOuterRadius, kSpokeStep_deg, kSpokeCount, spoke);

    BearingPassFrame frame{};
    frame.heading_deg = traffic::KnownOrUnknown(platform::ReadModuleVariable(sweep.heading));
    frame.now = platform::ReadModuleVariable(sweep.host_time);
    MoveSweep(sweep, frame.now);
    DrawSweepLine(screen, sweep, sweep_matrix);

    frame.scale = kSectorOuterRadius / screen.range_nm;
    frame.paint_window = SectorPaintWindow(sweep.swing);
    MatrixWrapper placement;
    MatrixWrapper vector;
    screen.selection.StartDisplay(DisplayOrigin{kSectorApexX, kSectorApexY});
    // The paint test and the brightness run for every airborne target, the
    // placement only inside the fan.
    RunBearingPass(screen, own_ship, frame, InSectorFan, placement, vector, sweep.diamond);

    EndDisplayFrame(graphics, container, overlay);
}

}  // namespace display
