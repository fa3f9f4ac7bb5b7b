// The frame cycle of a gauge object, driven with a fake host and recorded
// through the GDI+ stand-in.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fake_host.h"
#include "gauge/radar_gauge.h"
#include "gdiplus_recorder.h"

namespace {

using fakehost::FakeHost;
using fakehost::Placement;

sim::DeviceContext Dc(std::uintptr_t n) { return fakehost::FakeDeviceContext(n); }

// A gauge whose displays and named-variable exchange only count their calls.
class ProbeGauge : public gauge::RadarGauge {
public:
    explicit ProbeGauge(gauge::SharedState& shared, std::int32_t mode = display::kModeSector)
        : RadarGauge(shared, mode) {}
    void DrawPlan() override { ++plans; }
    void DrawSector() override { ++sectors; }
    void DrawAltitude() override { ++altitudes; }
    void UpdateNamedVariables() override { ++exchanges; }
    int displays() const { return plans + sectors + altitudes; }

    int plans = 0;
    int sectors = 0;
    int altitudes = 0;
    int exchanges = 0;
};

class FrameCycle : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }

    // Draws the placement at a host time.
    void DrawAt(gauge::RadarGauge& gauge, Placement& placement, double time) {
        host_.SetHostTime(time);
        gauge.Draw(&placement.header);
    }

    static std::size_t Count(const std::string& name) { return recorder::CallsNamed(name).size(); }

    FakeHost host_;
    gauge::SharedState shared_;
};

TEST_F(FrameCycle, FirstDrawCreatesAScaledSurfaceAndClearsItToTheBackground) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 200, 100);
    placement.drawing.image_flags |= sim::kImageFlagCurrentMark;
    DrawAt(gauge, placement, 5.0);

    EXPECT_TRUE(gauge.resources_created());
    const auto created = recorder::CallsNamed("GdipCreateFromHDC");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].handles[0], Dc(1));

    const auto names = recorder::CallNames();
    std::vector<std::string> surface_calls;
    for (const auto& name : names)
        if (name == "GdipCreateFromHDC" || name == "GdipScaleWorldTransform" || name == "GdipResetWorldTransform" ||
            name == "GdipGraphicsClear")
            surface_calls.push_back(name);
    EXPECT_EQ(surface_calls,
              (std::vector<std::string>{"GdipCreateFromHDC", "GdipScaleWorldTransform", "GdipGraphicsClear"}));

    const auto scale = recorder::CallsNamed("GdipScaleWorldTransform").at(0);
    EXPECT_FLOAT_EQ(static_cast<float>(scale.args[0]), 200 * 0.001f);
    EXPECT_FLOAT_EQ(static_cast<float>(scale.args[1]), 100 * 0.001f);
    EXPECT_EQ(scale.args[2], gdip::kMatrixOrderPrepend);

    const auto clear = recorder::CallsNamed("GdipGraphicsClear").at(0);
    EXPECT_EQ(static_cast<gdip::Argb>(clear.args[0]), gauge.screen().resources.background);
    EXPECT_FLOAT_EQ(clear.world.m11, 0.2f);
    EXPECT_FLOAT_EQ(clear.world.m22, 0.1f);

    EXPECT_EQ(gauge.sectors, 1);
    EXPECT_EQ(gauge.exchanges, 1);
    EXPECT_EQ(placement.drawing.image_flags, sim::kImageFlagsDrawing);  // bit 31 cleared, the rest kept
    EXPECT_EQ(gauge.device_context(), Dc(1));
    EXPECT_EQ(gauge.drawing_element(), &placement.drawing);
    EXPECT_GT(host_.LookupCount(sim::kTokenHostTime), 0);
}

// Every record the module looks up, in every display, went through entry 38
// once before its first look-up.
TEST_F(FrameCycle, EachModuleVariableRecordIsInitialisedOnceBeforeItsFirstLookUp) {
    gauge::CircularRadarGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    double time = 1.0;
    for (double mode : {2.0, 3.0, 4.0, 2.0}) {
        host_.CreateNamedVariable("Radar Mode", mode);
        for (int frame = 0; frame < 3; ++frame) DrawAt(gauge, placement, time += 0.6);
    }
    EXPECT_EQ(gauge.mode(), 2);
    EXPECT_GE(host_.InitializedRecordCount(), 8u);  // the gauge's clock and the three displays' records
    EXPECT_EQ(host_.InitializeCount(), static_cast<int>(host_.InitializedRecordCount()));
    EXPECT_EQ(host_.UninitializedLookupCount(), 0);
}

