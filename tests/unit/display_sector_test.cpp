// The sector display against the recording GDI+: arcs and labels, radial
// lines, the swinging sweep and its paint window, the fan filter, and the
// sweep shared by every gauge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "display/sector_display.h"
#include "display_fixture.h"

namespace {

using displaytest::CallsWith;
using displaytest::Narrow;

double Degrees(double radians) { return radians * 180.0 / M_PI; }

// The screen angle of a line from the apex.
double AngleOf(const recorder::Call& line) { return Degrees(std::atan2(line.args[3], line.args[2])); }

class SectorDisplay : public displaytest::DisplayTest<&displaytest::DrawSector> {
protected:
    // The sweep line of the last frame: the bright line from the apex.
    recorder::Call SweepLine() {
        for (const recorder::Call& line : CallsWith("GdipDrawLine", f.screen.resources.bright_pen->handle()))
            if (line.args[0] == 0.0 && line.args[1] == 0.0) return line;
        ADD_FAILURE() << "no sweep line";
        return recorder::Call{};
    }
    double SweepAngleAt(double host_time) {
        DrawOnlyAt(host_time);
        return AngleOf(SweepLine());
    }
    // Turns the own heading so that the target in `index` lies at exactly
    // this relative bearing.
    void Aim(std::uint32_t index, double relative_deg) {
        const display::TargetFix fix = f.Locate(f.Target(index));
        f.SetHeading(fix.true_bearing_deg - relative_deg);
    }
};

TEST_F(SectorDisplay, DashedArcsAcrossTheFanWithLabelsAboveTheApex) {
    f.screen.range_nm = 40.0f;
    DrawOnlyAt(1.0);
    const auto dashed = CallsWith("GdipDrawArc", f.screen.resources.dashed_pen->handle());
    ASSERT_EQ(dashed.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        const double r = 237.5 * k;
        EXPECT_EQ(dashed[k].args, (std::vector<double>{-r, -r, 2 * r, 2 * r, -30, -120})) << k;
        EXPECT_EQ(dashed[k].world.dx, 500.0f);
        EXPECT_EQ(dashed[k].world.dy, 975.0f);
    }
    const auto outer = CallsWith("GdipDrawArc", f.screen.resources.normal_pen->handle());
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].args, (std::vector<double>{-950, -950, 1900, 1900, -30, -120}));

    const auto labels = recorder::CallsNamed("GdipDrawString");
    ASSERT_EQ(labels.size(), 4u);
    const char* texts[4] = {"10", "20", "30", "40"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Narrow(labels[k].text), texts[k]);
        EXPECT_EQ(labels[k].args, (std::vector<double>{-1, 0, -237.5 * (k + 1), 0, 0})) << k;
        EXPECT_EQ(labels[k].handles[1], f.screen.resources.small_font->handle());
        EXPECT_EQ(labels[k].handles[3], f.screen.resources.normal_brush->handle());
    }
    const auto align = recorder::CallsNamed("GdipSetStringFormatAlign");
    ASSERT_EQ(align.size(), 1u);
    EXPECT_EQ(align[0].args[0], gdip::kAlignCenter);

    // Each label follows its arc.
    const std::vector<std::string> names = recorder::CallNames();
    const auto first_arc = std::find(names.begin(), names.end(), "GdipDrawArc");
    const std::vector<std::string> arcs(first_arc, first_arc + 4);
    EXPECT_EQ(arcs, (std::vector<std::string>{"GdipDrawArc", "GdipDrawArc", "GdipDrawString", "GdipDrawArc"}));
}

TEST_F(SectorDisplay, LabelsForShortRangesAndCutLabelsForHugeOnes) {
    const struct {
        float range;
        const char* texts[4];
    } cases[] = {{10.0f, {"2.50", "5", "7.50", "10"}},
                 {5.0f, {"1.25", "2.50", "3.75", "5"}},
                 {1e10f, {"214748364", "214748364", "214748364", "214748364"}},
                 {4000002.0f, {"1000000.5", "2000001", "3000001.5", "4000002"}}};
    for (const auto& c : cases) {
        f.screen.range_nm = c.range;
        DrawOnlyAt(1.0);
        const auto labels = recorder::CallsNamed("GdipDrawString");
        ASSERT_EQ(labels.size(), 4u);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(Narrow(labels[k].text), c.texts[k]) << c.range;
    }
}

