// The built radar module flying the panel host's sky: a click on a target
// where the host's own geometry puts it publishes that target's values, and
// both traffic sources, or only the traffic interface, feed the list.
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "integration_support.h"
#include "panel/panel_host.h"
#include "sky/panel_sky.h"
#include "sky_test_support.h"
#include "sky/traffic_report.h"
#include "platform/units.h"

namespace {

using panelhost::Flight;
using panelhost::FlyFor;
using panelhost::PanelHost;
using panelhost::PanelSky;
using panelhost::Scenario;

constexpr int kSizePx = 1000;  // one pixel per unit of the radar's 1000-unit screen
constexpr double kRangeNm = 40.0;
constexpr double kPlanRadiusUnits = 475.0;
constexpr double kPlanCentreUnits = 500.0;
constexpr double kHitUnits = 20.0;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

struct ScreenPoint {
    double x;
    double y;
};

// Where the plan display draws an aircraft: heading up, 475 units for the range.
ScreenPoint PlanPosition(const Flight& own, double latitude_deg, double longitude_deg) {
    const panelhost::GeoPoint target{latitude_deg, longitude_deg};
    const double distance_units =
        panelhost::GreatCircleDistanceNm(panelhost::PositionOf(own), target) * kPlanRadiusUnits / kRangeNm;
    const double relative_rad = (panelhost::TrueBearingDeg(panelhost::PositionOf(own), target) - own.heading_deg) *
                                kRadiansPerDegree;
    return ScreenPoint{kPlanCentreUnits + distance_units * std::sin(relative_rad),
                       kPlanCentreUnits - distance_units * std::cos(relative_rad)};
}

bool IsLoadedByName() {
    void* handle = dlopen(sim::kNetPlayerModuleName, RTLD_NOLOAD | RTLD_NOW);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

class SkyEndToEnd : public testing::Test {
protected:
    void Start(Scenario scenario, std::vector<std::string> net_player_paths = panelhost::NetPlayerModuleCandidates()) {
        sky_ = std::make_unique<PanelSky>(std::move(scenario));
        panel_ = std::make_unique<PanelHost>();
        std::string error;
        ASSERT_TRUE(panel_->LoadModule(integration::ModulePath(), &error)) << error;
        attached_ = sky_->Attach(*panel_, net_player_paths, &attach_error_);
        gauge_ = panel_->Place("Circular Green", kSizePx, kSizePx);
        ASSERT_NE(gauge_, nullptr);
        // The radar reads the players from its first periodic rebuild on,
        // in the second frame: two frames store every target's position.
        Frame();
        Frame();
    }

    void Frame() {
        if (frames_++ > 0) panel_->AdvanceClock(0.1);
        sky_->Update(*panel_);
        panel_->DrawFrame();
    }

    // The entry of the host's own traffic report with this identifier.
    panelhost::TrafficReportEntry Entry(const std::string& identifier) {
        const bool players = sky_->net_player_module() != nullptr && sky_->sky().scenario().player_status == 1;
        for (const auto& entry : panelhost::BuildTrafficReport(sky_->sky(), kRangeNm, players)) {
            if (entry.identifier == identifier) return entry;
        }
        ADD_FAILURE() << identifier << " is not in the list";
        return {};
    }

    // Clicks where the target is drawn, after checking that no other drawn
    // target is near enough to take the click; then two frames, the second
    // of which publishes the distance its predecessor captured.
    void ClickOn(const Flight& target) {
        const Flight& own = sky_->sky().own();
        const ScreenPoint at = PlanPosition(own, target.latitude_deg, target.longitude_deg);
        for (const auto& entry : panelhost::BuildTrafficReport(sky_->sky(), kRangeNm, true)) {
            if (entry.identifier == target.identifier || *entry.note != '\0') continue;
            const ScreenPoint other = PlanPosition(own, entry.latitude_deg, entry.longitude_deg);
            EXPECT_FALSE(std::fabs(other.x - at.x) < kHitUnits + 2 && std::fabs(other.y - at.y) < kHitUnits + 2)
                << entry.identifier << " lies next to " << target.identifier;
        }
        panel_->Click(*gauge_, static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
        Frame();
        Frame();
    }

    double Published(const char* name) { return panel_->named_variables().ValueOr(name, -999.0); }

    const Flight& Traffic(const std::string& identifier) { return Find(sky_->sky().traffic(), identifier); }
    const Flight& Player(const std::string& identifier) { return Find(sky_->sky().players(), identifier); }

    static const Flight& Find(const std::vector<Flight>& flights, const std::string& identifier) {
        for (const Flight& flight : flights) {
            if (flight.identifier == identifier) return flight;
        }
        ADD_FAILURE() << "no " << identifier;
        return flights.front();
    }

    std::unique_ptr<PanelSky> sky_;  // outlives the panel and its gauges
    std::unique_ptr<PanelHost> panel_;
    panelhost::GaugePlacement* gauge_ = nullptr;
    bool attached_ = false;
    std::string attach_error_;
    int frames_ = 0;
};

TEST_F(SkyEndToEnd, AClickOnATrafficTargetPublishesItsValues) {
    Start(panelhost::DefaultScenario());
    ASSERT_TRUE(attached_) << attach_error_;
    const Flight& target = Traffic("SWR1MQ");
    ClickOn(target);
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_NEAR(Published("Radar Target Latitude"), target.latitude_deg, 1e-9);
    EXPECT_NEAR(Published("Radar Target Longitude"), target.longitude_deg, 1e-9);
    EXPECT_EQ(Published("Radar Target Altitude"), target.altitude_ft);
    EXPECT_EQ(Published("Radar Target Speed"), target.ground_speed_kt);
    EXPECT_EQ(Published("Radar Target Vertical Speed"), target.vertical_speed_fpm);
    EXPECT_NEAR(Published("Radar Target Distance"), Entry("SWR1MQ").distance_nm, 1e-3);
}

TEST_F(SkyEndToEnd, AClickOnANetworkPlayersDiamondPublishesItsAltitude) {
    Start(panelhost::DefaultScenario());
    ASSERT_NE(sky_->net_player_module(), nullptr) << attach_error_;
    EXPECT_TRUE(IsLoadedByName());
    EXPECT_GT(sky_->net_player_module()->entry_calls(), 0u);  // the radar asked for the table
    const Flight& player = Player("Kestrel");
    ClickOn(player);
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_NEAR(Published("Radar Target Altitude"), player.altitude_ft, 1e-6);
    EXPECT_NEAR(Published("Radar Target Latitude"), player.latitude_deg, 1e-9);
    EXPECT_NEAR(Published("Radar Target Longitude"), player.longitude_deg, 1e-9);
    EXPECT_NEAR(Published("Radar Target Speed"), player.ground_speed_kt, 1e-3);
    EXPECT_NEAR(Published("Radar Target Vertical Speed"), player.vertical_speed_fpm, 1e-3);
    EXPECT_NEAR(Published("Radar Target Distance"), Entry("Kestrel").distance_nm, 1e-3);
}

TEST_F(SkyEndToEnd, ThePublishedPositionFollowsTheSkyFromSecondToSecond) {
    Start(skytest::LoadScenario("lone_player.txt"));
    const Flight start = Traffic("EAST10");
    ClickOn(start);
    ASSERT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_NEAR(Published("Radar Target Latitude"), start.latitude_deg, 1e-9);
    while (panel_->clock().time_s < 4.45) Frame();
    // Rebuilt once per host second: the position of one of the last few seconds.
    const double published = Published("Radar Target Latitude");
    EXPECT_LT(published, start.latitude_deg);  // flying south
    bool matches_a_second = false;
    for (int seconds = 1; seconds <= 3; ++seconds) {
        matches_a_second = matches_a_second || std::fabs(FlyFor(start, seconds).latitude_deg - published) < 1e-9;
    }
    EXPECT_TRUE(matches_a_second) << published;
    EXPECT_LT(Published("Radar Target Altitude"), start.altitude_ft);  // and descending
}

TEST_F(SkyEndToEnd, ThePlayerTableFollowsTheSky) {
    Start(skytest::LoadScenario("lone_player.txt"));
    ASSERT_NE(sky_->net_player_module(), nullptr) << attach_error_;
    while (panel_->clock().time_s < 3.05) Frame();
    const Flight& player = Player("WEST10");
    EXPECT_GT(player.latitude_deg, 47.0);  // flying north
    double latitude_units = 0.0;
    std::memcpy(&latitude_units, sky_->net_player_module()->table() + sim::netslot::kLatitude, sizeof latitude_units);
    EXPECT_NEAR(latitude_units * 360.0 * sim::kLatitudeUnitFactor, player.latitude_deg, 1e-12);
}

TEST_F(SkyEndToEnd, WithBothSourcesBothAreSelectable) {
    Start(skytest::LoadScenario("lone_player.txt"));
    ClickOn(Player("WEST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_NEAR(Published("Radar Target Altitude"), 12000.0, 1e-6);
    EXPECT_NEAR(Published("Radar Target Speed"), 220.0, 1e-3);
    ClickOn(Traffic("EAST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_EQ(Published("Radar Target Speed"), 250.0);
}

TEST_F(SkyEndToEnd, AFailingExportLeavesOnlyTheInterfaceTargets) {
    Start(skytest::LoadScenario("lone_player_failing.txt"));
    ASSERT_NE(sky_->net_player_module(), nullptr) << attach_error_;
    EXPECT_GT(sky_->net_player_module()->entry_calls(), 0u);
    ClickOn(Player("WEST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 0.0);
    ClickOn(Traffic("EAST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
}

TEST_F(SkyEndToEnd, AnAbsentModuleLeavesOnlyTheInterfaceTargets) {
    Start(skytest::LoadScenario("lone_player.txt"), {"/no/such/folder/IBNetPlayer.gau"});
    EXPECT_FALSE(attached_);
    EXPECT_NE(attach_error_.find("network players left out"), std::string::npos) << attach_error_;
    EXPECT_EQ(sky_->net_player_module(), nullptr);
    EXPECT_FALSE(IsLoadedByName());
    ClickOn(Player("WEST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 0.0);
    ClickOn(Traffic("EAST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
}

TEST_F(SkyEndToEnd, WithoutNetworkPlayersTheModuleIsNeverLoaded) {
    Start(skytest::LoadScenario("interface_only.txt"));
    EXPECT_TRUE(attached_);
    EXPECT_EQ(sky_->net_player_module(), nullptr);
    EXPECT_FALSE(IsLoadedByName());
    ClickOn(Traffic("EAST10"));
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_EQ(Published("Radar Target Vertical Speed"), -700.0);
}

TEST_F(SkyEndToEnd, ReducedDataShowsTheNearestAircraftAtTheFixedSpeed) {
    Start(skytest::LoadScenario("reduced_data.txt"));
    ClickOn(Traffic("EAST10"));  // the first entry of a reduced-data answer is drawn
    EXPECT_EQ(Published("Radar Target Selected"), 1.0);
    EXPECT_EQ(Published("Radar Target Altitude"), 12000.0);
    EXPECT_EQ(Published("Radar Target Speed"), 200.0);
    EXPECT_EQ(Published("Radar Target Vertical Speed"), 0.0);
}

TEST_F(SkyEndToEnd, TheOwnAircraftsVariablesFollowItsFlight) {
    Start(panelhost::DefaultScenario());
    const Flight& own = sky_->sky().own();
    const panelhost::OwnAircraft& variables = panel_->own_aircraft();
    EXPECT_EQ(variables.latitude_deg, own.latitude_deg);
    EXPECT_EQ(variables.heading_deg, own.heading_deg);
    EXPECT_NEAR(variables.altitude_m * units::kFeetPerMetre, own.altitude_ft, 1e-9);
    const double start_latitude = own.latitude_deg;
    while (panel_->clock().time_s < 3.05) Frame();
    EXPECT_EQ(sky_->sky().flown_seconds(), 2.0);
    EXPECT_GT(panel_->own_aircraft().latitude_deg, start_latitude);  // flying north
    EXPECT_EQ(panel_->own_aircraft().latitude_deg, sky_->sky().own().latitude_deg);
}

}  // namespace
