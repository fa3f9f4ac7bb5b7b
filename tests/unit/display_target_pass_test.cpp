// The per-target steps shared by the displays: filter, bearing, placement,
// paint window, brightness, symbols, selection capture and vector.
#include <gtest/gtest.h>

#include <cmath>

#include "display/target_pass.h"
#include "display_fixture.h"

namespace {

using display::PaintWindow;
using display::ScreenPosition;
using displaytest::CallsWith;
using displaytest::DisplayFixture;

TEST(TargetPass, GroundFilterKeepsOnlyTargetsAbove50) {
    traffic::RadarTarget target{};
    target.height_above_ground = 50;
    EXPECT_FALSE(display::IsAirborne(target));
    target.height_above_ground = 51;
    EXPECT_TRUE(display::IsAirborne(target));
    target.height_above_ground = -1000;
    EXPECT_FALSE(display::IsAirborne(target));
}

TEST(TargetPass, RelativeBearingIsClockwiseFromTheHeadingWithin0To360) {
    EXPECT_FLOAT_EQ(display::RelativeBearing(90.0f, 0.0), 90.0f);
    EXPECT_FLOAT_EQ(display::RelativeBearing(10.0f, 350.0), 20.0f);
    EXPECT_FLOAT_EQ(display::RelativeBearing(350.0f, 10.0), 340.0f);
    EXPECT_FLOAT_EQ(display::RelativeBearing(0.0f, 720.0), 0.0f);
    EXPECT_TRUE(std::isnan(display::RelativeBearing(10.0f, std::nan(""))));
}

TEST(TargetPass, PlanPaintWindowIsTheFiveDegreesUpToTheSweepLine) {
    const PaintWindow at270 = display::PlanPaintWindow(270.0f);
    EXPECT_EQ(at270.lo, 355.0f);
    EXPECT_EQ(at270.hi, 360.0f);
    EXPECT_TRUE(display::InPaintWindow(355.0f, at270));
    EXPECT_TRUE(display::InPaintWindow(360.0f, at270));
    EXPECT_FALSE(display::InPaintWindow(354.9f, at270));
    EXPECT_FALSE(display::InPaintWindow(0.0f, at270));

    const PaintWindow at275 = display::PlanPaintWindow(275.0f);
    EXPECT_EQ(at275.lo, 0.0f);
    EXPECT_EQ(at275.hi, 5.0f);
    // Neighbouring windows share their ends.
    const PaintWindow at0 = display::PlanPaintWindow(0.0f);
    const PaintWindow at5 = display::PlanPaintWindow(5.0f);
    EXPECT_EQ(at0.hi, 90.0f);
    EXPECT_EQ(at5.lo, 90.0f);
    EXPECT_FALSE(display::InPaintWindow(std::nanf(""), at0));
}

TEST(TargetPass, LitUpToPointEightAfterThePaintThenDimAndReset) {
    DisplayFixture f;
    traffic::RadarTarget target{};
    target.last_paint_time = 10.0;
    EXPECT_TRUE(display::IsLit(target, 10.0));
    EXPECT_TRUE(display::IsLit(target, 10.8));
    display::UpdateBrightness(target, 10.8, f.screen.resources);
    EXPECT_EQ(target.last_paint_time, 10.0);
    EXPECT_FALSE(display::IsLit(target, 10.81));
    EXPECT_EQ(target.last_paint_time, 10.0);  // the question changes nothing
    display::UpdateBrightness(target, 10.81, f.screen.resources);
    EXPECT_EQ(target.last_paint_time, 0.0);

    traffic::RadarTarget never_painted{};
    EXPECT_TRUE(display::IsLit(never_painted, 0.8));
    EXPECT_FALSE(display::IsLit(never_painted, 0.81));
}

TEST(TargetPass, BrightnessChoosesThePenAndBrush) {
    DisplayFixture f;
    traffic::RadarTarget target{};
    target.last_paint_time = 5.0;
    const display::TargetStyle lit = display::UpdateBrightness(target, 5.5, f.screen.resources);
    EXPECT_EQ(lit.pen, f.screen.resources.bright_pen.get());
    EXPECT_EQ(lit.brush, f.screen.resources.bright_brush.get());
    const display::TargetStyle dim = display::UpdateBrightness(target, 6.0, f.screen.resources);
    EXPECT_EQ(dim.pen, f.screen.resources.normal_pen.get());
    EXPECT_EQ(dim.brush, f.screen.resources.normal_brush.get());
}

TEST(TargetPass, PlacementTurnsTheDistanceClockwiseByTheRelativeBearing) {
    DisplayFixture f;
    display::MatrixWrapper placement;
    const ScreenPosition right = display::PlaceOnBearing(placement, 10.0f, 475.0f / 40.0f, 90.0f);
    EXPECT_NEAR(right.x, 118.75f, 1e-3f);
    EXPECT_NEAR(right.y, 0.0f, 1e-3f);
    const ScreenPosition ahead = display::PlaceOnBearing(placement, 20.0f, 475.0f / 40.0f, 0.0f);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-3f);
    EXPECT_NEAR(ahead.y, -237.5f, 1e-3f);
    const ScreenPosition behind_left = display::PlaceOnBearing(placement, 10.0f, 10.0f, 225.0f);
    EXPECT_NEAR(behind_left.x, -70.7107f, 1e-3f);
    EXPECT_NEAR(behind_left.y, 70.7107f, 1e-3f);
}