TEST_F(SectorDisplay, FiveRadialLinesAtTheEdgesAheadAndThirtyEitherSide) {
    DrawOnlyAt(1.0);
    const auto spokes = CallsWith("GdipDrawLine", f.screen.resources.normal_pen->handle());
    ASSERT_EQ(spokes.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(spokes[k].args[0], 0.0);
        EXPECT_EQ(spokes[k].args[1], 0.0);
        EXPECT_NEAR(AngleOf(spokes[k]), -30.0 * (k + 1), 1e-3) << k;
        EXPECT_NEAR(std::hypot(spokes[k].args[2], spokes[k].args[3]), 950.0, 1e-2) << k;
    }
    EXPECT_NEAR(spokes[0].args[2], 822.7, 0.05);  // the right edge ends beyond the screen
    EXPECT_NEAR(spokes[0].args[3], -475.0, 0.01);
}

TEST_F(SectorDisplay, TargetsArePlacedByDistanceAndBearingFromTheApex) {
    f.SetTargetCount(3);
    f.screen.range_nm = 40.0f;
    f.PlaceTarget(1, 20.0, 0.0);
    f.PlaceTarget(2, 10.0, 30.0);
    DrawOnlyAt(1.0);
    EXPECT_NEAR(f.DrawnAt(1).x, 0.0f, 0.01f);
    EXPECT_NEAR(f.DrawnAt(1).y, -475.0f, 0.01f);
    EXPECT_NEAR(std::hypot(f.DrawnAt(2).x, f.DrawnAt(2).y), 237.5, 0.01);
    EXPECT_NEAR(f.DrawnAt(2).x, 118.75f, 0.01f);

    // The cross of the first lies at (500, 500) of the virtual screen.
    const auto lines = recorder::CallsNamed("GdipDrawLine");
    const auto cross = std::find_if(lines.begin(), lines.end(), [](const recorder::Call& c) {
        return std::fabs(c.args[0]) < 0.01 && std::fabs(c.args[1] + 485.0) < 0.01;
    });
    ASSERT_NE(cross, lines.end());
    const gdip::PointF centre = cross->world.Apply({static_cast<float>(cross->args[0]), -475.0f});
    EXPECT_NEAR(centre.x, 500.0f, 0.01f);
    EXPECT_NEAR(centre.y, 500.0f, 0.01f);
}

TEST_F(SectorDisplay, TheFanEdgesAreDrawnAndAnythingBeyondIsNeitherPlacedNorCaptured) {
    f.SetTargetCount(2);
    f.PlaceTarget(1, 10.0, 0.0, "EDGE");
    f.Select("EDGE");
    const struct {
        double relative_deg;
        bool drawn;
    } cases[] = {{60.0, true}, {300.0, true}, {60.5, false}, {299.5, false}};
    double now = 1.0;
    for (const auto& c : cases) {
        f.screen.selection.Capture(0, 99.0f, 0.0f);
        Aim(1, c.relative_deg);
        DrawOnlyAt(now++);
        const bool placed = !std::isnan(f.DrawnAt(1).x);
        EXPECT_EQ(placed, c.drawn) << c.relative_deg;
        EXPECT_EQ(f.screen.selection.visible(), c.drawn) << c.relative_deg;
        EXPECT_EQ(f.screen.selection.index(), c.drawn ? 1 : 0) << c.relative_deg;
        EXPECT_EQ(f.screen.selection.distance_nm() == 99.0f, !c.drawn) << c.relative_deg;
        EXPECT_EQ(recorder::CallsNamed("GdipDrawRectangle").size(), c.drawn ? 1u : 0u) << c.relative_deg;
        // Five spokes, the sweep line, and for a drawn target a cross and a vector.
        EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), c.drawn ? 9u : 6u) << c.relative_deg;
    }
    EXPECT_TRUE(display::InSectorFan(60.0f));
    EXPECT_TRUE(display::InSectorFan(300.0f));
    EXPECT_TRUE(display::InSectorFan(0.0f));
    EXPECT_TRUE(display::InSectorFan(360.0f));
    EXPECT_FALSE(display::InSectorFan(180.0f));
    EXPECT_FALSE(display::InSectorFan(std::nanf("")));
}

