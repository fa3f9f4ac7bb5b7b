// The altitude display against the recording GDI+: the grid, the scanning
// sweep and its windows, bearing by altitude difference, the ±20° view and
// the vertical-speed lines.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "display/altitude_display.h"
#include "display/heading_cone.h"
#include "display/target_selection.h"
#include "platform/units.h"
#include "display_fixture.h"

namespace {

using displaytest::CallsWith;

constexpr double kOwnAltitude_m = 3000.0;
const double kOwnAltitude_ft = kOwnAltitude_m * units::kFeetPerMetre;

class AltitudeDisplay : public displaytest::DisplayTest<&displaytest::DrawAltitude> {
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
        const display::TargetFix fix = f.Locate(target);
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
    EXPECT_EQ(f.DrawnAt(1).x, 0.0f);
    EXPECT_EQ(f.DrawnAt(1).y, 0.0f);

    const struct {
        double relative_deg;
        double feet_below;
        float x;
        float y;
    } cases[] = {{20.0, 3000.0, 400.0f, 500.0f},      // bottom edge
                 {-20.0, -3000.0, -400.0f, -500.0f},  // top edge
                 {5.0, 1000.0, 100.0f, 200.0f},       // on the dashed 1000 ft line
                 {-10.0, -2500.0, -200.0f, -500.0f}};
    for (const auto& c : cases) {
        PlaceAt(1, c.relative_deg, c.feet_below);
        DrawOnlyAt(1.0);
        EXPECT_EQ(f.DrawnAt(1).x, c.x) << c.relative_deg;
        EXPECT_NEAR(f.DrawnAt(1).y, c.y, 1e-3f) << c.feet_below;
    }
    EXPECT_EQ(display::FoldedBearing(180.0f), 180.0f);
    EXPECT_EQ(display::FoldedBearing(180.5f), -179.5f);
    EXPECT_EQ(display::FoldedBearing(360.0f), 0.0f);
}

TEST_F(AltitudeDisplay, OnlyTargetsWithinTwentyDegreesAreDrawnAndClickable) {
    f.SetTargetCount(2);
    const struct {
        double relative_deg;
        bool drawn;
        float x;
    } cases[] = {{20.0, true, 400.0f}, {-20.0, true, -400.0f}, {20.5, false, 0.0f}, {-20.5, false, 0.0f},
                 {180.0, false, 0.0f},  // behind: beyond the sweep's reach, not placed
                 {270.0, false, 0.0f}, {-22.0, false, 0.0f},   {23.0, false, 0.0f}};
    for (const auto& c : cases) {
        PlaceAt(1, c.relative_deg, 1000.0, "SIDE");
        f.Select("SIDE");
        f.screen.selection.Capture(0, 99.0f, 0.0f);
        f.Target(1).last_paint_time = 0.1;  // dim at host time 1: forgotten, placed or not
        DrawOnlyAt(1.0);
        if (c.drawn) {
            EXPECT_EQ(f.DrawnAt(1).x, c.x) << c.relative_deg;
        }
        EXPECT_EQ(std::isnan(f.DrawnAt(1).x), !c.drawn) << c.relative_deg;
        EXPECT_EQ(f.Target(1).last_paint_time, 0.0) << c.relative_deg;
        EXPECT_EQ(f.screen.selection.visible(), c.drawn) << c.relative_deg;
        EXPECT_EQ(f.screen.selection.distance_nm() == 99.0f, !c.drawn) << c.relative_deg;
        EXPECT_EQ(recorder::CallsNamed("GdipDrawRectangle").size(), c.drawn ? 1u : 0u) << c.relative_deg;
        // Grid 10, sweep 1, and for a drawn target a cross and its vertical-speed line.
        EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), c.drawn ? 14u : 11u) << c.relative_deg;
    }

    // The hidden target at 20.5 degrees would stand at (410, 200), but a
    // click there selects nothing: its symbol is not on the screen.
    PlaceAt(1, 20.5, 1000.0, "HIDDEN");
    DrawOnlyAt(2.0);
    f.screen.selection.ClickAt(500 + 410, 500 + 200, display::DisplayOrigin{500.0f, 500.0f});
    EXPECT_STREQ(f.screen.selection.identifier(), "");
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
    displaytest::DrawAltitude(f);  // the same host time: the same window again
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

TEST_F(AltitudeDisplay, GroundTargetsAreIgnoredAndKeepTheSelection) {
    f.SetTargetCount(3);
    PlaceAt(1, 0.0, 0.0, "LOW").height_above_ground = 50;
    f.Target(1).last_paint_time = 0.25;
    f.screen.selection.Pick("LOW", 2);
    f.screen.selection.Capture(2, 5.0f, 0.0f);
    DrawOnlyAt(1.0);
    EXPECT_TRUE(std::isnan(f.DrawnAt(1).x));
    EXPECT_EQ(f.Target(1).last_paint_time, 0.25);
    EXPECT_FALSE(f.screen.selection.visible());
    EXPECT_EQ(f.screen.selection.index(), 2);
    EXPECT_EQ(f.screen.selection.distance_nm(), 5.0f);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 11u);
}

