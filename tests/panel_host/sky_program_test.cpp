// The panel host's command line and program with a sky: scenario files,
// the printed traffic list, and a bad scenario stopping the program.
#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "cli/cli_options.h"
#include "integration_support.h"
#include "cli/panel_session.h"
#include "sky/scenario.h"
#include "sky_test_support.h"

namespace {

using panelhost::CliOptions;

struct ProgramRun {
    int status = -1;
    std::string output;  // stdout and stderr
};

ProgramRun RunProgram(const std::string& arguments) {
    const std::filesystem::path program = std::filesystem::path(integration::ModulePath()).parent_path() / "panel-host";
    ProgramRun run;
    FILE* pipe = popen(("'" + program.string() + "' " + arguments + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(SkyCommandLine, ScenarioTrafficAndModuleOptions) {
    panelhost::CliParseResult result = panelhost::ParseCommandLine(
        {"m.gau", "--frames", "5", "--scenario", "sky.txt", "--print-traffic", "2", "--print-traffic=5",
         "--netplayer", "/opt/IBNetPlayer.gau"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.options.scenario_path, "sky.txt");
    EXPECT_EQ(result.options.print_traffic_frames, (std::vector<int>{2, 5}));
    EXPECT_EQ(result.options.net_player_path, "/opt/IBNetPlayer.gau");
    EXPECT_TRUE(panelhost::ParseCommandLine({"--print-scenario"}).ok);  // needs no module

    for (const auto& bad : std::vector<std::vector<std::string>>{{"m.gau", "--scenario"},
                                                                  {"m.gau", "--scenario="},
                                                                  {"m.gau", "--print-traffic", "0"},
                                                                  {"m.gau", "--print-traffic", "2"},
                                                                  {"m.gau", "--netplayer="},
                                                                  {"m.gau", "--print-scenario=yes"}}) {
        EXPECT_FALSE(panelhost::ParseCommandLine(bad).ok) << bad.back();
    }
    const std::string help = panelhost::HelpText();
    for (const char* option : {"--scenario", "--print-scenario", "--print-traffic", "--netplayer"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

TEST(SkySession, PrintsTheTrafficListOfAFrame) {
    CliOptions options;
    options.module_path = integration::ModulePath();
    options.gauges = {"Circular Green"};
    options.width_px = options.height_px = 100;
    options.frames = 3;
    options.scenario_path = skytest::ScenarioPath("lone_player.txt");
    options.print_traffic_frames = {2};
    std::ostringstream out, err;
    ASSERT_EQ(panelhost::RunPanelSession(options, out, err), 0) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("sky: " + options.scenario_path + ", 1 traffic aircraft, 1 network players"),
              std::string::npos)
        << text;
    const std::size_t report = text.find("traffic at frame 2 t=1.100, range 40 NM, own aircraft at 47.00000 8.00000");
    ASSERT_NE(report, std::string::npos) << text;
    EXPECT_EQ(text.find("traffic at frame 1"), std::string::npos);
    EXPECT_NE(text.find("0 interface  47.00000     8.00000        10000         0.00          0.0  HB-OWN  (not drawn: "
                        "first entry",
                        report),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("1 interface  47.00000     8.24438        12000        10.00         89.9  EAST10\n", report),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("2 player     47.00000     7.75562        12000        10.00        270.1  WEST10\n", report),
              std::string::npos)
        << text;
}

TEST(SkySession, ABadScenarioStopsTheSessionBeforeAnythingIsDrawn) {
    CliOptions options;
    options.module_path = integration::ModulePath();
    options.scenario_path = skytest::ScenarioPath("malformed.txt");
    std::ostringstream out, err;
    EXPECT_EQ(panelhost::RunPanelSession(options, out, err), 2);
    EXPECT_NE(err.str().find("malformed.txt:4: traffic takes"), std::string::npos) << err.str();
    EXPECT_EQ(out.str().find("frame 1"), std::string::npos);
}

TEST(SkySession, ANetworkPlayerModuleThatCannotBeLoadedIsReported) {
    CliOptions options;
    options.module_path = integration::ModulePath();
    options.gauges = {"Circular Green"};
    options.width_px = options.height_px = 100;
    options.net_player_path = "/no/such/IBNetPlayer.gau";
    std::ostringstream out, err;
    EXPECT_EQ(panelhost::RunPanelSession(options, out, err), 1);  // asked for by name: a hard error
    EXPECT_NE(err.str().find("network players left out"), std::string::npos) << err.str();

    options.scenario_path = skytest::ScenarioPath("interface_only.txt");  // no players: never needed
    err.str("");
    EXPECT_EQ(panelhost::RunPanelSession(options, out, err), 0) << err.str();
}

TEST(SkyProgram, ExitsNonZeroNamingTheBadLine) {
    ProgramRun run = RunProgram("'" + std::string(integration::ModulePath()) + "' --scenario '" +
                                skytest::ScenarioPath("malformed.txt") + "'");
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("malformed.txt:4: traffic takes IDENTIFIER"), std::string::npos) << run.output;
}

TEST(SkyProgram, PrintsItsDefaultScenarioAndFliesIt) {
    ProgramRun printed = RunProgram("--print-scenario");
    EXPECT_EQ(printed.status, 0);
    EXPECT_EQ(printed.output, std::string(panelhost::DefaultScenarioText()));

    ProgramRun flown = RunProgram("'" + std::string(integration::ModulePath()) +
                                  "' --gauge 'Rectangular Amber' --size 100 --frames 2 --print-traffic 2");
    EXPECT_EQ(flown.status, 0) << flown.output;
    EXPECT_NE(flown.output.find("sky: default scenario, 30 traffic aircraft, 8 network players"), std::string::npos)
        << flown.output;
    EXPECT_NE(flown.output.find("player"), std::string::npos) << flown.output;  // the module was found
    EXPECT_EQ(flown.output.find("left out"), std::string::npos) << flown.output;
}

}  // namespace
