// Several radar gauge objects of one module on one panel: each keeps its own
// traffic list up to date, and the selection the pilot clicked is the one
// the panel sees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_traffic.h"
#include "gauge/radar_gauge.h"
#include "gauge/shared_state.h"
#include "gdiplus_recorder.h"

namespace {

using faketraffic::Aircraft;

constexpr std::int32_t kImagePx = 1000;  // one pixel per virtual unit
constexpr std::int32_t kPlanOriginPx = 500;

// An airborne aircraft of the traffic interface at this position.
Aircraft Flying(sim::TrafficId id, const std::string& atc_id, double latitude_deg, double longitude_deg) {
    Aircraft a;
    a.id = id;
    a.atc_id = atc_id;
    a.Set("PLANE LATITUDE", "DEGREES", latitude_deg)
        .Set("PLANE LONGITUDE", "DEGREES", longitude_deg)
        .Set("INDICATED ALTITUDE", "FEET", 8000.0 + id)
        .Set("PLANE ALT ABOVE GROUND", "FEET", 7000.0)
        .Set("GROUND VELOCITY", "KNOTS", 180.0 + id)
        .Set("VELOCITY WORLD Y", "FEET PER MINUTE", -300.0 - id)
        .Set("PLANE HEADING DEGREES MAGNETIC", "DEGREES", 90.0);
    return a;
}

// A gauge object with the placement its pre-draw service hands it.
struct PanelGauge {
    explicit PanelGauge(std::unique_ptr<gauge::RadarGauge> made, std::uintptr_t n)
        : object(std::move(made)), placement(fakehost::FakeDeviceContext(n), kImagePx, kImagePx) {}

    void Draw() { object->Draw(&placement.header); }

    // A click on the last drawn position of target `index` (plan display).
    void ClickOnTarget(std::uint32_t index) {
        display::ScreenPosition at{};
        EXPECT_TRUE(object->selection().DrawnSymbolAt(index, at)) << index;
        Click(kPlanOriginPx + static_cast<std::int32_t>(std::lround(at.x)),
              kPlanOriginPx + static_cast<std::int32_t>(std::lround(at.y)));
    }
    void Click(std::int32_t x_px, std::int32_t y_px) { object->OnMouseClick(sim::ClickPoint{x_px, y_px}); }

    const traffic::RadarTarget& Target(std::uint32_t index) { return *object->traffic_list().Target(index); }

    std::unique_ptr<gauge::RadarGauge> object;
    fakehost::Placement placement;
};

class MultiGaugePanel : public ::testing::Test {
protected:
    MultiGaugePanel() {
        recorder::Reset();
        // The inputs are owned by other panel gauges.
        host.CreateNamedVariable("Radar Mode");
        host.CreateNamedVariable("Radar Range");
        // In full-data mode entry 0 is not shown: the own aircraft.
        info.aircraft = {Flying(1, "OWN", 0.0, 0.0), Flying(2, "N2NORTH", 0.1, 0.0), Flying(3, "N3EAST", 0.0, 0.2)};
    }

    // Plan-mode gauges of two schemes.
    std::unique_ptr<gauge::RadarGauge> Circular(bool amber) {
        if (amber) return std::make_unique<gauge::AmberCircularRadarGauge>(shared);
        return std::make_unique<gauge::CircularRadarGauge>(shared);
    }

    double Published(const std::string& name) const { return host.NamedVariableValue(name); }

    void DrawAt(PanelGauge& gauge, double time) {
        host.SetHostTime(time);
        gauge.Draw();
    }

    void ExpectNoSelectionPublished() const {
        EXPECT_EQ(Published("Radar Target Selected"), 0.0);
        for (const char* output : {"Radar Target Latitude", "Radar Target Longitude", "Radar Target Altitude",
                                   "Radar Target Distance", "Radar Target Speed", "Radar Target Vertical Speed"})
            EXPECT_EQ(Published(output), -1.0) << output;
    }

