#include "display/text_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "traffic/numeric.h"

namespace display {
namespace {

constexpr std::size_t kLongestText = 64;
constexpr std::int32_t kFlightLevelFrom_ft = 18000;

// Writes the dashes in place of a value that is not a number; true when it did.
bool DashesForUnknown(double value, const char* dashes, char16_t (&text)[kOverlayTextChars]) {
    if (traffic::IsKnown(value)) return false;
    FormatText(text, kOverlayTextChars, "%s", dashes);
    return true;
}

}  // namespace

std::size_t FormatText(char16_t* text, std::size_t capacity, const char* format, ...) {
    if (text == nullptr || capacity == 0) return 0;
    char narrow[kLongestText] = {};
    const std::size_t bound = capacity < kLongestText ? capacity : kLongestText;
    std::va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(narrow, bound, format, args);
    va_end(args);
    narrow[bound - 1] = '\0';
    std::size_t length = 0;
    if (written > 0) {
        while (length + 1 < bound && narrow[length] != '\0') {
            text[length] = static_cast<unsigned char>(narrow[length]);
            ++length;
        }
    }
    text[length] = u'\0';
    return length;
}

void FormatRangeLabel(float value_nm, char16_t (&text)[kRangeLabelChars]) {
    if (!std::isfinite(value_nm)) {
        FormatText(text, kRangeLabelChars, "---");
    } else if (std::fmod(value_nm, 1.0f) != 0.0f) {
        FormatText(text, kRangeLabelChars, "%.2f", static_cast<double>(value_nm));
    } else {
        FormatText(text, kRangeLabelChars, "%d", traffic::SaturatingTruncate(value_nm));
    }
}

void FormatDistanceText(float distance_nm, char16_t (&text)[kOverlayTextChars]) {
    if (DashesForUnknown(distance_nm, "---NM", text)) return;
    FormatText(text, kOverlayTextChars, "%.1fNM", static_cast<double>(distance_nm));
}

std::int32_t WholeHundreds(double value) {
    constexpr std::int32_t kMostHundreds = std::numeric_limits<std::int32_t>::max() / 100;
    std::int32_t hundreds = traffic::SaturatingTruncate(value * 0.01);
    if (hundreds > kMostHundreds) hundreds = kMostHundreds;
    if (hundreds < -kMostHundreds) hundreds = -kMostHundreds;
    return hundreds * 100;
}

void FormatAltitudeText(double altitude_ft, char16_t (&text)[kOverlayTextChars]) {
    if (DashesForUnknown(altitude_ft, "---FT", text)) return;
    const std::int32_t altitude = WholeHundreds(altitude_ft);
    if (altitude >= kFlightLevelFrom_ft) {
        FormatText(text, kOverlayTextChars, "FL%03d", altitude / 100);
    } else {
        FormatText(text, kOverlayTextChars, "%dFT", altitude);
    }
}

void FormatSpeedText(double ground_speed_kt, char16_t (&text)[kOverlayTextChars]) {
    if (DashesForUnknown(ground_speed_kt, "---KTS", text)) return;
    FormatText(text, kOverlayTextChars, "%dKTS", traffic::SaturatingTruncate(ground_speed_kt));
}

void FormatVerticalSpeedText(double vertical_speed_fpm, char16_t (&text)[kOverlayTextChars]) {
    constexpr std::int32_t kLeastShownRate_fpm = 100;
    const std::int32_t rate = traffic::IsKnown(vertical_speed_fpm) ? WholeHundreds(vertical_speed_fpm) : 0;
    if (rate >= kLeastShownRate_fpm || rate <= -kLeastShownRate_fpm) {
        FormatText(text, kOverlayTextChars, "%+04dFT/M", rate);
    } else {
        FormatText(text, kOverlayTextChars, "----FT/M");
    }
}

void FormatBearingText(float bearing_deg, char16_t (&text)[kOverlayTextChars]) {
    if (DashesForUnknown(bearing_deg, "BRG---\xB0", text)) return;
    FormatText(text, kOverlayTextChars, "BRG%.0f\xB0", static_cast<double>(bearing_deg));
}

}  // namespace display
