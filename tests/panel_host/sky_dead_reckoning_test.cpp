// Dead reckoning: every aircraft of the sky flies its heading, speed and
// vertical speed, one whole host second at a time.
#include <cmath>

#include <gtest/gtest.h>

#include "sky/sky.h"
#include "sky_test_support.h"

namespace {

using panelhost::Flight;
using panelhost::FlyFor;
using panelhost::GeoPoint;

Flight Flying(double latitude_deg, double longitude_deg, double heading_deg, double speed_kt,
              double vertical_speed_fpm = 0.0, double altitude_ft = 5000.0, double height_ft = 4000.0) {
    return skytest::MakeFlight("", latitude_deg, longitude_deg, altitude_ft, height_ft, heading_deg, speed_kt,
                               vertical_speed_fpm);
}

TEST(SkyGeometry, DistancesAndBearingsOnTheSphere) {
    const GeoPoint origin{0, 0};
    EXPECT_NEAR(panelhost::GreatCircleDistanceNm(origin, {0, 1}), 60.0, 1e-9);
    EXPECT_NEAR(panelhost::GreatCircleDistanceNm(origin, {1, 0}), 60.0, 1e-9);
    EXPECT_NEAR(panelhost::GreatCircleDistanceNm({45, 7}, {45.5, 7.5}), 36.688694, 2e-3);
    EXPECT_EQ(panelhost::GreatCircleDistanceNm({47, 8}, {47, 8}), 0.0);
    EXPECT_NEAR(panelhost::TrueBearingDeg(origin, {1, 0}), 0.0, 1e-9);
    EXPECT_NEAR(panelhost::TrueBearingDeg(origin, {0, 1}), 90.0, 1e-9);
    EXPECT_NEAR(panelhost::TrueBearingDeg(origin, {-1, 0}), 180.0, 1e-9);
    EXPECT_NEAR(panelhost::TrueBearingDeg(origin, {0, -1}), 270.0, 1e-9);
    EXPECT_NEAR(panelhost::TrueBearingDeg({45, 7}, {45.5, 7.5}), 34.968819, 2e-3);
    EXPECT_EQ(panelhost::WrapLongitudeDeg(190.0), -170.0);
    EXPECT_EQ(panelhost::WrapLongitudeDeg(-540.0), -180.0);
}

TEST(DeadReckoning, AircraftFlyTheirHeadingAtTheirSpeed) {
    // 3600 kt is a nautical mile, a minute of arc, per second.
    Flight north = FlyFor(Flying(10, 20, 0, 3600), 3);
    EXPECT_NEAR(north.latitude_deg, 10.05, 1e-12);
    EXPECT_NEAR(north.longitude_deg, 20.0, 1e-12);
    Flight east = FlyFor(Flying(0, 179.99, 90, 3600), 2);
    EXPECT_NEAR(east.latitude_deg, 0.0, 1e-12);
    EXPECT_NEAR(east.longitude_deg, 179.99 + 2.0 / 60.0 - 360.0, 1e-9);  // across the date line
    Flight east_at_60 = FlyFor(Flying(60, 0, 90, 3600), 3);
    EXPECT_NEAR(east_at_60.latitude_deg, 60.0, 1e-12);
    EXPECT_NEAR(east_at_60.longitude_deg, 0.1, 1e-9);  // a mile of longitude is two minutes at 60°
    Flight south_west = FlyFor(Flying(47, 8, 225, 360), 10);
    EXPECT_NEAR(panelhost::GreatCircleDistanceNm({47, 8}, {south_west.latitude_deg, south_west.longitude_deg}), 1.0,
                1e-6);
    EXPECT_NEAR(panelhost::TrueBearingDeg({47, 8}, {south_west.latitude_deg, south_west.longitude_deg}), 225.0, 1e-2);
    EXPECT_EQ(south_west.heading_deg, 225.0);
    EXPECT_EQ(south_west.ground_speed_kt, 360.0);

    // Flying for 0 seconds, or for a time that is not a number, stays put.
    EXPECT_EQ(FlyFor(Flying(10, 20, 0, 3600), 0).latitude_deg, 10.0);
    EXPECT_EQ(FlyFor(Flying(10, 20, 0, 3600), std::nan("")).latitude_deg, 10.0);
}

TEST(DeadReckoning, AltitudeFollowsTheVerticalSpeedDownToTheGround) {
    Flight climbing = FlyFor(Flying(0, 0, 0, 0, 1200, 5000, 4000), 4);
    EXPECT_DOUBLE_EQ(climbing.altitude_ft, 5080.0);
    EXPECT_DOUBLE_EQ(climbing.height_above_ground_ft, 4080.0);
    EXPECT_EQ(climbing.vertical_speed_fpm, 1200.0);

    // 600 ft/min from 30 ft above ground: on the ground after 3 s, and stays there.
    Flight landing = FlyFor(Flying(0, 0, 0, 100, -600, 1030, 30), 5);
    EXPECT_DOUBLE_EQ(landing.altitude_ft, 1000.0);
    EXPECT_EQ(landing.height_above_ground_ft, 0.0);
    EXPECT_EQ(landing.vertical_speed_fpm, 0.0);
}

TEST(DeadReckoning, TowardsThePoleTheFlightStopsAtTheLatitudeLimit) {
    Flight polar = FlyFor(Flying(89.0, 10, 0, 3600), 3600);
    EXPECT_NEAR(polar.latitude_deg, panelhost::kMaxFlightLatitudeDeg, 1e-9);
    EXPECT_TRUE(std::isfinite(polar.longitude_deg));
    Flight spiral = FlyFor(Flying(-89.0, 10, 135, 4000), panelhost::kMaxFlightSeconds * 10);
    EXPECT_NEAR(spiral.latitude_deg, -panelhost::kMaxFlightLatitudeDeg, 1e-9);
    EXPECT_GE(spiral.longitude_deg, -180.0);
    EXPECT_LE(spiral.longitude_deg, 180.0);
}

TEST(Sky, MovesOnceForEachWholeHostSecondSinceTheStart) {
    panelhost::Sky sky(skytest::ParseScenario(R"(
own 0 0 10000 90 3600
traffic T 0 0 5000 4000 0 3600 600
player P 0 0 5000 180 3600 -600
)"));
    const double start = 1.0;
    sky.SetTime(start, 1.0);
    EXPECT_EQ(sky.flown_seconds(), 0.0);
    EXPECT_EQ(sky.own().longitude_deg, 0.0);
    sky.SetTime(start, 1.9);
    EXPECT_EQ(sky.flown_seconds(), 0.0);
    // Ten steps of 0.1 s land a hair short of 2.0; that is still a whole second.
    double time = 1.0;
    for (int i = 0; i < 10; ++i) time += 0.1;
    sky.SetTime(start, time);
    EXPECT_EQ(sky.flown_seconds(), 1.0);
    sky.SetTime(start, 4.5);
    EXPECT_EQ(sky.flown_seconds(), 3.0);
    EXPECT_NEAR(sky.own().longitude_deg, 0.05, 1e-12);
    EXPECT_NEAR(sky.traffic()[0].latitude_deg, 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(sky.traffic()[0].altitude_ft, 5030.0);
    EXPECT_NEAR(sky.players()[0].latitude_deg, -0.05, 1e-12);
    EXPECT_DOUBLE_EQ(sky.players()[0].altitude_ft, 4970.0);

    // Going back in time shows the earlier moment; before the start, the start.
    sky.SetTime(start, 2.0);
    EXPECT_NEAR(sky.own().longitude_deg, 1.0 / 60.0, 1e-12);
    sky.SetTime(start, -100.0);
    EXPECT_EQ(sky.own().longitude_deg, 0.0);
    sky.SetTime(start, 1e300);
    EXPECT_EQ(sky.flown_seconds(), panelhost::kMaxFlightSeconds);
    EXPECT_TRUE(std::isfinite(sky.own().longitude_deg));
    sky.SetTime(start, std::nan(""));
    EXPECT_EQ(sky.flown_seconds(), 0.0);
}

// A turn of the own aircraft (the preview's turn keys): from where the sky
// shows it, on the new heading, the headings kept within 0 to 360.
TEST(Sky, TheOwnAircraftTurnsWhereItIs) {
    panelhost::Sky sky(skytest::ParseScenario("own 0 0 10000 90 3600\n"));
    sky.SetTime(1.0, 4.0);
    sky.TurnOwn(-90.0);
    EXPECT_EQ(sky.own().heading_deg, 0.0);
    EXPECT_NEAR(sky.own().longitude_deg, 0.05, 1e-12);
    sky.SetTime(1.0, 6.0);
    EXPECT_NEAR(sky.own().latitude_deg, 2.0 / 60.0, 1e-12);
    EXPECT_NEAR(sky.own().longitude_deg, 0.05, 1e-12);

    sky.TurnOwn(-100.0);
    EXPECT_EQ(sky.own().heading_deg, 260.0);
    sky.TurnOwn(725.0);
    EXPECT_EQ(sky.own().heading_deg, 265.0);
    sky.TurnOwn(std::nan(""));
    EXPECT_EQ(sky.own().heading_deg, 265.0);
    // A moment before the last turn shows the aircraft where it turned.
    sky.SetTime(1.0, 2.0);
    EXPECT_NEAR(sky.own().latitude_deg, 2.0 / 60.0, 1e-12);
}

}  // namespace