    void ExpectPublishedSelectionOf(PanelGauge& gauge) {
        const auto index = static_cast<std::uint32_t>(gauge.object->selection().index());
        const traffic::RadarTarget& target = gauge.Target(index);
        EXPECT_EQ(Published("Radar Target Selected"), 1.0);
        EXPECT_EQ(Published("Radar Target Latitude"), target.latitude_deg);
        EXPECT_EQ(Published("Radar Target Longitude"), target.longitude_deg);
        EXPECT_EQ(Published("Radar Target Altitude"), target.altitude_ft);
        EXPECT_EQ(Published("Radar Target Distance"), gauge.object->selection().distance_nm());
        EXPECT_EQ(Published("Radar Target Speed"), target.ground_speed_kt);
        EXPECT_EQ(Published("Radar Target Vertical Speed"), target.vertical_speed_fpm);
    }

    faketraffic::TrafficHost traffic_host;
    fakehost::FakeHost& host = traffic_host.host;
    faketraffic::FakeTrafficInfo& info = traffic_host.info;
    gauge::SharedState shared;  // the module's, for every gauge of the panel
};

TEST_F(MultiGaugePanel, EveryGaugesListFollowsTheMovingTraffic) {
    PanelGauge first(Circular(true), 1);
    PanelGauge second(Circular(false), 2);
    const double start_deg = 0.1;
    ASSERT_EQ(first.Target(1).latitude_deg, start_deg);
    ASSERT_EQ(second.Target(1).latitude_deg, start_deg);

    // Frames every half host second; each list rebuilds when more than one
    // host second has passed since its own last rebuild: at 1.5, 3.0, 4.5.
    double rebuilt_deg = start_deg;
    for (int step = 1; step <= 10; ++step) {
        const double time = 0.5 * step;
        const double latitude_deg = start_deg + 0.01 * step;  // flying north
        info.aircraft[1] = Flying(2, "N2NORTH", latitude_deg, 0.0);
        host.SetHostTime(time);
        first.Draw();
        second.Draw();
        if (step == 3 || step == 6 || step == 9) rebuilt_deg = latitude_deg;
        EXPECT_DOUBLE_EQ(first.Target(1).latitude_deg, rebuilt_deg) << "first gauge at " << time;
        EXPECT_DOUBLE_EQ(second.Target(1).latitude_deg, rebuilt_deg) << "second gauge at " << time;
    }
    EXPECT_EQ(info.radius_requests_m.size(), 2u + 2u * 3u);  // construction, then three rebuilds each
}

TEST_F(MultiGaugePanel, PlayersOfAModuleLoadedLaterReachEveryGauge) {
    PanelGauge first(Circular(false), 1);
    PanelGauge second(Circular(true), 2);
    PanelGauge third(Circular(false), 3);
    ASSERT_EQ(second.object->traffic_list().Count(), 3u);

    faketraffic::FakeNetPlayers players;
    ASSERT_TRUE(players.loaded());
    faketraffic::NetPlayer player;
    player.name = "Kestrel";
    player.altitude_m = 2000.0;
    players.SetPlayer(0, player);

    host.SetHostTime(2.0);
    for (PanelGauge* gauge : {&first, &second, &third}) gauge->Draw();
    for (PanelGauge* gauge : {&first, &second, &third}) {
        ASSERT_EQ(gauge->object->traffic_list().Count(), 4u);
        EXPECT_STREQ(gauge->Target(3).identifier, "Kestrel");
        EXPECT_EQ(gauge->Target(3).source, traffic::kSourceNetPlayer);
    }
}

TEST_F(MultiGaugePanel, TheClickedGaugePublishesAndTheOthersOnlyRead) {
    PanelGauge a(Circular(true), 1);
    PanelGauge b(Circular(false), 2);
    // B drawn before A in every frame: A, without a selection, has the last word.
    auto frame = [&](double time) {
        host.SetHostTime(time);
        b.Draw();
        a.Draw();
    };
    frame(1.0);  // registers
    frame(2.0);  // draws the targets where they can be clicked
    ExpectNoSelectionPublished();

    b.ClickOnTarget(1);
    ASSERT_STREQ(b.object->selection().identifier(), "N2NORTH");
    frame(3.0);
    frame(4.0);  // publishes the distance the frame before captured
    EXPECT_GT(b.object->selection().distance_nm(), 5.0f);
    ExpectPublishedSelectionOf(b);
    EXPECT_STREQ(a.object->selection().identifier(), "");

    // A still reads the inputs.
    host.SetNamedVariableValue("Radar Range", 20.0);
    frame(5.0);
    EXPECT_EQ(a.object->range_nm(), 20.0f);
    EXPECT_EQ(a.object->traffic_list().range_nm(), 20.0);
    EXPECT_EQ(b.object->range_nm(), 20.0f);
    frame(6.0);
    ExpectPublishedSelectionOf(b);

    // A click on a screen that shows no display (a frame of a mode without
    // one) takes nothing.
    host.SetNamedVariableValue("Radar Mode", 1);
    frame(6.5);
    a.Click(20, 20);
    host.SetNamedVariableValue("Radar Mode", display::kModePlan);
    frame(7.0);
    ASSERT_EQ(a.object->mode(), display::kModePlan);  // the panel's mode again
    ExpectPublishedSelectionOf(b);

    // A click on empty screen of A: A's cleared selection is what the panel sees.
    a.Click(20, 20);
    frame(8.0);
    ExpectNoSelectionPublished();
    EXPECT_STREQ(b.object->selection().identifier(), "N2NORTH");  // B keeps it on its own screen

    // And back: a click on B that hits nothing clears the outputs as well.
    b.ClickOnTarget(2);
    frame(9.0);
    frame(10.0);
    ASSERT_STREQ(b.object->selection().identifier(), "N3EAST");
    ExpectPublishedSelectionOf(b);
    b.Click(20, 20);
    frame(11.0);
    ExpectNoSelectionPublished();
}

TEST_F(MultiGaugePanel, DestroyingTheHolderHandsTheOutputsOn) {
    PanelGauge a(Circular(false), 1);
    auto b = std::make_unique<PanelGauge>(Circular(true), 2);
    auto c = std::make_unique<PanelGauge>(Circular(false), 3);
    auto frame = [&](double time) {
        host.SetHostTime(time);
        if (b) b->Draw();
        if (c) c->Draw();
        a.Draw();
    };
    frame(1.0);
    frame(2.0);
    b->ClickOnTarget(1);
    frame(3.0);
    frame(4.0);
    ExpectPublishedSelectionOf(*b);

    c.reset();  // not the holder: nothing changes
    frame(5.0);
    ExpectPublishedSelectionOf(*b);

    a.ClickOnTarget(2);  // a click on A hands the outputs to A
    frame(6.0);
    frame(7.0);
    ExpectPublishedSelectionOf(a);
    b->ClickOnTarget(1);
    frame(8.0);
    ExpectPublishedSelectionOf(*b);

    b.reset();  // the holder goes: the next gauge to exchange takes over
    frame(9.0);
    ExpectPublishedSelectionOf(a);
    ASSERT_STREQ(a.object->selection().identifier(), "N3EAST");

    // A gauge made later does not take the outputs from a living holder.
    c = std::make_unique<PanelGauge>(Circular(true), 4);
    frame(10.0);
    frame(11.0);
    ExpectPublishedSelectionOf(a);
}

// A click can select only an aircraft whose symbol the gauge's last drawn
// frame drew, wherever older frames left the others.
TEST_F(MultiGaugePanel, AClickSelectsOnlyWhatTheLastFrameDrew) {
    // On the ground beside the own aircraft: never drawn, so never placed.
    info.aircraft.push_back(Flying(4, "GROUND", 0.0, 0.0).Set("PLANE ALT ABOVE GROUND", "FEET", 50.0));
    PanelGauge g(Circular(false), 1);
    DrawAt(g, 1.0);  // registers
    DrawAt(g, 2.0);  // draws the targets where they can be clicked
    g.Click(kPlanOriginPx, kPlanOriginPx);
    EXPECT_STREQ(g.object->selection().identifier(), "");

    // A drawn aircraft next to the centre is still there to be clicked.
    info.aircraft.push_back(Flying(5, "CLOSE", 0.005, 0.0));
    DrawAt(g, 4.0);  // rebuilt after a host second
    ASSERT_EQ(g.object->traffic_list().Count(), 5u);
    g.Click(kPlanOriginPx, kPlanOriginPx);
    EXPECT_STREQ(g.object->selection().identifier(), "CLOSE");

    // Sector display: dead ahead, then out of the fan when the own aircraft turns.
    host.SetNamedVariableValue("Radar Mode", display::kModeSector);
    DrawAt(g, 5.0);
    display::ScreenPosition ahead{};
    ASSERT_TRUE(g.object->selection().DrawnSymbolAt(1, ahead));
    const auto click_where_north_was = [&] {
        g.Click(500 + static_cast<std::int32_t>(std::lround(ahead.x)),
                975 + static_cast<std::int32_t>(std::lround(ahead.y)));
    };
    click_where_north_was();
    ASSERT_STREQ(g.object->selection().identifier(), "N2NORTH");
    host.SetModuleVariable(sim::kTokenOwnHeading, 90.0);
    DrawAt(g, 6.0);
    ASSERT_FALSE(g.object->selection().DrawnSymbolAt(1, ahead));  // not drawn
    click_where_north_was();
    EXPECT_STREQ(g.object->selection().identifier(), "");

    // A frame of a mode without a display draws no symbol at all.
    host.SetNamedVariableValue("Radar Mode", display::kModePlan);
    DrawAt(g, 7.0);
    host.SetNamedVariableValue("Radar Mode", 1);
    DrawAt(g, 8.0);
    host.SetNamedVariableValue("Radar Mode", display::kModePlan);
    g.Draw();  // the same host time: the exchange only, so that the click looks at the plan display
    g.Click(kPlanOriginPx, kPlanOriginPx);
    EXPECT_STREQ(g.object->selection().identifier(), "");
}

// With the simulator paused the host time stands still and nothing is
// drawn, but every pre-draw service still exchanges the named variables: a
// range or mode the panel changes then, and a rebuild that puts the records
// in other slots, leave the picture as it is, and a click means that picture.
TEST_F(MultiGaugePanel, WhilePausedAClickMeansWhatIsOnTheScreen) {
    PanelGauge g(Circular(false), 1);
    DrawAt(g, 1.0);  // registers
    DrawAt(g, 2.0);  // the plan display: OWN hidden, N2NORTH in slot 1, N3EAST in slot 2
    const double north_deg = g.Target(1).latitude_deg;

    // Paused at 2.0: an aircraft comes before the others, and the range is halved.
    info.aircraft.insert(info.aircraft.begin() + 1, Flying(9, "NEWCOMER", -0.05, 0.05));
    host.SetNamedVariableValue("Radar Range", 20.0);
    g.Draw();
    ASSERT_STREQ(g.Target(1).identifier, "NEWCOMER");
    g.ClickOnTarget(1);  // where the frame drew N2NORTH
    EXPECT_STREQ(g.object->selection().identifier(), "N2NORTH");
    g.Draw();
    EXPECT_EQ(Published("Radar Target Latitude"), north_deg);
    EXPECT_EQ(g.object->selection().index(), 2);  // the exchange followed it

    // The mode changed, still paused: the plan display is what the pilot sees.
    host.SetNamedVariableValue("Radar Mode", display::kModeSector);
    g.Draw();
    ASSERT_EQ(g.object->mode(), display::kModeSector);
    g.ClickOnTarget(2);  // N3EAST's symbol, measured from the plan display's centre
    EXPECT_STREQ(g.object->selection().identifier(), "N3EAST");
    g.Draw();
    EXPECT_EQ(Published("Radar Target Longitude"), 0.2);

    // Time moves on: the sector display is drawn, and clicks go by it.
    DrawAt(g, 3.0);
    g.Click(kPlanOriginPx, 975);  // its apex, where no aircraft stands
    EXPECT_STREQ(g.object->selection().identifier(), "");
}

// A host value that is not a number is unknown: such an aircraft is drawn
// without what it lacks (no position: not at all), its readouts show dashes
// and its published values are -1; unknown own data leave every aircraft out
// of the picture. The recording GDI+ fails the test on any such number.
TEST_F(MultiGaugePanel, NumbersThatAreNotNumbersAreNeitherDrawnNorShownNorPublished) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    info.aircraft[1]
        .Set("INDICATED ALTITUDE", "FEET", nan)
        .Set("GROUND VELOCITY", "KNOTS", inf)
        .Set("VELOCITY WORLD Y", "FEET PER MINUTE", nan)
        .Set("PLANE HEADING DEGREES MAGNETIC", "DEGREES", -inf);
    info.aircraft.push_back(Flying(4, "NOWHERE", nan, 0.1));
    PanelGauge g(std::make_unique<gauge::RadarGauge>(shared), 1);  // all six readouts
    DrawAt(g, 1.0);  // registers, with its own mode
    host.SetNamedVariableValue("Radar Mode", display::kModePlan);
    DrawAt(g, 2.0);
    display::ScreenPosition centre{};
    EXPECT_FALSE(g.object->selection().DrawnSymbolAt(3, centre));  // no position, no symbol
    g.ClickOnTarget(1);
    ASSERT_STREQ(g.object->selection().identifier(), "N2NORTH");

