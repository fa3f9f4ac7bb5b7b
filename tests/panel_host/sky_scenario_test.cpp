// Scenario files: what a good one holds, the default scenario's sky, and an
// error naming the line for every kind of bad line.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "sky/scenario.h"
#include "sky/sky_geometry.h"
#include "sky_test_support.h"

namespace {

using panelhost::Flight;
using panelhost::GeoPoint;
using panelhost::Scenario;

GeoPoint At(const Flight& flight) { return GeoPoint{flight.latitude_deg, flight.longitude_deg}; }

TEST(ScenarioFile, EveryKindOfLineIsRead) {
    Scenario scenario = skytest::LoadScenario("every_item.txt");
    EXPECT_EQ(scenario.own.identifier, "HB-OWN 2");
    EXPECT_EQ(scenario.own.latitude_deg, 45.0);
    EXPECT_EQ(scenario.own.longitude_deg, 7.0);
    EXPECT_EQ(scenario.own.altitude_ft, 8000.0);
    EXPECT_EQ(scenario.own.heading_deg, 90.0);
    EXPECT_EQ(scenario.own.ground_speed_kt, 300.0);
    EXPECT_EQ(scenario.own.vertical_speed_fpm, 0.0);

    ASSERT_EQ(scenario.traffic.size(), 2u);
    const Flight& alpha = scenario.traffic[0];
    EXPECT_EQ(alpha.identifier, "ALPHA1");
    EXPECT_EQ(alpha.latitude_deg, 45.1);
    EXPECT_EQ(alpha.altitude_ft, 9000.0);
    EXPECT_EQ(alpha.height_above_ground_ft, 8500.0);
    EXPECT_EQ(alpha.heading_deg, 180.0);
    EXPECT_EQ(alpha.ground_speed_kt, 250.0);
    EXPECT_EQ(alpha.vertical_speed_fpm, -500.0);
    EXPECT_EQ(scenario.traffic[1].identifier, "BRAVO 2");

    ASSERT_EQ(scenario.players.size(), 2u);
    EXPECT_EQ(scenario.players[0].identifier, "Night Owl");
    EXPECT_EQ(scenario.players[0].altitude_ft, 12000.0);
    EXPECT_EQ(scenario.players[0].vertical_speed_fpm, 600.0);
    EXPECT_EQ(scenario.players[1].identifier, "Kestrel");

    EXPECT_TRUE(scenario.reduced_data);
    EXPECT_FALSE(scenario.own_listed);
    EXPECT_EQ(scenario.traffic_name, "GENERIC");
    EXPECT_EQ(scenario.player_status, 0);
}

TEST(ScenarioFile, AnEmptyScenarioHasTheOwnAircraftAloneWithTheDefaults) {
    panelhost::ScenarioParseResult result = panelhost::ParseScenario("# nothing\n\n   \r\n");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.scenario.own.latitude_deg, 47.4647);
    EXPECT_EQ(result.scenario.own.longitude_deg, 8.5492);
    EXPECT_EQ(result.scenario.own.altitude_ft, 10000.0);
    EXPECT_TRUE(result.scenario.traffic.empty());
    EXPECT_TRUE(result.scenario.players.empty());
    EXPECT_FALSE(result.scenario.reduced_data);
    EXPECT_TRUE(result.scenario.own_listed);
    EXPECT_FALSE(result.scenario.traffic_name.has_value());
    EXPECT_EQ(result.scenario.player_status, 1);
}

TEST(ScenarioFile, FileErrorsNameTheFileAndTheLine) {
    panelhost::ScenarioParseResult bad = panelhost::LoadScenarioFile(skytest::ScenarioPath("malformed.txt"));
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.error.find("malformed.txt:4: traffic takes IDENTIFIER"), std::string::npos) << bad.error;
    EXPECT_NE(bad.error.find("found 7 values"), std::string::npos) << bad.error;

    panelhost::ScenarioParseResult missing = panelhost::LoadScenarioFile("/no/such/sky.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("/no/such/sky.txt"), std::string::npos);
    EXPECT_FALSE(panelhost::LoadScenarioFile(skytest::ScenarioPath("")).ok);  // a folder
}

