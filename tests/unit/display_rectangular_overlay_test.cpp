// The rectangular overlay: six readouts about the selected target in the
// corners, only while the selected target is on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "display/circular_overlay.h"
#include "display/rectangular_overlay.h"
#include "display/text_format.h"
#include "display_fixture.h"
#include "fake_host.h"
#include "gauge/radar_gauge.h"

namespace {

using displaytest::DisplayFixture;

// Latin-1 texts as UTF-16, for comparing with what was drawn.
std::u16string Wide(const std::string& text) {
    std::u16string out;
    for (const char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
}

class RectangularOverlay : public ::testing::Test {
protected:
    RectangularOverlay() {
        f.SetTargetCount(3);
        f.PlaceTarget(2, 7.0, 45.0, "N123AB");
        f.Target(2).vertical_speed_fpm = 1234.0;
        f.Target(2).altitude_ft = 17999.9;
        f.Target(2).ground_speed_kt = 249.9;
        f.screen.selection.Pick("N123AB", 2);
        Shows(7.0f, 45.0f);
    }
    // The last frame captured the selection in slot 2 with this distance and bearing.
    void Shows(float distance_nm, float bearing_deg) { f.screen.selection.Capture(2, distance_nm, bearing_deg); }
    std::vector<recorder::Call> Draw() {
        recorder::Clear();
        display::DrawRectangularOverlay(f.screen, f.shared.rectangular_overlay, f.shared.gdiplus_objects);
        return recorder::CallsNamed("GdipDrawString");
    }
    // The text of one readout, 0 to 5 in drawing order.
    std::u16string Readout(int readout) {
        const auto texts = Draw();
        if (texts.size() != 6u) {
            ADD_FAILURE() << texts.size() << " texts";
            return u"";
        }
        return texts[readout].text;
    }
    DisplayFixture f;
};

TEST_F(RectangularOverlay, SixReadoutsInTheCornersWithTheirAlignments) {
    const auto texts = Draw();
    ASSERT_EQ(texts.size(), 6u);
    const float line = f.screen.resources.line_height;
    EXPECT_EQ(line, 48.0f);
    const struct {
        const char* text;
        double x;
        double y;
    } expected[] = {{"+1200FT/M", 0, 0},  {"17900FT", 0, line},    {"BRG45\xB0", 1000, 0},
                    {"7.0NM", 1000, line}, {"N123AB", 0, 1000}, {"249KTS", 1000, 1000}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(texts[k].text, Wide(expected[k].text)) << k;
        EXPECT_EQ(texts[k].args, (std::vector<double>{-1, expected[k].x, expected[k].y, 0, 0})) << k;
        EXPECT_EQ(texts[k].handles[1], f.screen.resources.large_font->handle());
        EXPECT_EQ(texts[k].handles[3], f.screen.resources.bright_brush->handle());
        EXPECT_EQ(texts[k].world.dx, 0.0f);  // the untranslated screen
    }
    EXPECT_EQ(texts[2].text.back(), u'\u00B0');

    // Both alignments before the first readout; far horizontally for the
    // right column; far vertically, near horizontally for the identifier.
    const std::vector<std::string> order{
        "GdipCreateStringFormat",       "GdipSetStringFormatLineAlign", "GdipSetStringFormatAlign",
        "GdipDrawString",               "GdipDrawString",               "GdipSetStringFormatAlign",
        "GdipDrawString",               "GdipDrawString",               "GdipSetStringFormatLineAlign",
        "GdipSetStringFormatAlign",     "GdipDrawString",               "GdipSetStringFormatAlign",
        "GdipDrawString"};
    EXPECT_EQ(recorder::CallNames(), order);
    const auto vertical = recorder::CallsNamed("GdipSetStringFormatLineAlign");
    EXPECT_EQ(vertical[0].args[0], gdip::kAlignNear);
    EXPECT_EQ(vertical[1].args[0], gdip::kAlignFar);
    const auto horizontal = recorder::CallsNamed("GdipSetStringFormatAlign");
    ASSERT_EQ(horizontal.size(), 4u);
    EXPECT_EQ(horizontal[0].args[0], gdip::kAlignNear);
    EXPECT_EQ(horizontal[1].args[0], gdip::kAlignFar);
    EXPECT_EQ(horizontal[2].args[0], gdip::kAlignNear);
    EXPECT_EQ(horizontal[3].args[0], gdip::kAlignFar);
}

TEST_F(RectangularOverlay, VerticalSpeedInWholeHundredsWithItsSign) {
    const struct {
        double fpm;
        const char* text;
    } cases[] = {{99.9, "----FT/M"},     {-99.9, "----FT/M"},  {100.0, "+100FT/M"},
                 {-150.0, "-100FT/M"},   {1234.0, "+1200FT/M"}, {2000.0, "+2000FT/M"},
                 {0.0, "----FT/M"},      {std::nan(""), "----FT/M"},
                 {1e300, "+2147483600FT/M"}, {-1e300, "-2147483600FT/M"}};
    for (const auto& c : cases) {
        f.Target(2).vertical_speed_fpm = c.fpm;
        EXPECT_EQ(Readout(0), Wide(c.text)) << c.fpm;
    }
}

TEST_F(RectangularOverlay, AltitudeInHundredsOfFeetThenFlightLevels) {
    const struct {
        double feet;
        const char* text;
    } cases[] = {{17999.9, "17900FT"}, {18000.0, "FL180"}, {35049.0, "FL350"},
                 {-150.0, "-100FT"},   {std::nan(""), "---FT"}, {1e300, "FL21474836"}};
    for (const auto& c : cases) {
        f.Target(2).altitude_ft = c.feet;
        EXPECT_EQ(Readout(1), Wide(c.text)) << c.feet;
    }
}

TEST_F(RectangularOverlay, BearingInWholeDegreesAndDistanceWithOneDecimal) {
    const struct {
        float bearing;
        const char* text;
    } bearings[] = {{45.0f, "BRG45\xB0"}, {359.6f, "BRG360\xB0"}, {0.4f, "BRG0\xB0"}, {std::nanf(""), "BRG---\xB0"}};
    for (const auto& b : bearings) {
        Shows(7.0f, b.bearing);
        EXPECT_EQ(Readout(2), Wide(b.text)) << b.bearing;
    }
    Shows(12.34f, 45.0f);
    EXPECT_EQ(Readout(3), u"12.3NM");

    // Values no real target has still give terminated texts inside the buffer.
    Shows(std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max());
    const auto texts = Draw();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[2].text.size(), display::kOverlayTextChars - 1);
    EXPECT_EQ(texts[2].text.substr(0, 4), u"BRG3");
    EXPECT_EQ(texts[3].text, u"---NM");
}

TEST_F(RectangularOverlay, GroundSpeedShowsDashesUnderReducedData) {
    EXPECT_EQ(Readout(5), u"249KTS");
    f.Target(2).ground_speed_kt = std::nan("");
    EXPECT_EQ(Readout(5), u"---KTS");
    f.Target(2).ground_speed_kt = 1e300;
    EXPECT_EQ(Readout(5), u"2147483647KTS");

    f.Target(2).ground_speed_kt = 249.9;
    f.traffic_info.reduced_data = 1;
    for (const std::int32_t mode : {display::kModePlan, display::kModeSector, display::kModeAltitude}) {
        f.screen.mode = mode;
        EXPECT_EQ(Readout(5), u"---KTS") << mode;
    }

    // The circular overlay shows the speed in mode 4 whatever the flag says.
    recorder::Clear();
    display::DrawCircularOverlay(f.screen, f.shared.circular_overlay, f.shared.gdiplus_objects);
    const auto circular = recorder::CallsNamed("GdipDrawString");
    ASSERT_EQ(circular.size(), 2u);
    EXPECT_EQ(circular[1].text, u"249KTS");
}

TEST_F(RectangularOverlay, TheIdentifierIsDrawnFromTheRecordAndNeverPastIt) {
    traffic::SetTargetIdentifier(f.Target(2), "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");  // longer than the buffer
    EXPECT_EQ(Readout(4), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    char16_t cut[traffic::kWideIdentifierChars];
    EXPECT_EQ(display::DrawableIdentifier(f.Target(2), cut), f.Target(2).wide_identifier);

    // A record whose wide identifier has no terminator: the first 50 are drawn.
    for (char16_t& c : f.Target(2).wide_identifier) c = u'X';
    EXPECT_EQ(Readout(4), std::u16string(traffic::kWideIdentifierChars - 1, u'X'));
    EXPECT_EQ(display::DrawableIdentifier(f.Target(2), cut), cut);
}

TEST_F(RectangularOverlay, NothingWhileTheSelectedTargetIsNotOnTheScreenButTheFormatIsMade) {
    f.screen.selection.StartDisplay(display::DisplayOrigin{500.0f, 500.0f});  // a frame that has not seen it
    EXPECT_TRUE(Draw().empty());
    EXPECT_EQ(recorder::CallNames(), (std::vector<std::string>{"GdipCreateStringFormat"}));
    EXPECT_TRUE(Draw().empty());
    EXPECT_TRUE(recorder::Calls().empty());

    f.screen.selection.Capture(356, 7.0f, 45.0f);
    EXPECT_TRUE(Draw().empty());
    f.screen.selection.Capture(UINT32_MAX, 7.0f, 45.0f);
    EXPECT_TRUE(Draw().empty());
    Shows(7.0f, 45.0f);
    EXPECT_EQ(Draw().size(), 6u);
}

}  // namespace

namespace {

// The rectangular gauges reach the sector and altitude displays through the
// frame cycle, and each display ends with this overlay.
TEST(RectangularGauge, DrawsTheSectorAndAltitudeDisplaysEndingWithThisOverlay) {
    recorder::Reset();
    fakehost::FakeHost host;
    gauge::SharedState shared;
    gauge::AmberRadarGauge gauge(shared);
    ASSERT_EQ(gauge.mode(), display::kModeSector);
    fakehost::Placement placement(fakehost::FakeDeviceContext(1), 200, 200);
    host.SetHostTime(1.0);
    gauge.Draw(&placement.header);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawArc").size(), 6u);
    std::vector<std::string> names = recorder::CallNames();
    auto end = std::find(names.begin(), names.end(), "GdipEndContainer");
    ASSERT_NE(end, names.end());
    // The overlay's first call makes its format, after the display's container.
    EXPECT_NE(std::find(end, names.end(), "GdipCreateStringFormat"), names.end());

    // The first frame made "Radar Mode" (no control gauge had); the mode goes through it.
    host.SetNamedVariableValue("Radar Mode", display::kModeAltitude);
    recorder::Clear();
    host.SetHostTime(2.0);
    gauge.Draw(&placement.header);
    EXPECT_EQ(recorder::CallsNamed("GdipDrawLine").size(), 11u);  // grid and sweep
    EXPECT_TRUE(recorder::CallsNamed("GdipDrawArc").empty());

    gauge.selection().Capture(0, 1.0f, 0.0f);
    recorder::Clear();
    gauge.DrawOverlay();
    EXPECT_EQ(recorder::CallsNamed("GdipDrawString").size(), 6u);
}

}  // namespace