    double time = 3.0;
    for (const std::int32_t mode : {display::kModeSector, display::kModeAltitude, display::kModePlan}) {
        host.SetNamedVariableValue("Radar Mode", mode);
        recorder::Clear();
        DrawAt(g, time++);
    }
    std::vector<std::u16string> readouts;
    for (const recorder::Call& text : recorder::CallsNamed("GdipDrawString")) readouts.push_back(text.text);
    ASSERT_GE(readouts.size(), 6u);
    EXPECT_EQ(std::vector<std::u16string>(readouts.end() - 6, readouts.end()),
              (std::vector<std::u16string>{u"----FT/M", u"---FT", u"BRG0\u00B0", u"6.0NM", u"N2NORTH", u"---KTS"}));
    // Spokes, sweep, N2NORTH's cross without a vector, N3EAST's cross and vector.
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 12u + 1u + 2u + 3u);
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_EQ(Published("Radar Target Latitude"), 0.1);
    for (const char* unknown : {"Radar Target Altitude", "Radar Target Speed", "Radar Target Vertical Speed"})
        EXPECT_EQ(Published(unknown), -1.0) << unknown;

    // The own heading, then the own position, unknown: the rings without a target.
    for (const std::uint32_t token : {sim::kTokenOwnHeading, sim::kTokenOwnLatitude}) {
        host.SetModuleVariable(token, token == sim::kTokenOwnHeading ? nan : inf);
        DrawAt(g, time++);
        EXPECT_FALSE(g.object->selection().DrawnSymbolAt(1, centre)) << token;
        EXPECT_FALSE(g.object->selection().DrawnSymbolAt(2, centre)) << token;
        host.SetModuleVariable(token, 0.0);
    }
    DrawAt(g, time++);
    EXPECT_TRUE(g.object->selection().DrawnSymbolAt(2, centre));
}