TEST(TargetPass, SelectionNeedsANonEmptyIdentifierThatMatchesExactly) {
    DisplayFixture f;
    traffic::RadarTarget target{};
    traffic::SetTargetIdentifier(target, "");
    EXPECT_FALSE(f.screen.selection.Is(target));
    traffic::SetTargetIdentifier(target, "N123");
    f.Select("N123");
    EXPECT_TRUE(f.screen.selection.Is(target));
    f.Select("n123");
    EXPECT_FALSE(f.screen.selection.Is(target));
    f.Select("N1234");
    EXPECT_FALSE(f.screen.selection.Is(target));
}

TEST(TargetPass, NetworkPlayerIsADiamondFilledOnlyWhenSelected) {
    DisplayFixture f;
    traffic::RadarTarget player{};
    player.source = traffic::kSourceNetPlayer;
    gdip::PointF diamond[4] = {};
    const display::TargetStyle style{f.screen.resources.bright_pen.get(), f.screen.resources.bright_brush.get()};
    recorder::Clear();
    display::DrawTargetSymbol(*f.graphics, player, ScreenPosition{100.0f, 50.0f}, false, style, diamond);
    display::DrawTargetSymbol(*f.graphics, player, ScreenPosition{100.0f, 50.0f}, true, style, diamond);

    const auto outline = recorder::CallsNamed("GdipDrawPolygon");
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0].handles[1], style.pen->handle());
    ASSERT_EQ(outline[0].points.size(), 4u);
    const float expected[4][2] = {{110, 50}, {100, 40}, {90, 50}, {100, 60}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(outline[0].points[k].x, expected[k][0]) << k;
        EXPECT_EQ(outline[0].points[k].y, expected[k][1]) << k;
    }
    const auto fill = recorder::CallsNamed("GdipFillPolygon");
    ASSERT_EQ(fill.size(), 1u);
    EXPECT_EQ(fill[0].handles[1], style.brush->handle());
    EXPECT_EQ(fill[0].args, (std::vector<double>{4, gdip::kFillModeAlternate}));
    EXPECT_EQ(fill[0].points[0].x, 110.0f);
}

TEST(TargetPass, TrafficTargetIsACrossVerticalFirst) {
    DisplayFixture f;
    traffic::RadarTarget target{};
    gdip::PointF diamond[4] = {};
    const display::TargetStyle style{f.screen.resources.normal_pen.get(), f.screen.resources.normal_brush.get()};
    recorder::Clear();
    display::DrawTargetSymbol(*f.graphics, target, ScreenPosition{-20.0f, 30.0f}, true, style, diamond);
    const auto lines = recorder::CallsNamed("GdipDrawLine");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].args, (std::vector<double>{-20, 20, -20, 40}));
    EXPECT_EQ(lines[1].args, (std::vector<double>{-30, 30, -10, 30}));
    EXPECT_EQ(lines[0].handles[1], style.pen->handle());
    EXPECT_TRUE(recorder::CallsNamed("GdipFillPolygon").empty());
}

