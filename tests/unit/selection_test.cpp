// Selecting a target by a click on its last drawn symbol.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "display/target_selection.h"
#include "display_fixture.h"
#include "fake_host.h"
#include "fake_traffic.h"
#include "gauge/radar_gauge.h"
#include "gauge/shared_state.h"

namespace {

using display::DisplayOrigin;
using displaytest::DisplayFixture;

class Selection : public ::testing::Test {
protected:
    Selection() {
        f.SetTargetCount(4);
        f.PlaceTarget(1, 1.0, 0.0, "ONE");
        f.PlaceTarget(2, 1.0, 0.0, "TWO");
        f.PlaceTarget(3, 1.0, 0.0, "THREE");
        DrawSymbols();
    }
    // The symbols a frame drew, slot by slot.
    void DrawSymbols(display::ScreenPosition one = {100.0f, -50.0f}, display::ScreenPosition two = {110.0f, -50.0f}) {
        f.screen.selection.StartFrame();
        f.screen.selection.RecordSymbol(1, one);
        f.screen.selection.RecordSymbol(2, two);  // overlaps the first
        f.screen.selection.RecordSymbol(3, {-200.0f, 200.0f});
    }
    // A click at (x_px, y_px) of an image drawn at the screen's scale.
    void ClickOnImage(std::int32_t x_px, std::int32_t y_px) {
        display::SelectTargetAt(f.screen.selection, *f.list, f.screen.scale_x, f.screen.scale_y, x_px, y_px,
                                DisplayOrigin{500.0f, 500.0f});
    }
    // A click at display-relative (vx, vy) on a 1000-pixel image.
    void ClickAt(float vx, float vy) {
        ClickOnImage(static_cast<std::int32_t>(vx + 500.0f), static_cast<std::int32_t>(vy + 500.0f));
    }
    std::string Selected() const { return f.screen.selection.identifier(); }
    DisplayFixture f;
};

TEST(HitTest, StrictlyWithinTwentyUnitsOnBothAxes) {
    const display::ScreenPosition symbol{10.0f, 10.0f};
    EXPECT_TRUE(display::HitsSymbol(29.9f, 29.9f, symbol));
    EXPECT_TRUE(display::HitsSymbol(-9.9f, -9.9f, symbol));
    EXPECT_FALSE(display::HitsSymbol(30.0f, 10.0f, symbol));
    EXPECT_FALSE(display::HitsSymbol(10.0f, -10.0f, symbol));
    EXPECT_FALSE(display::HitsSymbol(std::nanf(""), 10.0f, symbol));
}

TEST_F(Selection, AClickOnASymbolSelectsItsIdentifierAndIndex) {
    ClickAt(-200.0f + 19.0f, 200.0f - 19.0f);
    EXPECT_EQ(Selected(), "THREE");
    EXPECT_EQ(f.screen.selection.index(), 3);
    // Only the identifier and index change: the next frame captures the rest.
    EXPECT_FALSE(f.screen.selection.visible());
}

TEST_F(Selection, OverlappingSymbolsGiveTheLowerIndex) {
    ClickAt(105.0f, -50.0f);
    EXPECT_EQ(Selected(), "ONE");
    EXPECT_EQ(f.screen.selection.index(), 1);
    ClickAt(125.0f, -50.0f);
    EXPECT_EQ(Selected(), "TWO");
}

TEST_F(Selection, AClickOnEmptyScreenClearsTheSelection) {
    ClickAt(100.0f, -50.0f);
    ASSERT_EQ(Selected(), "ONE");
    ClickAt(400.0f, 400.0f);
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(f.screen.selection.index(), 1);  // left as it was
}

TEST_F(Selection, TheClickIsScaledToTheVirtualScreenBeforeTheTest) {
    f.screen.scale_x = 0.5f;
    f.screen.scale_y = 0.25f;
    // (300, 112) pixels are (600, 448) virtual, (100, -52) from the centre.
    ClickOnImage(300, 112);
    EXPECT_EQ(Selected(), "ONE");
    // 19.9 units off on both axes still hits; 20.0 does not.
    f.screen.scale_x = 1.0f;
    f.screen.scale_y = 1.0f;
    DrawSymbols({100.1f, -49.9f});
    ClickOnImage(620, 470);  // (120, -30)
    EXPECT_EQ(Selected(), "ONE");
    DrawSymbols({100.0f, -50.0f}, {500.0f, 500.0f});
    ClickOnImage(620, 470);
    EXPECT_EQ(Selected(), "");
}

TEST_F(Selection, OnlyASymbolTheLastFrameDrewCanBeHit) {
    f.screen.selection.StartFrame();
    f.screen.selection.RecordSymbol(2, {110.0f, -50.0f});
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "TWO");  // the next symbol the click hits
    f.screen.selection.StartFrame();
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "");
}