// The distance published is the one a drawn frame measured for the aircraft
// selected now: -1 until that frame has come.
TEST_F(MultiGaugePanel, ThePublishedDistanceBelongsToTheSelection) {
    PanelGauge g(Circular(false), 1);
    DrawAt(g, 1.0);  // registers
    DrawAt(g, 2.0);  // draws the targets where they can be clicked

    g.ClickOnTarget(1);
    DrawAt(g, 3.0);  // publishes before it draws: nothing measured yet
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_EQ(Published("Radar Target Latitude"), 0.1);
    EXPECT_EQ(Published("Radar Target Distance"), -1.0);
    DrawAt(g, 4.0);
    EXPECT_NEAR(Published("Radar Target Distance"), 6.0, 0.01);
    ExpectPublishedSelectionOf(g);

    g.ClickOnTarget(2);
    DrawAt(g, 5.0);
    EXPECT_EQ(Published("Radar Target Longitude"), 0.2);
    EXPECT_EQ(Published("Radar Target Distance"), -1.0);  // not the one before's 6 NM
    EXPECT_EQ(Published("Radar Target Speed"), g.Target(2).ground_speed_kt);
    DrawAt(g, 6.0);
    EXPECT_NEAR(Published("Radar Target Distance"), 12.0, 0.01);
    ExpectPublishedSelectionOf(g);
}

}  // namespace