// The default: a busy terminal area with everything the displays can show.
TEST(DefaultScenario, ABusyTerminalAreaAroundTheOwnAircraft) {
    Scenario scenario = skytest::ParseScenario(panelhost::DefaultScenarioText());
    EXPECT_GE(scenario.traffic.size(), 25u);
    EXPECT_LE(scenario.traffic.size(), 35u);
    EXPECT_EQ(scenario.players.size(), 8u);
    EXPECT_EQ(scenario.player_status, 1);
    EXPECT_FALSE(scenario.reduced_data);

    const Flight& own = scenario.own;
    int on_ground = 0, climbing = 0, descending = 0, beyond_40 = 0, within_5 = 0, altitude_display = 0, sector = 0;
    bool long_name = false;
    for (const Flight& flight : scenario.traffic) {
        const double distance_nm = panelhost::GreatCircleDistanceNm(At(own), At(flight));
        const double bearing_deg = panelhost::TrueBearingDeg(At(own), At(flight));
        const double relative_deg = std::fmod(bearing_deg - own.heading_deg + 540.0, 360.0) - 180.0;
        on_ground += flight.height_above_ground_ft <= 50 ? 1 : 0;
        climbing += flight.vertical_speed_fpm > 0 ? 1 : 0;
        descending += flight.vertical_speed_fpm < 0 ? 1 : 0;
        beyond_40 += distance_nm > 40 ? 1 : 0;
        within_5 += distance_nm <= 5 && flight.height_above_ground_ft > 50 ? 1 : 0;
        altitude_display += std::fabs(relative_deg) <= 20 && std::fabs(flight.altitude_ft - own.altitude_ft) <= 2500 &&
                                    distance_nm <= 40
                                ? 1
                                : 0;
        sector += std::fabs(relative_deg) <= 60 && distance_nm <= 40 && flight.height_above_ground_ft > 50 ? 1 : 0;
        long_name = long_name || flight.identifier.size() > 49;
    }
    EXPECT_GE(on_ground, 3);
    EXPECT_GE(climbing, 3);
    EXPECT_GE(descending, 3);
    EXPECT_GE(beyond_40, 2);
    EXPECT_GE(within_5, 3);
    EXPECT_GE(altitude_display, 2);
    EXPECT_GE(sector, 5);
    EXPECT_TRUE(long_name);
    bool long_player_name = false;
    for (const Flight& player : scenario.players) long_player_name = long_player_name || player.identifier.size() > 49;
    EXPECT_TRUE(long_player_name);
}

struct BadLine {
    const char* text;
    int line;
    const char* message;
};

void PrintTo(const BadLine& bad, std::ostream* out) { *out << bad.text; }

class ScenarioRejects : public testing::TestWithParam<BadLine> {};

TEST_P(ScenarioRejects, NamingTheLine) {
    const BadLine& bad = GetParam();
    panelhost::ScenarioParseResult result = panelhost::ParseScenario(bad.text);
    ASSERT_FALSE(result.ok);
    const std::string expected = "line " + std::to_string(bad.line) + ": ";
    EXPECT_EQ(result.error.rfind(expected, 0), 0u) << result.error;
    EXPECT_NE(result.error.find(bad.message), std::string::npos) << result.error;
}

constexpr const char* kGood = "own 47 8 10000 0 250\n";

