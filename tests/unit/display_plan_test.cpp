// The plan display against the recording GDI+: rings and labels, spokes,
// the sweep, targets and the frame's order of calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "display/plan_display.h"
#include "display_fixture.h"

namespace {

using displaytest::CallsWith;
using displaytest::Narrow;

void ExpectTranslatedToCentre(const recorder::Call& call) {
    EXPECT_EQ(call.world.dx, 500.0f) << recorder::Describe(call);
    EXPECT_EQ(call.world.dy, 500.0f) << recorder::Describe(call);
}

using PlanDisplay = displaytest::DisplayTest<&displaytest::DrawPlan>;

TEST_F(PlanDisplay, DashedRingsWithLabelsHangingInsideThemThenTheOuterCircle) {
    f.screen.range_nm = 40.0f;
    DrawOnlyAt(1.0);
    const auto dashed = CallsWith("GdipDrawEllipse", f.screen.resources.dashed_pen->handle());
    ASSERT_EQ(dashed.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const double r = 118.75 * i;
        EXPECT_EQ(dashed[i].args, (std::vector<double>{-r, -r, 2 * r, 2 * r})) << i;
        ExpectTranslatedToCentre(dashed[i]);
    }
    const auto outer = CallsWith("GdipDrawEllipse", f.screen.resources.normal_pen->handle());
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].args, (std::vector<double>{-475, -475, 950, 950}));

    const auto labels = recorder::CallsNamed("GdipDrawString");
    ASSERT_EQ(labels.size(), 4u);
    const char* texts[4] = {"10", "20", "30", "40"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Narrow(labels[i].text), texts[i]);
        EXPECT_EQ(labels[i].args, (std::vector<double>{-1, 0, -118.75 * (i + 1), 0, 0})) << i;
        EXPECT_EQ(labels[i].handles[1], f.screen.resources.small_font->handle());
        EXPECT_EQ(labels[i].handles[3], f.screen.resources.normal_brush->handle());
        ExpectTranslatedToCentre(labels[i]);
    }
    // Labels are centred: the label format's horizontal alignment is set each frame.
    const auto align = recorder::CallsNamed("GdipSetStringFormatAlign");
    ASSERT_EQ(align.size(), 1u);
    EXPECT_EQ(align[0].args[0], gdip::kAlignCenter);
    EXPECT_EQ(align[0].handles[0], labels[0].handles[2]);
}

TEST_F(PlanDisplay, LabelsForShortRangesShowTwoDecimalsWhenNotWhole) {
    const struct {
        float range;
        const char* texts[4];
    } cases[] = {{10.0f, {"2.50", "5", "7.50", "10"}}, {5.0f, {"1.25", "2.50", "3.75", "5"}}};
    for (const auto& c : cases) {
        f.screen.range_nm = c.range;
        DrawOnlyAt(1.0);
        const auto labels = recorder::CallsNamed("GdipDrawString");
        ASSERT_EQ(labels.size(), 4u);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Narrow(labels[i].text), c.texts[i]) << c.range;
    }
}

TEST_F(PlanDisplay, TwelveSpokesEveryThirtyDegreesFromScreenAngleThirty) {
    DrawOnlyAt(1.0);
    auto spokes = CallsWith("GdipDrawLine", f.screen.resources.normal_pen->handle());
    ASSERT_EQ(spokes.size(), 12u);
    for (int k = 0; k < 12; ++k) {
        const double angle = (30.0 * (k + 1)) * M_PI / 180.0;
        EXPECT_EQ(spokes[k].args[0], 0.0);
        EXPECT_EQ(spokes[k].args[1], 0.0);
        EXPECT_NEAR(spokes[k].args[2], 475.0 * std::cos(angle), 0.01) << k;
        EXPECT_NEAR(spokes[k].args[3], 475.0 * std::sin(angle), 0.01) << k;
    }
    // The last spoke points at screen angle 360: the +x axis.
    EXPECT_NEAR(spokes[11].args[2], 475.0, 0.01);
}

