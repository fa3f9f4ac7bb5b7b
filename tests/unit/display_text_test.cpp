// The texts of the range labels and the circular overlay, and the bounded
// formatting beneath them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "display/text_format.h"
#include "display_fixture.h"

namespace {

using display::kOverlayTextChars;
using display::kRangeLabelChars;
using displaytest::Narrow;

std::string Label(float value) {
    char16_t text[kRangeLabelChars];
    display::FormatRangeLabel(value, text);
    return Narrow(text);
}

std::string Altitude(double feet) {
    char16_t text[kOverlayTextChars];
    display::FormatAltitudeText(feet, text);
    return Narrow(text);
}

TEST(RangeLabel, WholeValuesWithoutDecimalsOthersWithTwo) {
    EXPECT_EQ(Label(10.0f), "10");
    EXPECT_EQ(Label(40.0f), "40");
    EXPECT_EQ(Label(2.5f), "2.50");
    EXPECT_EQ(Label(5.0f), "5");
    EXPECT_EQ(Label(7.5f), "7.50");
    EXPECT_EQ(Label(1.25f), "1.25");
    EXPECT_EQ(Label(3.75f), "3.75");
}

TEST(RangeLabel, ALabelThatDoesNotFitIsCutInsideItsBuffer) {
    char16_t text[kRangeLabelChars + 2];
    text[kRangeLabelChars] = u'#';
    text[kRangeLabelChars + 1] = u'#';
    display::FormatRangeLabel(1000000.25f, reinterpret_cast<char16_t(&)[kRangeLabelChars]>(text));
    EXPECT_EQ(Narrow(text), "1000000.2");  // nine characters and the terminator
    EXPECT_EQ(text[kRangeLabelChars], u'#');

    EXPECT_EQ(Label(1e10f), "214748364");  // saturated whole number, cut
    EXPECT_EQ(Label(std::numeric_limits<float>::max()), "214748364");
    EXPECT_EQ(Label(std::numeric_limits<float>::infinity()), "---");
    EXPECT_EQ(Label(std::nanf("")), "---");
}

TEST(OverlayText, DistanceWithOneDecimal) {
    char16_t text[kOverlayTextChars];
    display::FormatDistanceText(12.34f, text);
    EXPECT_EQ(Narrow(text), "12.3NM");
    display::FormatDistanceText(7.0f, text);
    EXPECT_EQ(Narrow(text), "7.0NM");
    display::FormatDistanceText(std::numeric_limits<float>::max(), text);
    EXPECT_EQ(Narrow(text).size(), kOverlayTextChars - 1);  // cut, terminated
}

TEST(OverlayText, AltitudeInWholeHundredsAndFlightLevelsFrom18000) {
    EXPECT_EQ(Altitude(17999.9), "17900FT");
    EXPECT_EQ(Altitude(18000.0), "FL180");
    EXPECT_EQ(Altitude(35049.0), "FL350");
    EXPECT_EQ(Altitude(950.0), "900FT");
    EXPECT_EQ(Altitude(99.0), "0FT");
    EXPECT_EQ(Altitude(-150.0), "-100FT");
    EXPECT_EQ(Altitude(1500.0), "1500FT");
    EXPECT_EQ(Altitude(5000.0), "5000FT");
}

TEST(OverlayText, GarbageAltitudesStayDefinedAndInsideTheBuffer) {
    EXPECT_EQ(Altitude(std::nan("")), "---FT");
    EXPECT_EQ(Altitude(1e300), "FL21474836");
    EXPECT_EQ(Altitude(-1e300), "-2147483600FT");
    EXPECT_EQ(Altitude(std::numeric_limits<double>::infinity()), "---FT");
    EXPECT_EQ(display::WholeHundreds(1e300), 2147483600);
    EXPECT_EQ(display::WholeHundreds(-1e300), -2147483600);
    EXPECT_EQ(display::WholeHundreds(-99.9), 0);
}

TEST(OverlayText, SpeedInWholeKnotsCutTowardZero) {
    char16_t text[kOverlayTextChars];
    display::FormatSpeedText(249.9, text);
    EXPECT_EQ(Narrow(text), "249KTS");
    display::FormatSpeedText(std::nan(""), text);
    EXPECT_EQ(Narrow(text), "---KTS");
    display::FormatSpeedText(1e300, text);
    EXPECT_EQ(Narrow(text), "2147483647KTS");
    display::FormatSpeedText(-1e300, text);
    EXPECT_EQ(Narrow(text), "-2147483648KTS");
}

TEST(FormatText, WidensLatin1AndAlwaysTerminates) {
    char16_t text[8];
    EXPECT_EQ(display::FormatText(text, 8, "BRG%.0f\xB0", 45.0), 6u);
    EXPECT_EQ(text[5], u'\u00B0');
    EXPECT_EQ(text[6], u'\0');

    EXPECT_EQ(display::FormatText(text, 4, "%s", "abcdef"), 3u);
    EXPECT_EQ(Narrow(text), "abc");
    EXPECT_EQ(display::FormatText(text, 1, "%s", "abc"), 0u);
    EXPECT_EQ(text[0], u'\0');
    EXPECT_EQ(display::FormatText(nullptr, 4, "x"), 0u);
}

}  // namespace
