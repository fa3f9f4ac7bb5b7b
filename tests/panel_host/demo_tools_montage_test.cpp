// The panel-montage command line, and the program's work on PNG files.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include "contact_sheet_layout.h"
#include "integration_support.h"
#include "montage_options.h"
#include "montage_run.h"

namespace {

using demotools::MontageCommand;
using demotools::MontageParseResult;
using panelhost::Image;

MontageParseResult Parse(std::vector<std::string> arguments) { return demotools::ParseMontageCommandLine(arguments); }

TEST(MontageCommandLine, ASheetTakesPicturesWithCaptionsAndItsGrid) {
    MontageParseResult result = Parse({"sheet", "--out", "s.png", "--columns", "4", "--rows=3", "--cell", "250",
                                       "--title", "Radar", "a.png=Circular Green — plan", "b.png",
                                       "c.png=range=40"});
    ASSERT_TRUE(result.ok) << result.error;
    const auto& o = result.options;
    EXPECT_EQ(o.command, MontageCommand::kSheet);
    EXPECT_EQ(o.output_path, "s.png");
    EXPECT_EQ(o.layout.columns, 4);
    EXPECT_EQ(o.layout.rows, 3);
    EXPECT_EQ(o.layout.cell_px, 250);
    EXPECT_GT(o.layout.title_px, 0);
    ASSERT_EQ(o.inputs.size(), 3u);
    EXPECT_EQ(o.inputs[0].path, "a.png");
    EXPECT_EQ(o.inputs[0].caption, "Circular Green — plan");
    EXPECT_EQ(o.inputs[1].caption, "");
    EXPECT_EQ(o.inputs[2].path, "c.png");  // the caption follows the first '='
    EXPECT_EQ(o.inputs[2].caption, "range=40");

    // Without --rows, as many rows as the pictures need.
    result = Parse({"sheet", "--out", "s.png", "--columns", "2", "a", "b", "c"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.options.layout.rows, 2);
    EXPECT_EQ(result.options.layout.title_px, 0);
}

TEST(MontageCommandLine, AnAnimationTakesFramesDelayLoopsAndSize) {
    MontageParseResult result =
        Parse({"gif", "--out=a.gif", "--delay", "8", "--loops", "2", "--size", "256x128", "f1.png", "f2=x.png"});
    ASSERT_TRUE(result.ok) << result.error;
    const auto& o = result.options;
    EXPECT_EQ(o.command, MontageCommand::kGif);
    EXPECT_EQ(o.gif.delay_cs, 8);
    EXPECT_EQ(o.gif.loop_count, 2);
    EXPECT_EQ(o.frame_width_px, 256);
    EXPECT_EQ(o.frame_height_px, 128);
    ASSERT_EQ(o.inputs.size(), 2u);
    EXPECT_EQ(o.inputs[1].path, "f2=x.png");  // frames have no captions

    result = Parse({"gif", "--out", "a.gif", "f.png"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.options.gif.delay_cs, 10);
    EXPECT_EQ(result.options.gif.loop_count, 0);
    EXPECT_EQ(result.options.frame_width_px, 0);
}

TEST(MontageCommandLine, BadCommandLinesSayWhy) {
    struct Case {
        std::vector<std::string> arguments;
        const char* says;
    };
    const std::vector<Case> cases{
        {{"--out", "x.png", "a.png"}, "sheet or gif"},
        {{"collage", "--out", "x.png", "a.png"}, "sheet or gif"},
        {{"sheet", "a.png"}, "--out"},
        {{"sheet", "--out", "x.png"}, "no pictures"},
        {{"sheet", "--out", "x.png", "--columns", "0", "a"}, "--columns"},
        {{"sheet", "--out", "x.png", "--columns", "2", "--rows", "1", "a", "b", "c"}, "do not fit"},
        {{"sheet", "--out", "x.png", "--cell", "4096", "--columns", "8", "a"}, "larger than"},
        {{"sheet", "--out", "x.png", "--delay", "5", "a"}, "for animations"},
        {{"gif", "--out", "x.gif", "--columns", "2", "a"}, "for sheets"},
        {{"gif", "--out", "x.gif", "--delay", "1", "a"}, "--delay"},
        {{"gif", "--out", "x.gif", "--delay", "ten", "a"}, "--delay"},
        {{"gif", "--out", "x.gif", "--size", "0", "a"}, "--size"},
        {{"gif", "--out", "x.gif", "--loops", "-1", "a"}, "--loops"},
        {{"gif", "--out", "x.gif", "--bogus", "a"}, "unknown option"},
        {{"gif", "--out", "x.gif", "--bogus=1", "a"}, "unknown option"},
        {{"gif", "a", "--out"}, "needs a value"},
    };
    for (const Case& c : cases) {
        MontageParseResult result = Parse(c.arguments);
        EXPECT_FALSE(result.ok) << c.says;
        EXPECT_NE(result.error.find(c.says), std::string::npos) << result.error;
    }
    EXPECT_TRUE(Parse({"--help"}).ok);
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_NE(demotools::MontageHelpText().find("panel-montage gif"), std::string::npos);
}

TEST(MontageProgram, MakesASheetAndAnAnimationFromPngFiles) {
    std::filesystem::path folder = integration::TestFolder();
    std::vector<std::string> frames;
    for (int i = 0; i < 4; ++i) {
        Image picture(64, 64, 0xFF001800u);
        for (int y = 0; y < 64; ++y) picture.at(i * 16, y) = 0xFF40FF40u;
        frames.push_back((folder / ("f" + std::to_string(i) + ".png")).string());
        ASSERT_TRUE(panelhost::SavePng(picture, frames.back()));
    }

    std::vector<std::string> sheet_arguments{"sheet", "--out", (folder / "sheet.png").string(), "--columns", "3",
                                             "--cell", "40"};
    for (const std::string& frame : frames) sheet_arguments.push_back(frame + "=" + frame.substr(frame.size() - 6));
    MontageParseResult sheet = Parse(sheet_arguments);
    ASSERT_TRUE(sheet.ok) << sheet.error;
    std::ostringstream out, err;
    ASSERT_EQ(demotools::RunMontage(sheet.options, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("sheet of 4 pictures"), std::string::npos) << out.str();
    Image written;
    ASSERT_TRUE(panelhost::LoadPng((folder / "sheet.png").string(), &written));
    EXPECT_EQ(written.width, demotools::SheetWidth(sheet.options.layout));
    EXPECT_EQ(written.height, demotools::SheetHeight(sheet.options.layout));

    std::vector<std::string> gif_arguments{"gif", "--out", (folder / "sweep.gif").string(), "--size", "32"};
    gif_arguments.insert(gif_arguments.end(), frames.begin(), frames.end());
    MontageParseResult gif = Parse(gif_arguments);
    ASSERT_TRUE(gif.ok) << gif.error;
    ASSERT_EQ(demotools::RunMontage(gif.options, out, err), 0) << err.str();
    int code = 0;
    GifFileType* decoded = DGifOpenFileName((folder / "sweep.gif").string().c_str(), &code);
    ASSERT_NE(decoded, nullptr);
    ASSERT_EQ(DGifSlurp(decoded), GIF_OK);
    EXPECT_EQ(decoded->ImageCount, 4);
    EXPECT_EQ(decoded->SWidth, 32);  // scaled from 64
    EXPECT_EQ(decoded->SHeight, 32);
    DGifCloseFile(decoded, &code);

    // A picture that is not there: status 1 and the reason, no file.
    MontageParseResult missing = Parse({"gif", "--out", (folder / "missing.gif").string(), (folder / "nope.png").string()});
    ASSERT_TRUE(missing.ok);
    std::ostringstream err2;
    EXPECT_EQ(demotools::RunMontage(missing.options, out, err2), 1);
    EXPECT_NE(err2.str().find("nope.png"), std::string::npos) << err2.str();
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.gif"));
}

}  // namespace
