// Whether two GDI+ implementations drew the same frame. One anti-aliases
// its lines and the other does not, and their text comes out of different
// rasterisers, so the frames are compared by their geometry: outside the
// text, every pixel of one frame must lie within the range of colours that
// the other frame has around the same place.
#pragma once

#include <string>
#include <vector>

#include "image/image.h"

namespace winetest {

// Pixels that belong to text, one flag per pixel, rows top-down.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<bool> text;
    bool at(int x, int y) const { return text[static_cast<std::size_t>(y) * width + x]; }
    long Count() const;
};

// Text pixels: where a frame drawn with fonts differs from the same frame
// drawn by the same GDI+ without any font, grown by `margin_px` on every
// side (the other implementation places its glyphs a few pixels apart).
TextMask TextMaskFrom(const panelhost::Image& with_text, const panelhost::Image& without_text, int margin_px);

struct AgreementTolerance {
    int blur_radius_px = 1;   // both frames are averaged over this square first
    int radius_px = 1;        // the neighbourhood searched in the other frame
    int channel = 0;          // how far a channel may lie outside that neighbourhood's range
    double disagreeing_share = 0.0;  // of the compared pixels, at most
};

struct Agreement {
    bool same_size = false;
    long compared_pixels = 0;     // outside the text
    long disagreeing_pixels = 0;
    int worst_excess = 0;         // largest channel distance outside a neighbourhood's range
    double DisagreeingShare() const;
    bool Within(const AgreementTolerance& tolerance) const;
    std::string Describe() const;
};

// Between the Windows module under Wine and the Linux build against
// libgdiplus. Measured over the scripted run's 64 frames (x86_64, Wine 8
// against libgdiplus 6.1): with 3x3 averaging, a one-pixel search and a
// channel allowance of 32, at most 3 of some 82,000 pixels outside the text
// disagree (0.004 %); the same comparison between frames one sweep step
// apart finds at least 495 (0.58 %). The limit sits between the two.
constexpr AgreementTolerance kGdiplusAgreement{1, 1, 32, 0.001};
// Each implementation places its glyphs a few pixels from the other's.
constexpr int kTextMargin_px = 6;

// Compares both ways: each frame's pixel against the other frame's
// neighbourhood. Pixels under the mask are left out.
Agreement CompareGeometry(const panelhost::Image& first, const panelhost::Image& second, const TextMask& mask,
                          const AgreementTolerance& tolerance);

// The two frames side by side with a third panel that marks disagreeing
// pixels in red and the masked text in blue over a dimmed copy of the first.
panelhost::Image SideBySide(const panelhost::Image& first, const panelhost::Image& second, const TextMask& mask,
                            const AgreementTolerance& tolerance);

}  // namespace winetest
