// The Windows module under Wine, driven by the Windows panel host through
// the same script as the Linux build: the same named-variable values frame
// by frame, and pictures whose geometry agrees with libgdiplus's.
#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "gdiplus_agreement.h"
#include "image/gdiplus_startup.h"
#include "wine_runs.h"

namespace winetest {
namespace {

using panelhost::Image;

TEST(WinePanel, PublishesTheSameNamedVariablesAsLinux) {
    const HostRun& linux_run = ScriptedRunOnLinux();
    const HostRun& wine_run = ScriptedRunUnderWine(Fonts::kPanel);
    ASSERT_EQ(linux_run.exit_status, 0) << linux_run.Describe();
    ASSERT_EQ(wine_run.exit_status, 0) << wine_run.Describe();

    const std::vector<std::string> linux_lines = linux_run.FrameLines();
    const std::vector<std::string> wine_lines = wine_run.FrameLines();
    ASSERT_EQ(linux_lines.size(), static_cast<std::size_t>(kScriptFrames)) << linux_run.Describe();
    ASSERT_EQ(wine_lines.size(), linux_lines.size()) << wine_run.Describe();
    for (std::size_t i = 0; i < linux_lines.size(); ++i) EXPECT_EQ(wine_lines[i], linux_lines[i]);

    // The script reaches every mode, the range write and the selection.
    EXPECT_NE(wine_lines[2].find("Radar Mode=2 | Radar Range=40 | Radar Target Selected=0"), std::string::npos);
    EXPECT_NE(wine_lines[4].find("Radar Target Selected=1 | Radar Target Latitude=47.4647"), std::string::npos);
    EXPECT_NE(wine_lines[6].find("Radar Mode=2 | Radar Range=20 | Radar Target Selected=1"), std::string::npos);
    EXPECT_NE(wine_lines[6].find("Radar Target Latitude=47.4647 | Radar Target Longitude=8.79"), std::string::npos);
    EXPECT_NE(wine_lines[6].find("Radar Target Distance=9.9"), std::string::npos);
    EXPECT_NE(wine_lines[8].find("Radar Mode=3 | Radar Range=20 | Radar Target Selected=1"), std::string::npos);
    EXPECT_NE(wine_lines[15].find("Radar Mode=4 | Radar Range=20 | Radar Target Selected=1"), std::string::npos);
}

// A simulator's panel thread may run the x87 unit at 24-bit precision; the
// module computes at double precision whatever the host's setting, and
// gives the host its own control word back after every call (the panel
// host fails the run otherwise). On the 32-bit build this is the x87 code
// itself; on x86_64 the module computes with SSE and only the giving back
// is at stake.
TEST(WinePanel, PublishesTheSameUnderA24BitX87Precision) {
    const HostRun& default_run = ScriptedRunUnderWine(Fonts::kPanel);
    HostOptions options = ScriptedRun();
    options.insert(options.end(), {"--x87-precision", "24"});
    const HostRun run_24 = RunUnderWine(Fonts::kPanel, options, TestFolder("x87_precision_24"));
    ASSERT_EQ(default_run.exit_status, 0) << default_run.Describe();
    ASSERT_EQ(run_24.exit_status, 0) << run_24.Describe();
    EXPECT_NE(run_24.output.find("module calls under x87 precision 24 bits, every one gave back"), std::string::npos)
        << run_24.Describe();

    const std::vector<std::string> default_lines = default_run.FrameLines();
    const std::vector<std::string> lines_24 = run_24.FrameLines();
    ASSERT_EQ(default_lines.size(), static_cast<std::size_t>(kScriptFrames)) << default_run.Describe();
    ASSERT_EQ(lines_24.size(), default_lines.size()) << run_24.Describe();
    for (std::size_t i = 0; i < default_lines.size(); ++i) EXPECT_EQ(lines_24[i], default_lines[i]);
}

struct FrameSet {
    Image linux_frame;
    Image wine_frame;
    TextMask mask;
};

TEST(WinePanel, DrawsTheSameGeometryAsLibgdiplus) {
    ASSERT_TRUE(panelhost::StartGdiplus());
    const std::string folder = TestFolder("pictures");
    const HostRun& linux_run = ScriptedRunOnLinux();
    const HostRun& wine_run = ScriptedRunUnderWine(Fonts::kPanel);
    // The same frames without any font give the text's place.
    const HostRun& fontless_run = ScriptedRunUnderWine(Fonts::kNone);
    ASSERT_EQ(linux_run.exit_status, 0) << linux_run.Describe();
    ASSERT_EQ(wine_run.exit_status, 0) << wine_run.Describe();
    ASSERT_EQ(fontless_run.exit_status, 0) << fontless_run.Describe();

    auto load = [&](const std::string& gauge, int frame, FrameSet* set) {
        Image fontless_frame;
        const bool loaded = LoadFrame(linux_run.folder, gauge, frame, &set->linux_frame) &&
                            LoadFrame(wine_run.folder, gauge, frame, &set->wine_frame) &&
                            LoadFrame(fontless_run.folder, gauge, frame, &fontless_frame);
        if (loaded) set->mask = TextMaskFrom(set->wine_frame, fontless_frame, kTextMargin_px);
        return loaded;
    };

    double worst_share = 0.0;
    for (const char* gauge : kGaugeFileNames) {
        for (int frame = 1; frame <= kScriptFrames; ++frame) {
            SCOPED_TRACE(FramePath(wine_run.folder, gauge, frame));
            FrameSet set;
            ASSERT_TRUE(load(gauge, frame, &set));
            // The plan and sector displays label their range rings; the
            // altitude display has no labels, and the selected target lies
            // outside its view, so its overlays stay empty.
            if (frame < kScriptFirstAltitudeFrame) {
                EXPECT_GT(set.mask.Count(), 0) << "Wine drew no text";
            }
            const Agreement agreement = CompareGeometry(set.linux_frame, set.wine_frame, set.mask, kGdiplusAgreement);
            worst_share = std::max(worst_share, agreement.DisagreeingShare());
            if (!agreement.Within(kGdiplusAgreement)) {
                const std::string picture = FramePath(folder, std::string("difference_") + gauge, frame);
                panelhost::SavePng(SideBySide(set.linux_frame, set.wine_frame, set.mask, kGdiplusAgreement), picture);
                ADD_FAILURE() << agreement.Describe() << "; libgdiplus | Wine | disagreement: " << picture;
            }
        }
    }
    std::ostringstream measured;
    measured << worst_share * 100.0 << " %";
    RecordProperty("worst_disagreeing_share", measured.str());
    std::cout << "largest share of disagreeing pixels outside the text: " << measured.str() << std::endl;

    // The allowance still tells apart frames whose sweep stands one step
    // (5 degrees) further on: plan display, frames 2 to 5.
    for (int frame = 2; frame <= 4; ++frame) {
        FrameSet set;
        FrameSet next;
        ASSERT_TRUE(load(kGaugeFileNames[1], frame, &set));
        ASSERT_TRUE(load(kGaugeFileNames[1], frame + 1, &next));
        const Agreement agreement = CompareGeometry(set.linux_frame, next.wine_frame, set.mask, kGdiplusAgreement);
        EXPECT_FALSE(agreement.Within(kGdiplusAgreement)) << "frame " << frame << ": " << agreement.Describe();
    }
}

}  // namespace
}  // namespace winetest
