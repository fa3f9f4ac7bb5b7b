// The circular overlay: the selected target's distance on top, its altitude
// (or in mode 4 its speed) at the bottom, only while it is on the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "display/circular_overlay.h"
#include "display_fixture.h"

namespace {

using displaytest::DisplayFixture;
using displaytest::Narrow;

class CircularOverlay : public ::testing::Test {
protected:
    CircularOverlay() {
        f.SetTargetCount(3);
        f.PlaceTarget(2, 12.34, 0.0, "SEL");
        f.Target(2).altitude_ft = 17999.9;
        f.Target(2).ground_speed_kt = 249.9;
        f.screen.selection.Pick("SEL", 2);
        f.screen.selection.Capture(2, 12.34f, 0.0f);
        f.screen.mode = display::kModePlan;
    }
    std::vector<recorder::Call> Draw() {
        recorder::Clear();
        display::DrawCircularOverlay(f.screen, f.shared.circular_overlay, f.shared.gdiplus_objects);
        return recorder::CallsNamed("GdipDrawString");
    }
    DisplayFixture f;
};

TEST_F(CircularOverlay, DistanceOnTopAltitudeAtTheBottomBothCentred) {
    const auto texts = Draw();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(Narrow(texts[0].text), "12.3NM");
    EXPECT_EQ(texts[0].args, (std::vector<double>{-1, 500, 40, 0, 0}));
    EXPECT_EQ(Narrow(texts[1].text), "17900FT");
    EXPECT_EQ(texts[1].args, (std::vector<double>{-1, 500, 960, 0, 0}));
    for (const auto& text : texts) {
        EXPECT_EQ(text.handles[1], f.screen.resources.large_font->handle());
        EXPECT_EQ(text.handles[3], f.screen.resources.bright_brush->handle());
    }
    // Vertical near then horizontal centre before the top text; far before the bottom one.
    const std::vector<std::string> expected{"GdipCreateStringFormat", "GdipSetStringFormatLineAlign",
                                            "GdipSetStringFormatAlign", "GdipDrawString",
                                            "GdipSetStringFormatLineAlign", "GdipDrawString"};
    EXPECT_EQ(recorder::CallNames(), expected);
    const auto line_align = recorder::CallsNamed("GdipSetStringFormatLineAlign");
    EXPECT_EQ(line_align[0].args[0], gdip::kAlignNear);
    EXPECT_EQ(line_align[1].args[0], gdip::kAlignFar);
    EXPECT_EQ(recorder::CallsNamed("GdipSetStringFormatAlign")[0].args[0], gdip::kAlignCenter);
}

TEST_F(CircularOverlay, AltitudeTextsAndTheSpeedInModeFour) {
    const struct {
        double altitude_ft;
        const char* text;
    } altitudes[] = {{18000.0, "FL180"}, {35049.0, "FL350"}, {950.0, "900FT"},
                     {99.0, "0FT"},      {-150.0, "-100FT"}, {1e300, "FL21474836"},
                     {std::nan(""), "---FT"}};
    for (const auto& a : altitudes) {
        f.Target(2).altitude_ft = a.altitude_ft;
        EXPECT_EQ(Narrow(Draw()[1].text), a.text) << a.altitude_ft;
    }
    f.Target(2).altitude_ft = 950.0;
    f.screen.mode = display::kModeSector;
    EXPECT_EQ(Narrow(Draw()[1].text), "900FT");
    f.screen.mode = display::kModeAltitude;
    EXPECT_EQ(Narrow(Draw()[1].text), "249KTS");
    f.screen.selection.Capture(2, 7.0f, 0.0f);
    EXPECT_EQ(Narrow(Draw()[0].text), "7.0NM");
}

TEST_F(CircularOverlay, NothingWhileTheSelectedTargetIsNotOnTheScreenButTheFormatIsMade) {
    f.screen.selection.StartDisplay(display::DisplayOrigin{500.0f, 500.0f});  // a frame that has not seen it
    EXPECT_TRUE(Draw().empty());
    EXPECT_EQ(recorder::CallNames(), (std::vector<std::string>{"GdipCreateStringFormat"}));
    EXPECT_TRUE(Draw().empty());
    EXPECT_TRUE(recorder::Calls().empty());  // made once per module

    // A selected index beyond the list's records draws nothing either.
    f.screen.selection.Capture(400, 1.0f, 0.0f);
    EXPECT_TRUE(Draw().empty());
    f.screen.selection.Capture(UINT32_MAX, 1.0f, 0.0f);
    EXPECT_TRUE(Draw().empty());
}

}  // namespace