TEST_F(FrameCycle, SameHostTimeDrawsNothingAndKeepsTheMark) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 5.0);
    const std::size_t clears = Count("GdipGraphicsClear");

    placement.drawing.image_flags |= sim::kImageFlagCurrentMark;
    DrawAt(gauge, placement, 5.0);
    EXPECT_EQ(Count("GdipGraphicsClear"), clears);
    EXPECT_EQ(gauge.sectors, 1);
    EXPECT_EQ(gauge.exchanges, 2);  // exchanged on every pre-draw service
    EXPECT_NE(placement.drawing.image_flags & sim::kImageFlagCurrentMark, 0u);

    DrawAt(gauge, placement, 5.5);
    EXPECT_EQ(Count("GdipGraphicsClear"), clears + 1);
    EXPECT_EQ(gauge.sectors, 2);
    EXPECT_EQ(placement.drawing.image_flags & sim::kImageFlagCurrentMark, 0u);
    EXPECT_EQ(Count("GdipCreateFromHDC"), 1u);
}

TEST_F(FrameCycle, TwoDeviceContextsAreEachRedrawnOncePerHostTime) {
    ProbeGauge gauge(shared_);
    Placement a(Dc(1), 100, 100);
    Placement b(Dc(2), 100, 100);
    for (double time : {1.0, 2.0}) {
        DrawAt(gauge, a, time);
        DrawAt(gauge, b, time);
        DrawAt(gauge, a, time);
        DrawAt(gauge, b, time);
    }
    EXPECT_EQ(gauge.surface_cache().count(), 2u);
    EXPECT_EQ(Count("GdipCreateFromHDC"), 2u);
    const auto clears = recorder::CallsNamed("GdipGraphicsClear");
    ASSERT_EQ(clears.size(), 4u);
    // Alternating surfaces: a, b, a, b.
    EXPECT_EQ(clears[0].handles[0], clears[2].handles[0]);
    EXPECT_EQ(clears[1].handles[0], clears[3].handles[0]);
    EXPECT_NE(clears[0].handles[0], clears[1].handles[0]);
    EXPECT_EQ(gauge.sectors, 4);
    EXPECT_EQ(gauge.surface_cache().entry(0).last_drawn_time, 2.0);
    EXPECT_EQ(gauge.surface_cache().entry(1).last_drawn_time, 2.0);
}

TEST_F(FrameCycle, ASizeChangeRescalesTheSurface) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 1.0);

    placement.image.width = 300;
    placement.image.height = 200;
    recorder::Clear();
    DrawAt(gauge, placement, 2.0);
    EXPECT_EQ(recorder::CallNames(),
              (std::vector<std::string>{"GdipResetWorldTransform", "GdipScaleWorldTransform", "GdipGraphicsClear"}));
    const auto clear = recorder::CallsNamed("GdipGraphicsClear").at(0);
    EXPECT_FLOAT_EQ(clear.world.m11, 0.3f);
    EXPECT_FLOAT_EQ(clear.world.m22, 0.2f);
    EXPECT_EQ(gauge.image_width(), 300);
    EXPECT_EQ(gauge.image_height(), 200);

    // An unchanged size leaves the transform alone.
    recorder::Clear();
    DrawAt(gauge, placement, 3.0);
    EXPECT_EQ(recorder::CallNames(), (std::vector<std::string>{"GdipGraphicsClear"}));
}

TEST_F(FrameCycle, ASizeChangeSeenInAFrameThatDrawsNothingIsNotLost) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 1.0);
    placement.image.width = 400;
    DrawAt(gauge, placement, 1.0);  // same time: nothing drawn
    recorder::Clear();
    DrawAt(gauge, placement, 2.0);
    const auto clear = recorder::CallsNamed("GdipGraphicsClear").at(0);
    EXPECT_FLOAT_EQ(clear.world.m11, 0.4f);
    EXPECT_FLOAT_EQ(clear.world.m22, 0.1f);
}

