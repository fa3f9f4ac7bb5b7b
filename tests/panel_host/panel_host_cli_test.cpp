// The panel-host command line.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_options.h"

namespace {

using panelhost::CliParseResult;
using panelhost::ParseCommandLine;

CliParseResult Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments); }

TEST(PanelHostCli, ModuleAloneTakesTheDefaults) {
    CliParseResult result = Parse({"RadarGauge.gau"});
    ASSERT_TRUE(result.ok) << result.error;
    const auto& options = result.options;
    EXPECT_EQ(options.module_path, "RadarGauge.gau");
    EXPECT_TRUE(options.gauges.empty());
    EXPECT_EQ(options.width_px, 500);
    EXPECT_EQ(options.height_px, 500);
    EXPECT_EQ(options.frames, 1);
    EXPECT_EQ(options.placements, 1);
    EXPECT_DOUBLE_EQ(options.step_s, 0.1);
    EXPECT_TRUE(options.output_dir.empty());
    EXPECT_TRUE(options.panel_variables);
    EXPECT_FALSE(options.help);
}

TEST(PanelHostCli, EveryOptionIsRead) {
    CliParseResult result = Parse({"--gauge", "Circular Green", "m.gau", "--gauge=Rectangular Amber", "--size",
                                   "640x480", "--placements", "2", "--frames=20", "--start-time", "5",
                                   "--step", "0.25", "--set", "Radar Mode=4@10", "--set=Radar Range=-2.5e1@3",
                                   "--click", "250,120@5", "--click", "-3,7", "--out", "frames",
                                   "--last-frame-only", "--no-panel-variables", "--quiet", "--x87-precision", "24"});
    ASSERT_TRUE(result.ok) << result.error;
    const auto& o = result.options;
    EXPECT_EQ(o.module_path, "m.gau");
    EXPECT_EQ(o.gauges, (std::vector<std::string>{"Circular Green", "Rectangular Amber"}));
    EXPECT_EQ(o.width_px, 640);
    EXPECT_EQ(o.height_px, 480);
    EXPECT_EQ(o.placements, 2);
    EXPECT_EQ(o.frames, 20);
    EXPECT_DOUBLE_EQ(o.start_time_s, 5.0);
    EXPECT_DOUBLE_EQ(o.step_s, 0.25);
    ASSERT_EQ(o.sets.size(), 2u);
    EXPECT_EQ(o.sets[0].name, "Radar Mode");
    EXPECT_DOUBLE_EQ(o.sets[0].value, 4.0);
    EXPECT_EQ(o.sets[0].frame, 10);
    EXPECT_EQ(o.sets[1].name, "Radar Range");
    EXPECT_DOUBLE_EQ(o.sets[1].value, -25.0);
    EXPECT_EQ(o.sets[1].frame, 3);
    ASSERT_EQ(o.clicks.size(), 2u);
    EXPECT_EQ(o.clicks[0].x_px, 250);
    EXPECT_EQ(o.clicks[0].y_px, 120);
    EXPECT_EQ(o.clicks[0].frame, 5);
    EXPECT_EQ(o.clicks[1].x_px, -3);
    EXPECT_EQ(o.clicks[1].frame, 1);  // no frame: the first
    EXPECT_EQ(o.output_dir, "frames");
    EXPECT_TRUE(o.last_frame_only);
    EXPECT_FALSE(o.panel_variables);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.x87_precision_bits, 24);
}

TEST(PanelHostCli, SquareSizeAndAllGauges) {
    CliParseResult result = Parse({"m.gau", "--size", "300", "--gauge", "Circular Green", "--gauge", "all"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.options.width_px, 300);
    EXPECT_EQ(result.options.height_px, 300);
    EXPECT_TRUE(result.options.gauges.empty());
}

TEST(PanelHostCli, HelpNeedsNoModuleAndDocumentsEveryOption) {
    CliParseResult result = Parse({"--help"});
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.options.help);
    std::string help = panelhost::HelpText();
    for (const char* option : {"--gauge", "--size", "--placements", "--frames", "--start-time", "--step", "--set",
                               "--click", "--out", "--last-frame-only", "--no-panel-variables", "--quiet",
                               "--x87-precision"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

class PanelHostCliRejects : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(PanelHostCliRejects, WithAMessage) {
    CliParseResult result = ParseCommandLine(GetParam());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BadCommandLines, PanelHostCliRejects,
    testing::Values(std::vector<std::string>{}, std::vector<std::string>{"a.gau", "b.gau"},
                    std::vector<std::string>{"m.gau", "--colour"}, std::vector<std::string>{"m.gau", "--frames"},
                    std::vector<std::string>{"m.gau", "--frames", "0"},
                    std::vector<std::string>{"m.gau", "--frames", "12abc"},
                    std::vector<std::string>{"m.gau", "--frames", "99999999999999999999"},
                    std::vector<std::string>{"m.gau", "--size", "0x10"},
                    std::vector<std::string>{"m.gau", "--size", "100x"},
                    std::vector<std::string>{"m.gau", "--size", "100000"},
                    std::vector<std::string>{"m.gau", "--step", "nan"},
                    std::vector<std::string>{"m.gau", "--step", "inf"},
                    std::vector<std::string>{"m.gau", "--set", "Radar Mode"},
                    std::vector<std::string>{"m.gau", "--set", "=4"},
                    std::vector<std::string>{"m.gau", "--set", "Radar Mode=four"},
                    std::vector<std::string>{"m.gau", "--set", "Radar Mode=4@0"},
                    std::vector<std::string>{"m.gau", "--frames", "5", "--set", "Radar Mode=4@6"},
                    std::vector<std::string>{"m.gau", "--click", "250"},
                    std::vector<std::string>{"m.gau", "--click", "1,2@x"},
                    std::vector<std::string>{"m.gau", "--frames", "5", "--click", "1,2@9"},
                    std::vector<std::string>{"m.gau", "--quiet=yes"}, std::vector<std::string>{"m.gau", "--out="},
                    std::vector<std::string>{"m.gau", "--placements", "0"},
                    std::vector<std::string>{"m.gau", "--x87-precision", "32"},
                    std::vector<std::string>{"m.gau", "--x87-precision", "0"}));

}  // namespace