// The pass skips the bearing of a target the cone calls beyond the sweep's
// reach, so the cone must never say so of a target whose bearing, as the
// location works it out, is within it: over positions near and far, at the
// poles and across the date line, and at every heading. It must also say
// so of most targets that are far beyond, or it saves nothing.
TEST(AltitudeReach, ATargetCalledBeyondItHasABearingBeyondIt) {
    constexpr double kReach_deg = 21.0;
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> latitude(-90.0, 90.0);
    std::uniform_real_distribution<double> longitude(-180.0, 180.0);
    std::uniform_real_distribution<double> heading(-720.0, 720.0);
    std::uniform_real_distribution<double> exponent(-9.0, 0.5);  // degrees apart: 1e-9 to 3
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int far_beyond = 0;
    int called_beyond = 0;
    traffic::LocalAxes own_axes{};  // the memos kept throughout, as in a pass
    traffic::LatitudeTrig own_latitude_trig{};
    traffic::RadarTarget target{};
    traffic::GeoPosition own{};
    for (int i = 0; i < 100000; ++i) {
        if (i % 4 == 0) own = {i % 7 ? latitude(random) : 89.9999 * unit(random), longitude(random)};
        const double offset = std::pow(10.0, exponent(random));
        if (i % 5) {  // else the target stays where it was and its memo holds
            target.latitude_deg = std::fmax(-90.0, std::fmin(90.0, own.latitude_deg + offset * unit(random)));
            target.longitude_deg = own.longitude_deg + offset * unit(random) * (i % 3 ? 1.0 : 200.0);
        }
        const double heading_deg = i % 11 ? heading(random) : std::round(heading(random));

        const traffic::GreatCircleLeg leg = display::LegFrom(own, own_latitude_trig, target);
        const float bearing = display::FoldedBearing(display::FixOnLeg(leg, heading_deg).relative_bearing_deg);
        traffic::LegDirection direction{};
        const bool beyond = traffic::LegDirectionOf(own, own_axes, traffic::PositionOf(target), target.sphere_point,
                                                    direction) &&
                            display::ProvablyOutside(display::ConeAboutHeading(heading_deg, kReach_deg), direction);
        if (beyond) {
            ++called_beyond;
            ASSERT_GT(std::fabs(bearing), kReach_deg) << own.latitude_deg << " " << own.longitude_deg << " -> "
                                                      << target.latitude_deg << " " << target.longitude_deg
                                                      << " heading " << heading_deg;
        }
        const bool has_direction = std::fabs(target.longitude_deg) <= traffic::kDirectionLongitudeLimit_deg;
        if (std::fabs(bearing) > kReach_deg + 1.0 && offset > 1e-6 && has_direction) ++far_beyond;
    }
    EXPECT_GT(called_beyond, far_beyond * 99 / 100);
    EXPECT_GT(far_beyond, 50000);

    // Nothing is beyond a cone that cannot be trusted, and a direction that
    // cannot be trusted is beyond nothing.
    const traffic::LegDirection behind{-1.0, 0.0};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(display::ProvablyOutside(display::ConeAboutHeading(0.0, kReach_deg), behind));
    for (double heading_deg : {nan, std::numeric_limits<double>::infinity(), 1e300, -2e9})
        EXPECT_FALSE(display::ProvablyOutside(display::ConeAboutHeading(heading_deg, kReach_deg), behind));
    for (double half_angle_deg : {nan, -1.0, 89.6})
        EXPECT_FALSE(display::ProvablyOutside(display::ConeAboutHeading(0.0, half_angle_deg), behind));
    for (const traffic::LegDirection direction : {traffic::LegDirection{0.0, 0.0}, traffic::LegDirection{-1e-11, 0.0},
                                                  traffic::LegDirection{nan, 0.0}, traffic::LegDirection{0.0, nan}})
        EXPECT_FALSE(display::ProvablyOutside(display::ConeAboutHeading(0.0, kReach_deg), direction));

    // A longitude whose difference rounds too coarsely gives no direction.
    traffic::LegDirection untouched{5.0, 5.0};
    const traffic::GeoPosition origin{0.0, 0.0};
    traffic::SpherePoint point{};
    EXPECT_FALSE(traffic::LegDirectionOf(origin, own_axes, {0.0, -400.5}, point, untouched));
    EXPECT_FALSE(traffic::LegDirectionOf({0.0, nan}, own_axes, origin, point, untouched));
    EXPECT_EQ(untouched.north, 5.0);
}

}  // namespace