TEST_F(Selection, AnotherAircraftForgetsTheCapturedDistance) {
    ClickAt(100.0f, -50.0f);
    f.screen.selection.Capture(1, 1.0f, 0.0f);  // as the next frame does
    ClickAt(100.0f, -50.0f);                     // the same aircraft again
    EXPECT_TRUE(f.screen.selection.distance_captured());
    ClickAt(-200.0f, 200.0f);
    EXPECT_EQ(Selected(), "THREE");
    EXPECT_FALSE(f.screen.selection.distance_captured());
}

TEST_F(Selection, NoScaleYetMeansNoChange) {
    f.Select("KEEP");
    f.screen.scale_x = 0.0f;
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "KEEP");
    f.screen.scale_x = 1.0f;
    f.screen.scale_y = 0.0f;
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "KEEP");
}

TEST_F(Selection, TheFirstRecordCountsOnlyWithReducedData) {
    f.PlaceTarget(0, 1.0, 0.0, "ZERO");
    f.screen.selection.RecordSymbol(0, {100.0f, -50.0f});
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "ONE");
    f.traffic_info.reduced_data = 1;
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "ZERO");
    EXPECT_EQ(f.screen.selection.index(), 0);
}

TEST_F(Selection, ALongIdentifierIsCopiedWhole) {
    const std::string longest(traffic::kIdentifierChars - 1, 'X');
    f.PlaceTarget(3, 1.0, 0.0, longest);
    ClickAt(-200.0f, 200.0f);
    EXPECT_EQ(Selected(), longest);
}

TEST(DisplayOrigins, CentreForPlanAndAltitudeApexForSector) {
    DisplayOrigin origin{};
    ASSERT_TRUE(display::DisplayOriginOf(display::kModePlan, origin));
    EXPECT_EQ(origin.x, 500.0f);
    EXPECT_EQ(origin.y, 500.0f);
    ASSERT_TRUE(display::DisplayOriginOf(display::kModeAltitude, origin));
    EXPECT_EQ(origin.y, 500.0f);
    ASSERT_TRUE(display::DisplayOriginOf(display::kModeSector, origin));
    EXPECT_EQ(origin.x, 500.0f);
    EXPECT_EQ(origin.y, 975.0f);
    EXPECT_FALSE(display::DisplayOriginOf(1, origin));
    EXPECT_FALSE(display::DisplayOriginOf(5, origin));
}

// A gauge whose every display draws one symbol, slot 1's, 475 units above
// its origin.
class OneSymbolGauge : public gauge::RadarGauge {
public:
    using RadarGauge::RadarGauge;
    void DrawPlan() override { selection().RecordSymbol(1, {0.0f, -475.0f}); }
    void DrawSector() override { DrawPlan(); }
    void DrawAltitude() override { DrawPlan(); }
};

TEST(GaugeClick, MeasuredFromTheOriginOfTheCurrentMode) {
    fakehost::FakeHost host;
    faketraffic::FakeTrafficInfo info;
    faketraffic::FakeRegistered registered;
    registered.traffic = &info;
    faketraffic::RegisterTrafficInterface(host, registered);
    info.aircraft.resize(2);
    info.aircraft[0].id = 1;
    info.aircraft[1].id = 2;
    info.aircraft[1].atc_id = "SECTOR";
    gauge::SharedState shared;
    OneSymbolGauge gauge(shared);
    ASSERT_EQ(gauge.traffic_list().Count(), 2u);
    fakehost::Placement placement(fakehost::FakeDeviceContext(1), 1000, 1000);
    host.SetHostTime(1.0);
    gauge.Draw(&placement.header);  // a sector frame
    // A mode changed by the panel; the same host time draws nothing.
    const auto set_mode = [&](std::int32_t mode) {
        host.SetNamedVariableValue("Radar Mode", mode);
        gauge.Draw(&placement.header);
        ASSERT_EQ(gauge.mode(), mode);
    };

    set_mode(display::kModeSector);  // apex (500, 975): the click at (500, 500) hits
    gauge.OnMouseClick(sim::ClickPoint{500, 500});
    EXPECT_STREQ(gauge.selection().identifier(), "SECTOR");

    set_mode(display::kModePlan);  // centre (500, 500): the same click misses
    gauge.OnMouseClick(sim::ClickPoint{500, 500});
    EXPECT_STREQ(gauge.selection().identifier(), "");

    gauge.selection().Pick("KEEP", 0);
    set_mode(7);  // no display: the click does nothing
    gauge.OnMouseClick(sim::ClickPoint{500, 500});
    EXPECT_STREQ(gauge.selection().identifier(), "KEEP");
}

}  // namespace
