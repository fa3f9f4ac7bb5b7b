// The surface cache: one Graphics per device context, at most 1000.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "gauge/radar_gauge.h"
#include "gauge/surface_cache.h"
#include "gdiplus_recorder.h"

namespace {

using fakehost::FakeHost;
using fakehost::Placement;

sim::DeviceContext Dc(std::uintptr_t n) { return fakehost::FakeDeviceContext(n); }

class SurfaceCacheTest : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
};

TEST_F(SurfaceCacheTest, FindsEachDeviceContextOnceFromTheFirstEntry) {
    gauge::SurfaceCache cache;
    gauge::SurfaceEntry* a = cache.Find(Dc(1), 0.1f, 0.1f);
    gauge::SurfaceEntry* b = cache.Find(Dc(2), 0.2f, 0.2f);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(cache.Find(Dc(1), 0.1f, 0.1f), a);
    EXPECT_EQ(cache.count(), 2u);
    EXPECT_EQ(a->last_drawn_time, 0.0);
    EXPECT_EQ(a->device_context, Dc(1));
    EXPECT_EQ(recorder::CallsNamed("GdipCreateFromHDC").size(), 2u);
    cache.Clear();
    EXPECT_EQ(cache.count(), 0u);
    EXPECT_EQ(recorder::LiveObjects(), 0);
}

TEST_F(SurfaceCacheTest, AClosedWindowsEntryGoesAndTheLastTakesItsPlace) {
    gauge::SurfaceCache cache;
    for (std::uintptr_t i = 1; i <= 3; ++i) cache.MarkDrawn(*cache.Find(Dc(i), 0.1f, 0.1f), 5.0 + i);
    const display::GraphicsWrapper* third = cache.GraphicsOf(Dc(3));
    cache.Forget(Dc(9));  // never drawn: nothing
    cache.Forget(Dc(1));
    ASSERT_EQ(cache.count(), 2u);
    EXPECT_EQ(cache.GraphicsOf(Dc(1)), nullptr);
    EXPECT_EQ(cache.entry(0).device_context, Dc(3));
    EXPECT_EQ(cache.entry(0).graphics.get(), third);  // moved, not made again
    EXPECT_EQ(cache.entry(0).last_drawn_time, 8.0);
    cache.Forget(Dc(2));  // the last one
    ASSERT_EQ(cache.count(), 1u);
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 2u);
    EXPECT_EQ(recorder::LiveObjects(), 1);
    EXPECT_NE(cache.Find(Dc(1), 0.1f, 0.1f)->graphics.get(), nullptr);  // met again: a new one
    EXPECT_EQ(cache.count(), 2u);
}

TEST_F(SurfaceCacheTest, TheLeastRecentlyDrawnEntryMakesRoomWhenFull) {
    gauge::SurfaceCache cache;
    for (std::uintptr_t i = 0; i < gauge::kSurfaceCacheCapacity; ++i)
        cache.MarkDrawn(*cache.Find(Dc(i), 0.1f, 0.1f), 1.0);
    cache.MarkDrawn(*cache.Find(Dc(0), 0.1f, 0.1f), 2.0);  // 0 is now recent; 1 is the oldest

    gauge::SurfaceEntry* newcomer = cache.Find(Dc(5000), 0.1f, 0.1f);
    ASSERT_NE(newcomer, nullptr);
    EXPECT_EQ(cache.count(), gauge::kSurfaceCacheCapacity);
    EXPECT_EQ(newcomer, &cache.entry(1));
    EXPECT_EQ(newcomer->device_context, Dc(5000));
    EXPECT_EQ(newcomer->last_drawn_time, 0.0);
    EXPECT_EQ(recorder::LiveObjects(), static_cast<int>(gauge::kSurfaceCacheCapacity));
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 1u);
}

TEST_F(SurfaceCacheTest, AThousandAndFirstDeviceContextIsDrawnWithinBounds) {
    FakeHost host;
    host.SetHostTime(1.0);
    gauge::SharedState shared;
    auto gauge = std::make_unique<gauge::RadarGauge>(shared);
    const std::size_t placements = gauge::kSurfaceCacheCapacity + 1;
    for (std::uintptr_t i = 0; i < placements; ++i) {
        Placement placement(Dc(i), 100, 100);
        gauge->Draw(&placement.header);
    }
    EXPECT_EQ(gauge->surface_cache().count(), gauge::kSurfaceCacheCapacity);
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").size(), placements);
    // The first device context gave its entry to the newcomer.
    EXPECT_EQ(gauge->surface_cache().entry(0).device_context, Dc(placements - 1));
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 1u);

    // The first one comes back: it takes the entry of the second.
    Placement again(Dc(0), 100, 100);
    gauge->Draw(&again.header);
    EXPECT_EQ(gauge->surface_cache().entry(1).device_context, Dc(0));
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").size(), placements + 1);

    gauge.reset();
    EXPECT_EQ(recorder::LiveObjects(), 0);
}

}  // namespace
