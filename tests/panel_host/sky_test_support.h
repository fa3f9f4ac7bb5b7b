// Helpers shared by the tests of the panel host's sky.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "sky/scenario.h"

namespace skytest {

// A flight with every field given; the ground lies `height_ft` below it.
inline panelhost::Flight MakeFlight(const std::string& identifier, double latitude_deg, double longitude_deg,
                                    double altitude_ft, double height_ft, double heading_deg, double speed_kt,
                                    double vertical_speed_fpm) {
    panelhost::Flight flight;
    flight.identifier = identifier;
    flight.latitude_deg = latitude_deg;
    flight.longitude_deg = longitude_deg;
    flight.altitude_ft = altitude_ft;
    flight.height_above_ground_ft = height_ft;
    flight.heading_deg = heading_deg;
    flight.ground_speed_kt = speed_kt;
    flight.vertical_speed_fpm = vertical_speed_fpm;
    return flight;
}

inline std::string ScenarioPath(const std::string& file_name) {
    return (std::filesystem::path(__FILE__).parent_path() / "scenarios" / file_name).string();
}

inline panelhost::Scenario LoadScenario(const std::string& file_name) {
    panelhost::ScenarioParseResult result = panelhost::LoadScenarioFile(ScenarioPath(file_name));
    EXPECT_TRUE(result.ok) << result.error;
    return result.scenario;
}

inline panelhost::Scenario ParseScenario(std::string_view text) {
    panelhost::ScenarioParseResult result = panelhost::ParseScenario(text);
    EXPECT_TRUE(result.ok) << result.error;
    return result.scenario;
}

}  // namespace skytest