TEST_F(FrameCycle, PlacementsOfDifferentSizesKeepTheirOwnScale) {
    ProbeGauge gauge(shared_);
    Placement small(Dc(1), 100, 100);
    Placement large(Dc(2), 500, 250);
    for (double time : {1.0, 2.0}) {
        DrawAt(gauge, small, time);
        DrawAt(gauge, large, time);
    }
    const auto clears = recorder::CallsNamed("GdipGraphicsClear");
    ASSERT_EQ(clears.size(), 4u);
    EXPECT_FLOAT_EQ(clears[2].world.m11, 0.1f);
    EXPECT_FLOAT_EQ(clears[3].world.m11, 0.5f);
    EXPECT_FLOAT_EQ(clears[3].world.m22, 0.25f);
}

struct ModeCase {
    std::int32_t mode;
    int plans, sectors, altitudes;
};

class FrameCycleModes : public FrameCycle, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(FrameCycleModes, DispatchesToTheDisplayOfTheModeOrOnlyClears) {
    const ModeCase c = GetParam();
    ProbeGauge gauge(shared_, c.mode);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 1.0);
    EXPECT_EQ(gauge.plans, c.plans);
    EXPECT_EQ(gauge.sectors, c.sectors);
    EXPECT_EQ(gauge.altitudes, c.altitudes);
    EXPECT_EQ(Count("GdipGraphicsClear"), 1u);
    EXPECT_EQ(placement.drawing.image_flags & sim::kImageFlagCurrentMark, 0u);
}

INSTANTIATE_TEST_SUITE_P(Modes, FrameCycleModes,
                         ::testing::Values(ModeCase{2, 1, 0, 0}, ModeCase{3, 0, 1, 0}, ModeCase{4, 0, 0, 1},
                                           ModeCase{0, 0, 0, 0}, ModeCase{1, 0, 0, 0}, ModeCase{5, 0, 0, 0},
                                           ModeCase{-3, 0, 0, 0}));

// Ways a host may hand over a header without a drawing element.
enum class Cut { kElementList, kFirstElement, kNextList, kDrawingElement };

class FrameCycleWithoutDrawingElement : public FrameCycle, public ::testing::WithParamInterface<Cut> {};

TEST_P(FrameCycleWithoutDrawingElement, DrawsNothingButStillExchangesNamedVariables) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 1.0);
    switch (GetParam()) {
        case Cut::kElementList:
            placement.header.elements = nullptr;
            break;
        case Cut::kFirstElement:
            placement.elements[0] = nullptr;
            break;
        case Cut::kNextList:
            placement.background.next = nullptr;
            break;
        case Cut::kDrawingElement:
            placement.background_next[0] = nullptr;
            break;
    }
    placement.drawing.image_flags |= sim::kImageFlagCurrentMark;
    recorder::Clear();
    const int lookups = host_.LookupCount(sim::kTokenHostTime);
    DrawAt(gauge, placement, 2.0);
    EXPECT_TRUE(recorder::Calls().empty());
    EXPECT_EQ(gauge.exchanges, 2);
    EXPECT_EQ(host_.LookupCount(sim::kTokenHostTime), lookups + 1);
    EXPECT_EQ(gauge.drawing_element(), nullptr);
    EXPECT_EQ(gauge.device_context(), nullptr);
    EXPECT_EQ(gauge.sectors, 1);
    EXPECT_NE(placement.drawing.image_flags & sim::kImageFlagCurrentMark, 0u);
}

INSTANTIATE_TEST_SUITE_P(Cuts, FrameCycleWithoutDrawingElement,
                         ::testing::Values(Cut::kElementList, Cut::kFirstElement, Cut::kNextList,
                                           Cut::kDrawingElement));

TEST_F(FrameCycle, DeviceContextZeroDrawsNothingButClearsTheMark) {
    ProbeGauge gauge(shared_);
    Placement placement(nullptr, 100, 100);
    placement.drawing.image_flags |= sim::kImageFlagCurrentMark;
    DrawAt(gauge, placement, 1.0);
    EXPECT_EQ(Count("GdipCreateFromHDC"), 0u);
    EXPECT_EQ(Count("GdipGraphicsClear"), 0u);
    EXPECT_EQ(gauge.displays(), 0);
    EXPECT_EQ(gauge.exchanges, 1);
    EXPECT_EQ(gauge.surface_cache().count(), 0u);
    EXPECT_EQ(placement.drawing.image_flags, sim::kImageFlagsDrawing);
}