TEST_F(SectorDisplay, TheFirstFrameStartsAtTheRightEdgeMovingLeftWhetherOrNotTimeChanged) {
    EXPECT_NEAR(SweepAngleAt(0.0), -30.0, 1e-3);  // no change of host time, still set onto the edge
    EXPECT_NEAR(SweepAngleAt(0.0), -30.0, 1e-3);
    EXPECT_NEAR(SweepAngleAt(1.0), -35.0, 1e-3);  // the direction is now -1
    EXPECT_NEAR(SweepAngleAt(1.0), -35.0, 1e-3);
    EXPECT_NEAR(SweepAngleAt(2.0), -40.0, 1e-3);
    // A NaN host time counts as a change, every time.
    EXPECT_NEAR(SweepAngleAt(std::nan("")), -45.0, 1e-3);
    EXPECT_NEAR(SweepAngleAt(std::nan("")), -50.0, 1e-3);

    const display::SweepSwing first = display::LimitSectorSweep(display::SweepSwing{0.0f, 1.0f});
    EXPECT_EQ(first.angle_deg, -30.0f);
    EXPECT_EQ(first.direction, -1.0f);
}

TEST_F(SectorDisplay, TheSweepHoldsAtEachEdgeAndPaintsTheStepJustOutsideAfterTurning) {
    f.SetTargetCount(3);
    f.PlaceTarget(1, 10.0, 297.0);  // just beyond the left edge
    f.PlaceTarget(2, 10.0, 62.0);   // just beyond the right edge

    EXPECT_NEAR(SweepAngleAt(0.0), -30.0, 1e-3);
    EXPECT_EQ(f.Target(2).last_paint_time, 0.0);  // painted by the first window, 60..65, at host time 0
    for (int t = 1; t <= 23; ++t) DrawAt(t);
    EXPECT_NEAR(SweepAngleAt(24.0), -150.0, 1e-3);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    EXPECT_NEAR(SweepAngleAt(25.0), -150.0, 1e-3);  // held for one more change, turned
    EXPECT_EQ(f.Target(1).last_paint_time, 25.0);   // window 295..300: painted
    EXPECT_TRUE(std::isnan(f.DrawnAt(1).x));  // but outside the fan: not placed
    EXPECT_NEAR(SweepAngleAt(26.0), -145.0, 1e-3);

    for (int t = 27; t <= 48; ++t) DrawAt(t);
    EXPECT_NEAR(SweepAngleAt(49.0), -30.0, 1e-3);
    EXPECT_EQ(f.Target(2).last_paint_time, 0.0);
    EXPECT_NEAR(SweepAngleAt(50.0), -30.0, 1e-3);
    EXPECT_EQ(f.Target(2).last_paint_time, 50.0);  // window 60..65
    EXPECT_NEAR(SweepAngleAt(51.0), -35.0, 1e-3);
    // The same host time again applies the same window again.
    f.Target(2).last_paint_time = 0.0;
    EXPECT_NEAR(SweepAngleAt(51.0), -35.0, 1e-3);
    EXPECT_EQ(f.Target(2).last_paint_time, 0.0);  // 55..60 does not hold 62

    const display::PaintWindow left = display::SectorPaintWindow(display::SweepSwing{-150.0f, 1.0f});
    EXPECT_EQ(left.lo, 295.0f);
    EXPECT_EQ(left.hi, 300.0f);
    const display::PaintWindow right = display::SectorPaintWindow(display::SweepSwing{-30.0f, -1.0f});
    EXPECT_EQ(right.lo, 60.0f);
    EXPECT_EQ(right.hi, 65.0f);
}

