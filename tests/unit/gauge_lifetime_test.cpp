// Construction and destruction of the gauge objects.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fake_host.h"
#include "gauge/radar_gauge.h"
#include "gdiplus_recorder.h"
#include "gauge/shared_state.h"

namespace {

using fakehost::FakeHost;
using fakehost::Placement;

sim::DeviceContext Dc(std::uintptr_t n) { return fakehost::FakeDeviceContext(n); }

class GaugeLifetime : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
    FakeHost host_;
    gauge::SharedState shared_;
};

TEST_F(GaugeLifetime, ConstructionSetsTheDefaults) {
    gauge::RadarGauge gauge(shared_);
    EXPECT_EQ(gauge.screen().resources.background, 0xFF000000u);
    EXPECT_EQ(gauge.mode(), 3);
    EXPECT_EQ(gauge.range_nm(), 40.0f);
    EXPECT_EQ(gauge.traffic_list().range_nm(), 40.0);
    EXPECT_EQ(&gauge.screen().traffic, &gauge.traffic_list());
    EXPECT_TRUE(gauge.selection().empty());
    EXPECT_EQ(gauge.selection().index(), 0);
    EXPECT_FALSE(gauge.selection().visible());
    EXPECT_EQ(gauge.screen().graphics, nullptr);
    EXPECT_EQ(gauge.device_context(), nullptr);
    EXPECT_FALSE(gauge.resources_created());
    EXPECT_EQ(gauge.surface_cache().count(), 0u);
    display::ScreenPosition centre{};
    for (std::uint32_t i = 0; i < traffic::kMaxTargets; ++i) EXPECT_FALSE(gauge.selection().DrawnSymbolAt(i, centre));
    EXPECT_EQ(recorder::StartupCount(), 1);
    EXPECT_EQ(shared_.gdiplus.users(), 1);
    // Drawing resources come with the first frame, not with construction.
    EXPECT_EQ(recorder::LiveObjects(), 0);
}

TEST_F(GaugeLifetime, EachClassStartsInItsModeWithItsScheme) {
    gauge::CircularRadarGauge circular(shared_);
    gauge::AmberCircularRadarGauge amber_circular(shared_);
    gauge::AmberRadarGauge amber(shared_);
    EXPECT_EQ(circular.mode(), 2);
    EXPECT_EQ(amber_circular.mode(), 2);
    EXPECT_EQ(amber.mode(), 3);
    for (gauge::RadarGauge* g : {static_cast<gauge::RadarGauge*>(&circular),
                                 static_cast<gauge::RadarGauge*>(&amber_circular),
                                 static_cast<gauge::RadarGauge*>(&amber)}) {
        EXPECT_EQ(g->range_nm(), 40.0f);
        EXPECT_EQ(g->traffic_list().range_nm(), 40.0);
    }
    EXPECT_EQ(shared_.gdiplus.users(), 3);
}

TEST_F(GaugeLifetime, DestructionReleasesEverythingThenGdiplus) {
    std::unique_ptr<gauge::RadarGauge> gauge(new gauge::CircularRadarGauge(shared_));
    Placement a(Dc(1), 100, 100);
    Placement b(Dc(2), 200, 200);
    Placement c(Dc(3), 300, 300);
    for (double time : {1.0, 2.0}) {
        for (Placement* p : {&a, &b, &c}) {
            host_.SetHostTime(time);
            gauge->Draw(&p->header);
        }
    }
    ASSERT_EQ(gauge->surface_cache().count(), 3u);
    ASSERT_GT(recorder::LiveObjects(), 0);

    recorder::Clear();
    gauge.reset();  // through the base pointer, as the callback does
    EXPECT_EQ(recorder::LiveObjects(), 0);
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 3u);
    for (const auto& call : recorder::Calls()) EXPECT_EQ(call.result, gdip::kOk) << recorder::Describe(call);
    EXPECT_EQ(shared_.gdiplus.users(), 0);
    // GDI+ goes last: nothing is deleted after the shut-down (where there is one).
    const auto names = recorder::CallNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "GdiplusShutdown") {
            EXPECT_EQ(i + 1, names.size());
        }
    }
}

TEST_F(GaugeLifetime, GaugesMadeAndDestroyedInTurnLeaveNothingBehind) {
    Placement placement(Dc(1), 100, 100);
    for (int round = 0; round < 3; ++round) {
        auto first = std::make_unique<gauge::AmberRadarGauge>(shared_);
        auto second = std::make_unique<gauge::CircularRadarGauge>(shared_);
        host_.SetHostTime(round + 1.0);
        first->Draw(&placement.header);
        second->Draw(&placement.header);
        first.reset();
        EXPECT_GT(recorder::LiveObjects(), 0);
        second.reset();
        EXPECT_EQ(recorder::LiveObjects(), 0) << "round " << round;
        EXPECT_EQ(shared_.gdiplus.users(), 0);
    }
}

}  // namespace