TEST_F(PlanDisplay, SweepStepsFiveDegreesPerNewHostTimeAndCarriesItsEndPoint) {
    const void* bright = f.screen.resources.bright_pen->handle();
    DrawOnlyAt(1.0);
    auto sweep = CallsWith("GdipDrawLine", bright);
    ASSERT_EQ(sweep.size(), 1u);  // no target drawn: the line is the sweep
    EXPECT_NEAR(sweep[0].args[2], 475.0 * std::cos(5.0 * M_PI / 180.0), 1e-3);
    EXPECT_NEAR(sweep[0].args[3], 475.0 * std::sin(5.0 * M_PI / 180.0), 1e-3);

    // The same host time again: the line stays where it is.
    DrawOnlyAt(1.0);
    sweep = CallsWith("GdipDrawLine", bright);
    EXPECT_NEAR(sweep[0].args[3], 475.0 * std::sin(5.0 * M_PI / 180.0), 1e-3);
    EXPECT_TRUE(recorder::CallsNamed("GdipRotateMatrix").size() == 12u);  // spokes only

    // 53 more steps bring the line to s = 270, straight up.
    for (int t = 2; t <= 54; ++t) DrawOnlyAt(t);
    sweep = CallsWith("GdipDrawLine", bright);
    EXPECT_NEAR(sweep[0].args[2], 0.0, 0.05);
    EXPECT_NEAR(sweep[0].args[3], -475.0, 0.05);

    // A full turn brings the carried end point back round to (475, 0).
    for (int t = 55; t <= 72; ++t) DrawOnlyAt(t);
    sweep = CallsWith("GdipDrawLine", bright);
    EXPECT_NEAR(sweep[0].args[2], 475.0, 0.05);
    EXPECT_NEAR(sweep[0].args[3], 0.0, 0.05);
    EXPECT_FLOAT_EQ(display::NextPlanSweepAngle(355.0f), 0.0f);
}

TEST_F(PlanDisplay, ATargetTenMilesAtRelativeBearingNinetyLiesOnTheFirstRing) {
    f.SetTargetCount(3);
    f.SetHeading(30.0);
    f.PlaceTarget(1, 10.0, 120.0);
    f.screen.range_nm = 40.0f;
    DrawOnlyAt(1.0);
    EXPECT_NEAR(f.DrawnAt(1).x, 118.75f, 0.01f);
    EXPECT_NEAR(f.DrawnAt(1).y, 0.0f, 0.01f);

    // Drawn as a cross centred there, in the display's translated space.
    const auto rotate = recorder::CallsNamed("GdipDrawLine");
    const auto cross = std::find_if(rotate.begin(), rotate.end(), [](const recorder::Call& c) {
        return std::fabs(c.args[0] - 118.75) < 0.01 && std::fabs(c.args[1] + 10.0) < 0.01;
    });
    ASSERT_NE(cross, rotate.end());
    ExpectTranslatedToCentre(*cross);
}

TEST_F(PlanDisplay, TheFirstRecordIsSkippedWithoutReducedDataAndGroundTargetsAreNotDrawn) {
    f.SetTargetCount(4);
    f.PlaceTarget(0, 10.0, 0.0);
    f.PlaceTarget(1, 10.0, 0.0).height_above_ground = 50;
    f.PlaceTarget(2, 10.0, 180.0).height_above_ground = 51;
    f.PlaceTarget(3, 20.0, 180.0, "P", traffic::kSourceNetPlayer);
    DrawOnlyAt(1.0);
    EXPECT_TRUE(std::isnan(f.DrawnAt(0).x));  // never placed
    EXPECT_TRUE(std::isnan(f.DrawnAt(1).x));
    EXPECT_NEAR(f.DrawnAt(2).y, 118.75f, 0.01f);
    EXPECT_NEAR(f.DrawnAt(3).y, 237.5f, 0.01f);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawPolygon").size(), 1u);
    // Spokes 12, sweep 1, one cross of 2, two vectors.
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 12u + 1u + 2u + 2u);
}