TEST_F(FrameCycle, NullHeaderOnlyCreatesTheResources) {
    ProbeGauge gauge(shared_);
    host_.SetHostTime(1.0);
    gauge.Draw(nullptr);
    gauge.Draw(nullptr);
    EXPECT_TRUE(gauge.resources_created());
    EXPECT_EQ(gauge.exchanges, 0);
    EXPECT_EQ(host_.LookupCount(sim::kTokenHostTime), 0);
    EXPECT_EQ(Count("GdipCreateFromHDC"), 0u);
}

TEST_F(FrameCycle, ResourcesAreCreatedOnceOnTheFirstDraw) {
    class CountingGauge : public ProbeGauge {
    public:
        using ProbeGauge::ProbeGauge;
        void CreateDrawResources() override { ++creations; }
        int creations = 0;
    } gauge(shared_);
    EXPECT_EQ(gauge.creations, 0);
    Placement placement(Dc(1), 100, 100);
    for (double time : {1.0, 2.0, 3.0}) DrawAt(gauge, placement, time);
    EXPECT_EQ(gauge.creations, 1);
}

TEST_F(FrameCycle, WithoutAnImageRecordTheSizeStaysAsItWas) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 250, 150);
    DrawAt(gauge, placement, 1.0);
    placement.drawing.image = nullptr;
    DrawAt(gauge, placement, 2.0);
    EXPECT_EQ(gauge.image_width(), 250);
    EXPECT_EQ(gauge.image_height(), 150);
    EXPECT_EQ(Count("GdipGraphicsClear"), 2u);
    EXPECT_FLOAT_EQ(recorder::CallsNamed("GdipGraphicsClear").at(1).world.m11, 0.25f);

    // A first frame without one draws at scale 0 rather than failing.
    ProbeGauge fresh(shared_);
    Placement bare(Dc(2), 100, 100);
    bare.drawing.image = nullptr;
    DrawAt(fresh, bare, 1.0);
    EXPECT_EQ(fresh.sectors, 1);
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").back().world.m11, 0.0f);
}

TEST_F(FrameCycle, ZeroOrNegativeSizesDrawWithoutHarm) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 0, -300);
    DrawAt(gauge, placement, 1.0);
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").back().world.m11, 0.0f);
    EXPECT_FLOAT_EQ(recorder::CallsNamed("GdipGraphicsClear").back().world.m22, -0.3f);
    placement.image.width = -2147483647 - 1;
    placement.image.height = 2147483647;
    DrawAt(gauge, placement, 2.0);
    EXPECT_EQ(gauge.sectors, 2);
    EXPECT_EQ(Count("GdipGraphicsClear"), 2u);
}

TEST_F(FrameCycle, AFailedGraphicsCreationIsKeptAndDrawingGoesOn) {
    ProbeGauge gauge(shared_);
    recorder::FailCalls("GdipCreateFromHDC", gdip::kOutOfMemory, 1);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 1.0);
    ASSERT_EQ(gauge.surface_cache().count(), 1u);
    EXPECT_EQ(gauge.surface_cache().entry(0).graphics->handle(), nullptr);
    EXPECT_NE(gauge.surface_cache().entry(0).graphics->status(), gdip::kOk);
    EXPECT_EQ(gauge.sectors, 1);
    // The same wrapper is used again: no second creation.
    DrawAt(gauge, placement, 2.0);
    EXPECT_EQ(Count("GdipCreateFromHDC"), 1u);
    EXPECT_EQ(gauge.sectors, 2);
}

TEST_F(FrameCycle, NaNHostTimeRedrawsEveryFrame) {
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    DrawAt(gauge, placement, nan);
    DrawAt(gauge, placement, nan);
    EXPECT_EQ(gauge.sectors, 2);
}

TEST_F(FrameCycle, HostTimeZeroOnANewSurfaceDrawsNothing) {
    // A new entry's last drawn time is 0, so host time 0 counts as drawn.
    ProbeGauge gauge(shared_);
    Placement placement(Dc(1), 100, 100);
    DrawAt(gauge, placement, 0.0);
    EXPECT_EQ(gauge.sectors, 0);
    EXPECT_EQ(gauge.surface_cache().count(), 1u);
    DrawAt(gauge, placement, 0.1);
    EXPECT_EQ(gauge.sectors, 1);
}

}  // namespace
