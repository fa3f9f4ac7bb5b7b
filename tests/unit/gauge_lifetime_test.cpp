// Construction and destruction of the gauge objects.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fake_host.h"
#include "gauge/radar_gauge.h"
#include "gdiplus_recorder.h"
#include "platform/gdiplus_session.h"

namespace {

using fakehost::FakeHost;
using fakehost::Placement;

sim::DeviceContext Dc(std::uintptr_t n) { return fakehost::FakeDeviceContext(n); }

class GaugeLifetime : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
    FakeHost host_;
};

TEST_F(GaugeLifetime, ConstructionSetsTheDefaults) {
    gauge::RadarGauge gauge;
    EXPECT_EQ(gauge.resources.background, 0xFF000000u);
    EXPECT_EQ(gauge.mode, 3);
    EXPECT_EQ(gauge.range_nm, 40.0f);
    EXPECT_EQ(gauge.traffic_list().range_nm(), 40.0);
    EXPECT_EQ(gauge.traffic, &gauge.traffic_list());
    EXPECT_EQ(gauge.selected_identifier[0], '\0');
    EXPECT_EQ(gauge.selected_index, 0);
    EXPECT_EQ(gauge.selected_visible, 0);
    EXPECT_EQ(gauge.graphics, nullptr);
    EXPECT_EQ(gauge.device_context(), nullptr);
    EXPECT_FALSE(gauge.resources_created());
    EXPECT_EQ(gauge.surface_cache().count(), 0u);
    for (const auto& position : gauge.screen_positions) {
        EXPECT_EQ(position.x, 0.0f);
        EXPECT_EQ(position.y, 0.0f);
    }
    EXPECT_EQ(recorder::StartupCount(), 1);
    EXPECT_EQ(platform::GdiplusUserCount(), 1);
    // Drawing resources come with the first frame, not with construction.
    EXPECT_EQ(recorder::LiveObjects(), 0);
}

TEST_F(GaugeLifetime, EachClassStartsInItsModeWithItsScheme) {
    gauge::CircularRadarGauge circular;
    gauge::AmberCircularRadarGauge amber_circular;
    gauge::AmberRadarGauge amber;
    EXPECT_EQ(circular.mode, 2);
    EXPECT_EQ(amber_circular.mode, 2);
    EXPECT_EQ(amber.mode, 3);
    for (gauge::RadarGauge* g : {static_cast<gauge::RadarGauge*>(&circular),
                                 static_cast<gauge::RadarGauge*>(&amber_circular),
                                 static_cast<gauge::RadarGauge*>(&amber)}) {
        EXPECT_EQ(g->range_nm, 40.0f);
        EXPECT_EQ(g->traffic_list().range_nm(), 40.0);
    }
    EXPECT_EQ(platform::GdiplusUserCount(), 3);
}

TEST_F(GaugeLifetime, DestructionReleasesEverythingThenGdiplus) {
    std::unique_ptr<gauge::RadarGauge> gauge(new gauge::CircularRadarGauge());
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
    EXPECT_EQ(platform::GdiplusUserCount(), 0);
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
        auto first = std::make_unique<gauge::AmberRadarGauge>();
        auto second = std::make_unique<gauge::CircularRadarGauge>();
        host_.SetHostTime(round + 1.0);
        first->Draw(&placement.header);
        second->Draw(&placement.header);
        first.reset();
        EXPECT_GT(recorder::LiveObjects(), 0);
        second.reset();
        EXPECT_EQ(recorder::LiveObjects(), 0) << "round " << round;
        EXPECT_EQ(platform::GdiplusUserCount(), 0);
    }
}

}  // namespace