INSTANTIATE_TEST_SUITE_P(
    BadLines, ScenarioRejects,
    testing::Values(
        BadLine{"# sky\nflight A 1 2 3 4 5 6 7\n", 2, "unknown keyword \"flight\""},
        BadLine{"traffic A 47 8 1000 0 90 100\n", 1, "found 7 values"},
        BadLine{"traffic A 47 8 1000 0 90 100 0 9\n", 1, "found 9 values"},
        BadLine{"player P 47 8 1000 90 100\n", 1, "player takes NAME"},
        BadLine{"own 47 8 10000 0\n", 1, "own takes LATITUDE"},
        BadLine{"\n\ntraffic A 47 eight 1000 0 90 100 0\n", 3, "longitude \"eight\" is not a number"},
        BadLine{"traffic A 47 8 1000 0 90 100 nan\n", 1, "is not a number"},
        BadLine{"traffic A 47 8 1000 0 90 1e999 0\n", 1, "is not a number"},
        BadLine{"traffic A 95 8 1000 0 90 100 0\n", 1, "latitude 95 is outside"},
        BadLine{"traffic A 47 181 1000 0 90 100 0\n", 1, "longitude 181 is outside"},
        BadLine{"traffic A 47 8 1000 -5 90 100 0\n", 1, "height above ground -5 is outside"},
        BadLine{"traffic A 47 8 1000 0 361 100 0\n", 1, "heading 361 is outside"},
        BadLine{"traffic A 47 8 1000 0 90 -1 0\n", 1, "speed -1 is outside"},
        BadLine{"traffic A 47 8 1000 0 90 100 99999\n", 1, "vertical speed 99999 is outside"},
        BadLine{"player P 47 8 200000 90 100 0\n", 1, "altitude 200000 is outside"},
        BadLine{"traffic \"A B 47 8 1000 0 90 100 0\n", 1, "quote is not closed"},
        BadLine{"traffic A\"B 47 8 1000 0 90 100 0\n", 1, "quote starts inside a word"},
        BadLine{"traffic \"A\"B 47 8 1000 0 90 100 0\n", 1, "runs on after its closing quote"},
        BadLine{"traffic A\x01 47 8 1000 0 90 100 0\n", 1, "control characters"},
        BadLine{"own 47 8 10000 0 250\nown 47 8 10000 0 250\n", 2, "own is given twice"},
        BadLine{"reduced-data maybe\n", 1, "reduced-data takes on or off, not \"maybe\""},
        BadLine{"reduced-data\n", 1, "takes one value"},
        BadLine{"own-listed on off\n", 1, "takes one value"},
        BadLine{"reduced-data on\r\nreduced-data off\r\n", 2, "reduced-data is given twice"},
        BadLine{"player-status 1.5\n", 1, "not a whole number"},
        BadLine{"player-status 3000000000\n", 1, "is outside"},
        BadLine{"traffic-name\n", 1, "takes one value"}));

TEST(ScenarioLimits, NamesUpToTheirFieldsAreTaken) {
    const std::string line_end = " 47 8 1000 90 100 0\n";
    EXPECT_TRUE(panelhost::ParseScenario("player " + std::string(127, 'P') + line_end).ok);
    panelhost::ScenarioParseResult result = panelhost::ParseScenario("player " + std::string(128, 'P') + line_end);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("longer than 127"), std::string::npos) << result.error;

    const std::string traffic_end = " 47 8 1000 0 90 100 0\n";
    EXPECT_TRUE(panelhost::ParseScenario("traffic " + std::string(255, 'T') + traffic_end).ok);
    EXPECT_FALSE(panelhost::ParseScenario("traffic " + std::string(256, 'T') + traffic_end).ok);
    EXPECT_TRUE(panelhost::ParseScenario("traffic \"\"" + traffic_end).ok);  // an empty identifier
}

TEST(ScenarioLimits, TooManyPlayersOrAircraftAreRefused) {
    std::string players(kGood);
    for (std::size_t i = 0; i <= panelhost::kMaxScenarioPlayers; ++i) players += "player P 47 8 1000 90 100 0\n";
    panelhost::ScenarioParseResult result = panelhost::ParseScenario(players);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error.rfind("line " + std::to_string(panelhost::kMaxScenarioPlayers + 2) + ":", 0), 0u)
        << result.error;

    std::string traffic;
    for (std::size_t i = 0; i <= panelhost::kMaxScenarioTraffic; ++i) traffic += "traffic T 47 8 1000 0 90 100 0\n";
    result = panelhost::ParseScenario(traffic);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("more than 1000 traffic aircraft"), std::string::npos) << result.error;
}

}  // namespace
