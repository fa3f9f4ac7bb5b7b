// The altitude display against the recording GDI+: the grid, the scanning
// sweep and its windows, bearing by altitude difference, the ±20° view and
// the vertical-speed lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "display/altitude_display.h"
#include "display/target_selection.h"
#include "display_fixture.h"

namespace {

using displaytest::CallsWith;

constexpr double kOwnAltitude_m = 3000.0;
const double kOwnAltitude_ft = kOwnAltitude_m * display::kFeetPerMetre;

class AltitudeDisplay : public displaytest::DisplayTest<&display::DrawAltitude> {
protected:
    AltitudeDisplay() { f.host.SetModuleVariable(sim::kTokenOwnAltitude, kOwnAltitude_m); }

    // x of the sweep line of the last frame: the bright line over the full height.
    double SweepAt(double host_time) {
        DrawOnlyAt(host_time);
        for (const recorder::Call& line : CallsWith("GdipDrawLine", f.screen.resources.bright_pen->handle()))
            if (line.args[1] == -500.0 && line.args[3] == 500.0) return line.args[0];
        ADD_FAILURE() << "no sweep line";
        return 0.0;
    }
    // A target in `index` at this many feet below the own aircraft, turned
    // by the own heading to exactly this relative bearing.
    traffic::RadarTarget& PlaceAt(std::uint32_t index, double relative_deg, double feet_below,
                                  const std::string& identifier = "T") {
        traffic::RadarTarget& target = f.PlaceTarget(index, 10.0, 0.0, identifier);
        target.altitude_ft = kOwnAltitude_ft - feet_below;
        const display::TargetFix fix = display::LocateTarget(target, 0.0);
        f.SetHeading(fix.true_bearing_deg - relative_deg);
        return target;
    }
};

TEST_F(AltitudeDisplay, GridOfBearingLinesOverTheFullHeightAndAltitudeLinesAcrossTheSweep) {
    DrawOnlyAt(1.0);
    const auto lines = recorder::CallsNamed("GdipDrawLine");
    ASSERT_GE(lines.size(), 11u);
    const void* normal = f.screen.resources.normal_pen->handle();
    const void* dashed = f.screen.resources.dashed_pen->handle();
    for (int k = 0; k < 5; ++k) {
        const double x = 200.0 * (k - 2);
        EXPECT_EQ(lines[k].args, (std::vector<double>{x, -500, x, 500})) << k;
        EXPECT_EQ(lines[k].handles[1], (k == 0 || k == 4) ? normal : dashed) << k;
        EXPECT_EQ(lines[k].world.dx, 500.0f);
        EXPECT_EQ(lines[k].world.dy, 500.0f);
    }
    for (int k = 0; k < 5; ++k) {
        const double y = 200.0 * (k - 2);
        EXPECT_EQ(lines[5 + k].args, (std::vector<double>{-400, y, 400, y})) << k;
        EXPECT_EQ(lines[5 + k].handles[1], k == 2 ? normal : dashed) << k;
    }
    EXPECT_EQ(lines[10].handles[1], f.screen.resources.bright_pen->handle());  // the sweep line
    EXPECT_EQ(lines.size(), 11u);
}

TEST_F(AltitudeDisplay, TargetsLieByBearingAcrossAndByAltitudeDifferenceDown) {
    f.SetTargetCount(2);
    PlaceAt(1, 0.0, 0.0);
    DrawOnlyAt(1.0);
    EXPECT_EQ(f.screen.screen_positions[1].x, 0.0f);
    EXPECT_EQ(f.screen.screen_positions[1].y, 0.0f);

    const struct {
        double relative_deg;
        double feet_below;
        float x;
        float y;
    } cases[] = {{20.0, 3000.0, 400.0f, 500.0f},      // bottom edge
                 {-20.0, -3000.0, -400.0f, -500.0f},  // top edge
                 {5.0, 1000.0, 100.0f, 200.0f},       // on the dashed 1000 ft line
                 {-10.0, -2500.0, -200.0f, -500.0f},
                 {180.0, 0.0, 3600.0f, 0.0f},         // behind: kept, not folded away
                 {270.0, 100.0, -1800.0f, 20.0f}};
    for (const auto& c : cases) {
        PlaceAt(1, c.relative_deg, c.feet_below);
        DrawOnlyAt(1.0);
        EXPECT_EQ(f.screen.screen_positions[1].x, c.x) << c.relative_deg;
        EXPECT_NEAR(f.screen.screen_positions[1].y, c.y, 1e-3f) << c.feet_below;
    }
    EXPECT_EQ(display::FoldedBearing(180.0f), 180.0f);
    EXPECT_EQ(display::FoldedBearing(180.5f), -179.5f);
    EXPECT_EQ(display::FoldedBearing(360.0f), 0.0f);
}

TEST_F(AltitudeDisplay, OnlyTargetsWithinTwentyDegreesAreDrawnAndClickableButAllArePlaced) {
    f.SetTargetCount(2);
    const struct {
        double relative_deg;
        bool drawn;
        float x;
    } cases[] = {{20.0, true, 400.0f}, {-20.0, true, -400.0f}, {20.5, false, 410.0f},
                 {-20.5, false, -410.0f}, {180.0, false, 3600.0f}};
    for (const auto& c : cases) {
        PlaceAt(1, c.relative_deg, 1000.0, "SIDE");
        f.Select("SIDE");
        f.screen.selected_distance_nm = 99.0f;
        DrawOnlyAt(1.0);
        EXPECT_EQ(f.screen.screen_positions[1].x, c.x) << c.relative_deg;
        EXPECT_EQ(f.screen.selected_visible, c.drawn ? 1 : 0) << c.relative_deg;
        EXPECT_EQ(f.screen.selected_distance_nm == 99.0f, !c.drawn) << c.relative_deg;
        EXPECT_EQ(recorder::CallsNamed("GdipDrawRectangle").size(), c.drawn ? 1u : 0u) << c.relative_deg;
        // Grid 10, sweep 1, and for a drawn target a cross and its vertical-speed line.
        EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), c.drawn ? 14u : 11u) << c.relative_deg;
    }

    // The hidden target at 20.5 degrees is stored at (410, 200), but a click
    // there selects nothing: its symbol is not on the screen.
    PlaceAt(1, 20.5, 1000.0, "HIDDEN");
    display::ForgetDrawnSymbols(f.screen);  // as the frame cycle does before a display draws
    DrawOnlyAt(2.0);
    EXPECT_EQ(f.screen.screen_positions[1].x, 410.0f);
    display::DisplayOrigin origin{};
    ASSERT_TRUE(display::DisplayOriginOf(display::kModeAltitude, origin));
    display::SelectTargetAt(f.screen, 500 + 410, 500 + 200, origin);
    EXPECT_STREQ(f.screen.selected_identifier, "");
    EXPECT_FALSE(display::InAltitudeView(std::nanf("")));
}

