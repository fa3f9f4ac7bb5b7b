// A panel-host run as the command line describes it, against the built module.
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "integration_support.h"
#include "cli/panel_session.h"

namespace {

using panelhost::CliOptions;

TEST(PanelHostSession, FrameLinesAndFileNames) {
    panelhost::NamedVariableStore variables;
    variables.SetByName("Radar Mode", 2);
    variables.SetByName("Radar Range", 12.5);
    EXPECT_EQ(panelhost::FrameLine(3, 1.2, variables), "frame 3 t=1.200 | Radar Mode=2 | Radar Range=12.5");
    EXPECT_EQ(panelhost::FrameFileName("Circular Green", 1, 1, 3), "circular_green_f0003.png");
    EXPECT_EQ(panelhost::FrameFileName("Rectangular Amber", 2, 2, 12345), "rectangular_amber_p2_f12345.png");
    EXPECT_EQ(panelhost::FrameFileName("../..", 1, 1, 1), "gauge_f0001.png");
}

TEST(PanelHostSession, DrawsFramesWritesImagesAndAppliesSets) {
    std::filesystem::path folder = integration::TestFolder();
    CliOptions options;
    options.module_path = integration::ModulePath();
    options.gauges = {"Circular Green", "Rectangular Amber"};
    options.width_px = 120;
    options.height_px = 80;
    options.placements = 2;
    options.frames = 3;
    options.sets = {{"Radar Mode", 4, 2}, {"Radar Range", 20, 3}};
    options.clicks = {{60, 40, 1}};
    options.output_dir = (folder / "frames").string();
    options.last_frame_only = true;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(panelhost::RunPanelSession(options, out, err), 0) << err.str();

    std::string text = out.str();
    EXPECT_NE(text.find("frame 1 t=1.000 | Radar Mode=2 | Radar Range=40"), std::string::npos) << text;
    EXPECT_NE(text.find("frame 2 t=1.100 | Radar Mode=4 | Radar Range=40"), std::string::npos) << text;
    EXPECT_NE(text.find("frame 3 t=1.200 | Radar Mode=4 | Radar Range=20"), std::string::npos) << text;
    EXPECT_NE(text.find("images written to " + std::filesystem::absolute(options.output_dir).string()),
              std::string::npos)
        << text;
    for (const char* file : {"circular_green_p1_f0003.png", "circular_green_p2_f0003.png",
                             "rectangular_amber_p1_f0003.png", "rectangular_amber_p2_f0003.png"}) {
        panelhost::Image image;
        EXPECT_TRUE(panelhost::LoadPng((folder / "frames" / file).string(), &image)) << file;
        EXPECT_EQ(image.width, 120);
        EXPECT_EQ(image.height, 80);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "frames" / "circular_green_p1_f0002.png"));
}

TEST(PanelHostSession, ReportsWhatItCannotUse) {
    CliOptions options;
    options.module_path = "/no/such/module.gau";
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(panelhost::RunPanelSession(options, out, err), 1);
    EXPECT_FALSE(err.str().empty());

    options.module_path = integration::ModulePath();
    options.gauges = {"Triangular Blue"};
    err.str("");
    EXPECT_EQ(panelhost::RunPanelSession(options, out, err), 1);
    EXPECT_NE(err.str().find("Triangular Blue"), std::string::npos);
}

}  // namespace