TEST(TargetPass, SelectionCapturesTheFixAndFramesTheSymbol) {
    DisplayFixture f;
    const display::TargetStyle style{f.screen.resources.bright_pen.get(), f.screen.resources.bright_brush.get()};
    traffic::LatitudeTrig own_trig{};
    traffic::LatitudeTrig target_trig{};
    display::TargetFix fix{};
    fix.leg = traffic::LegBetween({0.0, 0.0}, own_trig, {0.0, 12.5 / 60.0}, target_trig);  // 12.5 NM east
    fix.true_bearing_deg = 45.0f;
    fix.relative_bearing_deg = 30.0f;
    recorder::Clear();
    display::CaptureSelection(f.screen, 7, fix, ScreenPosition{100.0f, -40.0f}, style);
    EXPECT_EQ(f.screen.selection.distance_nm(), display::DistanceNm(fix));
    EXPECT_NEAR(f.screen.selection.distance_nm(), 12.5f, 1e-4f);
    EXPECT_EQ(f.screen.selection.bearing_deg(), 45.0f);  // the true bearing, not the relative one
    EXPECT_TRUE(f.screen.selection.visible());
    EXPECT_EQ(f.screen.selection.index(), 7);
    const auto frame = recorder::CallsNamed("GdipDrawRectangle");
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].args, (std::vector<double>{75, -65, 50, 50}));
    EXPECT_EQ(frame[0].handles[1], style.pen->handle());
}

TEST(TargetPass, VectorIsPointTwoUnitsPerKnotTurnedByTheHeadingDifference) {
    DisplayFixture f;
    display::MatrixWrapper vector;
    traffic::RadarTarget target{};
    target.ground_speed_kt = 250.0;
    target.heading_deg = 120.0;
    recorder::Clear();
    display::DrawVelocityVector(*f.graphics, vector, ScreenPosition{10.0f, 20.0f}, target, 30.0,
                                f.screen.resources.normal_pen.get());
    const auto line = recorder::CallsNamed("GdipDrawLine");
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].args[0], 10.0);
    EXPECT_EQ(line[0].args[1], 20.0);
    EXPECT_NEAR(line[0].args[2], 60.0, 1e-3);  // 50 units to the right: 90 degrees clockwise
    EXPECT_NEAR(line[0].args[3], 20.0, 1e-3);
    const auto rotate = recorder::CallsNamed("GdipRotateMatrix");
    ASSERT_EQ(rotate.size(), 1u);
    EXPECT_EQ(rotate[0].args[0], 90.0);
    const auto translate = recorder::CallsNamed("GdipTranslateMatrix");
    ASSERT_EQ(translate.size(), 2u);
    EXPECT_EQ(translate[0].args, (std::vector<double>{10, 20, gdip::kMatrixOrderPrepend}));
    EXPECT_EQ(translate[1].args, (std::vector<double>{-10, -20, gdip::kMatrixOrderPrepend}));

    target.ground_speed_kt = 0.0;
    display::DrawVelocityVector(*f.graphics, vector, ScreenPosition{10.0f, 20.0f}, target, 30.0,
                                f.screen.resources.normal_pen.get());
    const auto still = recorder::CallsNamed("GdipDrawLine");
    EXPECT_NEAR(still.back().args[2], 10.0, 1e-4);
    EXPECT_NEAR(still.back().args[3], 20.0, 1e-4);

    // Garbage speed and heading stay defined.
    target.ground_speed_kt = 1e300;
    target.heading_deg = -1e300;
    display::DrawVelocityVector(*f.graphics, vector, ScreenPosition{10.0f, 20.0f}, target, 30.0,
                                f.screen.resources.normal_pen.get());
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 3u);
}

}  // namespace