TEST_F(SectorDisplay, TheStepBetweenMinusNinetyAndMinusEightyFiveCoversDeadAhead) {
    const display::PaintWindow rightward = display::SectorPaintWindow(display::SweepSwing{-85.0f, 1.0f});
    EXPECT_EQ(rightward.lo, 0.0f);
    EXPECT_EQ(rightward.hi, 5.0f);
    const display::PaintWindow leftward = display::SectorPaintWindow(display::SweepSwing{-90.0f, -1.0f});
    EXPECT_EQ(leftward.lo, 0.0f);
    EXPECT_EQ(leftward.hi, 5.0f);
    const display::PaintWindow before = display::SectorPaintWindow(display::SweepSwing{-90.0f, 1.0f});
    EXPECT_EQ(before.lo, 355.0f);
    EXPECT_EQ(before.hi, 360.0f);
    EXPECT_FALSE(display::InPaintWindow(0.0f, before));

    // Moving left from -30: -85 at the 11th change, -90 at the 12th.
    f.SetTargetCount(2);
    f.PlaceTarget(1, 10.0, 0.0);
    Aim(1, 0.0);
    for (int t = 0; t <= 10; ++t) DrawAt(t);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    EXPECT_NEAR(SweepAngleAt(11.0), -85.0, 1e-3);  // window -85..-80: 5..10
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    EXPECT_NEAR(SweepAngleAt(12.0), -90.0, 1e-3);  // window -90..-85: 0..5
    EXPECT_EQ(f.Target(1).last_paint_time, 12.0);
    f.Target(1).last_paint_time = 0.0;
    EXPECT_NEAR(SweepAngleAt(13.0), -95.0, 1e-3);  // window -95..-90: 355..360
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
}

TEST_F(SectorDisplay, GroundTargetsAreNeitherPaintedNorDrawnAndKeepTheirPaintTime) {
    f.SetTargetCount(2);
    f.PlaceTarget(1, 10.0, 62.0).height_above_ground = 50;
    f.Target(1).last_paint_time = 0.5;
    DrawOnlyAt(5.0);  // window 60..65; a dim target would be reset
    EXPECT_EQ(f.Target(1).last_paint_time, 0.5);
    EXPECT_TRUE(std::isnan(f.DrawnAt(1).x));
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 6u);
}

TEST_F(SectorDisplay, TwoGaugesShareOneSweepWhileEachPaintsItsOwnList) {
    f.SetTargetCount(2);
    traffic::TrafficList other_list(f.shared.refresh_clock, f.shared.net_module_search);
    other_list.Refresh();
    display::RadarScreen other(other_list, display::kModeSector, 40.0f);
    other.graphics = f.screen.graphics;
    display::CreateGreenScheme(other.resources, f.shared.gdiplus_objects.generic_family);
    const auto draw_other = [&] {
        display::DrawSector(other, f.shared.sector_sweep, f.shared.gdiplus_objects, f.shared.own_ship, f.overlay);
    };

    f.PlaceTarget(1, 10.0, 62.0);   // in the first window, 60..65
    *other_list.Target(1) = f.Target(1);
    f.PlaceTarget(1, 10.0, 30.0);   // this gauge's target is elsewhere
    ASSERT_EQ(other_list.Count(), 2u);

    f.SetHostTime(1.0);
    recorder::Clear();
    displaytest::DrawSector(f);
    const double first_angle = AngleOf(SweepLine());
    recorder::Clear();
    draw_other();
    for (const recorder::Call& line : CallsWith("GdipDrawLine", other.resources.bright_pen->handle())) {
        if (line.args[0] == 0.0 && line.args[1] == 0.0) {
            EXPECT_NEAR(AngleOf(line), first_angle, 1e-3);
        }
    }
    EXPECT_NEAR(first_angle, -30.0, 1e-3);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    EXPECT_EQ(other_list.Target(1)->last_paint_time, 1.0);

    // The next host time moves the sweep once, however many gauges draw.
    f.SetHostTime(2.0);
    draw_other();
    recorder::Clear();
    displaytest::DrawSector(f);
    EXPECT_NEAR(AngleOf(SweepLine()), -35.0, 1e-3);
}

TEST_F(SectorDisplay, FailingMatricesLeaveTheSweepLineAlongXWhileTheSweepMoves) {
    recorder::FailCalls("GdipCreateMatrix", gdip::kOutOfMemory);
    f.SetTargetCount(2);
    f.PlaceTarget(1, 10.0, 62.0);
    DrawOnlyAt(1.0);
    const recorder::Call line = SweepLine();
    EXPECT_EQ(line.args[2], 950.0);
    EXPECT_EQ(line.args[3], 0.0);
    EXPECT_EQ(f.Target(1).last_paint_time, 1.0);
    EXPECT_EQ(f.overlay_calls, 1);
}

}  // namespace
