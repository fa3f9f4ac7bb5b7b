// The texts the displays and overlays write, formatted into fixed buffers of
// 16-bit characters. A text longer than its buffer is cut; the buffer always
// ends with a terminator. Numbers from the host are turned into integers
// without undefined conversions (huge values saturate); a value that is not
// a number (unknown) is shown as dashes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace display {

constexpr std::size_t kRangeLabelChars = 10;  // terminator included
constexpr std::size_t kOverlayTextChars = 20;  // terminator included

// printf-style formatting into `capacity` characters (terminator included);
// the format and its result are 8-bit Latin-1, each byte widened to one
// character ("\xB0" is the degree sign). Returns the characters written.
std::size_t FormatText(char16_t* text, std::size_t capacity, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// A ring label: the value with two decimals when it is not whole ("2.50"),
// else as a whole number ("10"); "---" for a value that is not a number.
void FormatRangeLabel(float value_nm, char16_t (&text)[kRangeLabelChars]);

// "12.3NM": one decimal; "---NM" when unknown.
void FormatDistanceText(float distance_nm, char16_t (&text)[kOverlayTextChars]);

// The altitude in whole hundreds of feet: "17900FT", "-100FT", "0FT", and
// from 18000 ft on a flight level, "FL180"; "---FT" when unknown.
void FormatAltitudeText(double altitude_ft, char16_t (&text)[kOverlayTextChars]);

// "249KTS": whole knots, cut toward zero; "---KTS" when unknown.
void FormatSpeedText(double ground_speed_kt, char16_t (&text)[kOverlayTextChars]);

// The vertical speed in whole hundreds of feet per minute with its sign,
// "+1200FT/M", "-100FT/M"; "----FT/M" while it is less than 100 either way,
// and when unknown.
void FormatVerticalSpeedText(double vertical_speed_fpm, char16_t (&text)[kOverlayTextChars]);

// "BRG45°": whole degrees, rounded, then the degree sign; "BRG---°" when
// unknown.
void FormatBearingText(float bearing_deg, char16_t (&text)[kOverlayTextChars]);

// A value in whole hundreds (value × 0.01 cut toward zero, × 100), held
// within the 32-bit range.
std::int32_t WholeHundreds(double value);

}  // namespace display