TEST_F(AltitudeDisplay, TheSweepHoldsTwoStepsAtEachEnd) {
    EXPECT_EQ(SweepAt(0.0), 0.0);  // no change of host time: stays at 0
    EXPECT_EQ(SweepAt(1.0), 20.0);
    for (int t = 2; t <= 18; ++t) DrawAt(t);
    EXPECT_EQ(SweepAt(19.0), 380.0);
    EXPECT_EQ(SweepAt(20.0), 400.0);
    EXPECT_EQ(SweepAt(21.0), 400.0);
    EXPECT_EQ(SweepAt(21.0), 400.0);  // the same host time leaves it
    EXPECT_EQ(SweepAt(22.0), 380.0);
    EXPECT_EQ(SweepAt(23.0), 360.0);
    for (int t = 24; t <= 59; ++t) DrawAt(t);
    EXPECT_EQ(SweepAt(60.0), -380.0);
    EXPECT_EQ(SweepAt(61.0), -400.0);
    EXPECT_EQ(SweepAt(62.0), -400.0);
    EXPECT_EQ(SweepAt(63.0), -380.0);

    const display::SweepScan turned = display::LimitAltitudeSweep(display::SweepScan{420.0f, 1.0f}, -400.0f, 400.0f);
    EXPECT_EQ(turned.position, 400.0f);
    EXPECT_EQ(turned.direction, -1.0f);
    const display::SweepScan at_end = display::LimitAltitudeSweep(display::SweepScan{400.0f, 1.0f}, -400.0f, 400.0f);
    EXPECT_EQ(at_end.direction, 1.0f);  // on the bound: left alone
}

