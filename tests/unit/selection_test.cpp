// Selecting a target by a click on a symbol the last drawn frame drew.
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

constexpr DisplayOrigin kCentre{500.0f, 500.0f};

class Selection : public ::testing::Test {
protected:
    Selection() {
        f.SetTargetCount(4);
        f.PlaceTarget(1, 1.0, 0.0, "ONE");
        f.PlaceTarget(2, 1.0, 0.0, "TWO");
        f.PlaceTarget(3, 1.0, 0.0, "THREE");
        DrawSymbols();
    }
    // The symbols a frame drew at this scale, slot by slot.
    void DrawSymbols(display::ScreenPosition one = {100.0f, -50.0f}, display::ScreenPosition two = {110.0f, -50.0f},
                     float scale_x = 1.0f, float scale_y = 1.0f) {
        f.screen.selection.StartFrame(scale_x, scale_y);
        f.screen.selection.StartDisplay(kCentre);
        f.screen.selection.RecordSymbol(f.Target(1), 1, one);
        f.screen.selection.RecordSymbol(f.Target(2), 2, two);  // overlaps the first
        f.screen.selection.RecordSymbol(f.Target(3), 3, {-200.0f, 200.0f});
    }
    // A click at display-relative (vx, vy) on a 1000-pixel image.
    void ClickAt(float vx, float vy) {
        f.screen.selection.ClickAt(static_cast<std::int32_t>(vx + 500.0f), static_cast<std::int32_t>(vy + 500.0f),
                                   kCentre);
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
    DrawSymbols({100.0f, -50.0f}, {110.0f, -50.0f}, 0.5f, 0.25f);
    // (300, 112) pixels are (600, 448) virtual, (100, -52) from the centre.
    f.screen.selection.ClickAt(300, 112, kCentre);
    EXPECT_EQ(Selected(), "ONE");
    // 19.9 units off on both axes still hits; 20.0 does not.
    DrawSymbols({100.1f, -49.9f});
    f.screen.selection.ClickAt(620, 470, kCentre);  // (120, -30)
    EXPECT_EQ(Selected(), "ONE");
    DrawSymbols({100.0f, -50.0f}, {500.0f, 500.0f});
    f.screen.selection.ClickAt(620, 470, kCentre);
    EXPECT_EQ(Selected(), "");
}

TEST_F(Selection, OnlyASymbolTheLastFrameDrewCanBeHit) {
    f.screen.selection.StartFrame(1.0f, 1.0f);
    f.screen.selection.StartDisplay(kCentre);
    f.screen.selection.RecordSymbol(f.Target(2), 2, {110.0f, -50.0f});
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "TWO");  // the next symbol the click hits
    f.screen.selection.StartFrame(1.0f, 1.0f);
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "");
}

// The frame's record holds the aircraft, not the slot: whatever the list
// became after the frame, a click selects what the frame drew there.
TEST_F(Selection, TheAircraftDrawnThereIsSelectedWhateverTheListBecameSince) {
    f.PlaceTarget(1, 1.0, 0.0, "NEWCOMER");  // a rebuild put another aircraft in slot 1
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "ONE");
    EXPECT_EQ(f.screen.selection.index(), 1);  // where it was drawn; the exchange follows it
    f.SetTargetCount(0);                       // and gone from the list altogether
    ClickAt(-200.0f, 200.0f);
    EXPECT_EQ(Selected(), "THREE");
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
    DrawSymbols({100.0f, -50.0f}, {110.0f, -50.0f}, 0.0f, 1.0f);
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "KEEP");
    DrawSymbols({100.0f, -50.0f}, {110.0f, -50.0f}, 1.0f, 0.0f);
    ClickAt(100.0f, -50.0f);
    EXPECT_EQ(Selected(), "KEEP");
}

TEST_F(Selection, ALongIdentifierIsCopiedWhole) {
    const std::string longest(traffic::kIdentifierChars - 1, 'X');
    f.PlaceTarget(3, 1.0, 0.0, longest);
    DrawSymbols();
    ClickAt(-200.0f, 200.0f);
    EXPECT_EQ(Selected(), longest);
}

// A gauge whose every display draws one symbol, slot 1's, 475 units above
// its origin.
class OneSymbolGauge : public gauge::RadarGauge {
public:
    using RadarGauge::RadarGauge;
    void DrawPlan() override { DrawOneSymbol({500.0f, 500.0f}); }
    void DrawSector() override { DrawOneSymbol({500.0f, 975.0f}); }
    void DrawAltitude() override { DrawOneSymbol({500.0f, 500.0f}); }

private:
    void DrawOneSymbol(DisplayOrigin origin) {
        selection().StartDisplay(origin);
        selection().RecordSymbol(*traffic_list().Target(1), 1, {0.0f, -475.0f});
    }
};

// A click is measured from the origin of the display the last drawn frame
// drew, whatever the mode has become since (with the host paused, no frame
// is drawn until the host time moves).
TEST(GaugeClick, MeasuredFromTheOriginOfTheDisplayOnTheScreen) {
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
    const auto draw_in = [&](std::int32_t mode, double host_time) {
        host.SetNamedVariableValue("Radar Mode", mode);
        host.SetHostTime(host_time);
        gauge.Draw(&placement.header);
        ASSERT_EQ(gauge.mode(), mode);
    };
    const auto click_centre = [&] { gauge.OnMouseClick(sim::ClickPoint{500, 500}); };

    gauge.OnMouseClick(sim::ClickPoint{500, 25});  // nothing drawn yet: nothing on the screen
    host.SetHostTime(1.0);
    gauge.Draw(&placement.header);  // the first exchange makes "Radar Mode"
    draw_in(display::kModeSector, 2.0);
    draw_in(display::kModePlan, 2.0);  // paused: the sector display is still on the screen
    click_centre();                    // from the apex (500, 975): a hit
    EXPECT_STREQ(gauge.selection().identifier(), "SECTOR");

    draw_in(display::kModePlan, 3.0);  // centre (500, 500): the same click misses
    click_centre();
    EXPECT_STREQ(gauge.selection().identifier(), "");

    gauge.selection().Pick("KEEP", 0);
    draw_in(7, 4.0);  // a frame of no display: nothing to click
    click_centre();
    EXPECT_STREQ(gauge.selection().identifier(), "KEEP");
}

}  // namespace
