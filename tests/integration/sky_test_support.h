// Helpers shared by the tests of the panel host's sky.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "scenario.h"

namespace skytest {

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