TEST_F(PlanDisplay, TheSweepPaintsTheWindowItCrossedAndTheGlowEndsAfterPointEight) {
    f.SetTargetCount(3);
    f.PlaceTarget(1, 10.0, 357.0);  // in the window of s = 270 (355..360)
    f.PlaceTarget(2, 10.0, 40.0);   // not in these frames
    for (int t = 1; t <= 53; ++t) DrawAt(t);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    DrawOnlyAt(54.0);  // s = 270
    EXPECT_EQ(f.Target(1).last_paint_time, 54.0);
    EXPECT_EQ(f.Target(2).last_paint_time, 0.0);
    const void* bright = f.screen.resources.bright_pen->handle();
    const void* normal = f.screen.resources.normal_pen->handle();
    // Lit: cross and vector with the bright pen; the dim one with the normal pen.
    EXPECT_EQ(CallsWith("GdipDrawLine", bright).size(), 1u + 3u);

    f.SetHostTime(54.8);
    recorder::Clear();
    displaytest::DrawPlan(f);  // s = 275, still lit
    EXPECT_EQ(f.Target(1).last_paint_time, 54.0);
    EXPECT_EQ(CallsWith("GdipDrawLine", bright).size(), 1u + 3u);

    f.SetHostTime(54.9);
    recorder::Clear();
    displaytest::DrawPlan(f);
    EXPECT_EQ(f.Target(1).last_paint_time, 0.0);
    EXPECT_EQ(CallsWith("GdipDrawLine", bright).size(), 1u);
    EXPECT_EQ(CallsWith("GdipDrawLine", normal).size(), 12u + 3u + 3u);
}

TEST_F(PlanDisplay, TheSelectedTargetIsFramedAndCapturedEachFrame) {
    f.SetTargetCount(4);
    f.PlaceTarget(1, 10.0, 90.0, "A");
    f.PlaceTarget(2, 5.0, 90.0, "B", traffic::kSourceNetPlayer);
    f.PlaceTarget(3, 7.0, 270.0, "B");
    f.screen.selection.Capture(0, 1.0f, 0.0f);
    DrawOnlyAt(1.0);
    EXPECT_FALSE(f.screen.selection.visible());  // nothing selected
    EXPECT_TRUE(recorder::CallsNamed("GdipDrawRectangle").empty());

    f.Select("B");
    DrawOnlyAt(2.0);
    EXPECT_TRUE(f.screen.selection.visible());
    EXPECT_EQ(f.screen.selection.index(), 3);  // the last one in index order leaves its values
    EXPECT_NEAR(f.screen.selection.distance_nm(), 7.0f, 1e-3f);
    EXPECT_NEAR(f.screen.selection.bearing_deg(), 270.0f, 1e-3f);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawRectangle").size(), 2u);
    EXPECT_EQ(recorder::CallsNamed("GdipFillPolygon").size(), 1u);

    // A selection no longer in the list keeps the captured values.
    f.Select("C");
    DrawOnlyAt(3.0);
    EXPECT_FALSE(f.screen.selection.visible());
    EXPECT_EQ(f.screen.selection.index(), 3);
    EXPECT_NEAR(f.screen.selection.distance_nm(), 7.0f, 1e-3f);
}

TEST_F(PlanDisplay, FailingMatricesLeaveTheSweepLineStillButTheAngleTurns) {
    recorder::FailCalls("GdipCreateMatrix", gdip::kOutOfMemory);
    f.SetTargetCount(2);
    f.PlaceTarget(1, 10.0, 95.0);  // painted by the first step (window 90..95)
    DrawOnlyAt(1.0);
    const auto sweep = CallsWith("GdipDrawLine", f.screen.resources.bright_pen->handle());
    ASSERT_FALSE(sweep.empty());
    EXPECT_EQ(sweep[0].args[2], 475.0);
    EXPECT_EQ(sweep[0].args[3], 0.0);
    EXPECT_EQ(f.Target(1).last_paint_time, 1.0);
    EXPECT_EQ(f.overlay_calls, 1);
}

TEST_F(PlanDisplay, NoSurfaceDrawsNothing) {
    f.screen.graphics = nullptr;
    DrawOnlyAt(1.0);
    EXPECT_TRUE(recorder::Calls().empty());
    EXPECT_EQ(f.overlay_calls, 0);
}

}  // namespace