TEST_F(AltitudeDisplay, TurningStepsPaintJustBeyondTheSidesAndEachPositionTwice) {
    const display::PaintWindow right = display::AltitudePaintWindow(display::SweepScan{400.0f, -1.0f}, 20.0f);
    EXPECT_EQ(right.lo, 400.0f);
    EXPECT_EQ(right.hi, 420.0f);
    const display::PaintWindow left = display::AltitudePaintWindow(display::SweepScan{-400.0f, 1.0f}, 20.0f);
    EXPECT_EQ(left.lo, -420.0f);
    EXPECT_EQ(left.hi, -400.0f);

    f.SetTargetCount(2);
    PlaceAt(1, 19.0, 0.0);  // x = 380
    for (int t = 1; t <= 17; ++t) DrawAt(t);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    DrawAt(18.0);  // 340 -> 360: window 340..360
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    DrawAt(19.0);  // 360 -> 380
    EXPECT_EQ(f.Target(1).last_paint_time, 19.0);
    DrawAt(20.0);  // 380 -> 400
    EXPECT_EQ(f.Target(1).last_paint_time, 20.0);
    DrawAt(21.0);  // held at 400, window 400..420: not painted, and dim again
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);

    PlaceAt(1, 20.5, 0.0);  // x = 410: painted by the turning step only, never drawn
    f.Target(1).last_paint_time = 0.0;
    recorder::Clear();
    f.SetHostTime(21.0);
    display::DrawAltitude(f.screen, f.overlay);  // the same host time: the same window again
    EXPECT_EQ(f.Target(1).last_paint_time, 21.0);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 11u);
    DrawAt(22.0);  // 400 -> 380: window 380..400 leaves it, dim again
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);

    for (int t = 23; t <= 61; ++t) DrawAt(t);
    PlaceAt(1, -20.5, 0.0);  // x = -410
    f.Target(1).last_paint_time = 0.0;
    DrawAt(62.0);  // the left turn, window -420..-400
    EXPECT_EQ(f.Target(1).last_paint_time, 62.0);
}

TEST_F(AltitudeDisplay, VerticalSpeedLinesStandUprightFromTheSymbol) {
    f.SetTargetCount(2);
    const struct {
        double vertical_speed_fpm;
        double length;  // up is negative
    } cases[] = {{0.0, 0.0}, {1000.0, -50.0}, {-2000.0, 100.0}, {1e300, -3.4028234663852886e38}};
    for (const auto& c : cases) {
        PlaceAt(1, 10.0, 500.0).vertical_speed_fpm = c.vertical_speed_fpm;
        DrawOnlyAt(1.0);
        const auto lines = recorder::CallsNamed("GdipDrawLine");
        ASSERT_EQ(lines.size(), 14u);
        const recorder::Call& line = lines.back();
        EXPECT_EQ(line.args[0], 200.0);
        EXPECT_EQ(line.args[2], 200.0);
        EXPECT_NEAR(line.args[1], 100.0, 1e-3);
        EXPECT_NEAR(line.args[3] - line.args[1], c.length, std::fabs(c.length) * 1e-6 + 1e-3) << c.vertical_speed_fpm;
    }
}

TEST_F(AltitudeDisplay, GroundTargetsAreIgnoredAndKeepTheirPositionAndTheSelection) {
    f.SetTargetCount(3);
    PlaceAt(1, 0.0, 0.0, "LOW").height_above_ground = 50;
    f.Target(1).last_paint_time = 0.25;
    f.screen.screen_positions[1] = {3.0f, 4.0f};
    f.Select("LOW");
    f.screen.selected_index = 2;
    f.screen.selected_distance_nm = 5.0f;
    DrawOnlyAt(1.0);
    EXPECT_EQ(f.screen.screen_positions[1].x, 3.0f);
    EXPECT_EQ(f.screen.screen_positions[1].y, 4.0f);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.25);
    EXPECT_EQ(f.screen.selected_visible, 0);
    EXPECT_EQ(f.screen.selected_index, 2);
    EXPECT_EQ(f.screen.selected_distance_nm, 5.0f);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 11u);
}

}  // namespace
