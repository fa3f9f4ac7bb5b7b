// Where things sit in the preview window's client area: a row of buttons
// at the top, the gauges side by side as squares of one size below it,
// the readout under them and the run's notes at the bottom. Plain
// arithmetic on client sizes.
#pragma once

#include <vector>

namespace preview {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

struct ClientSize {
    int width = 0;
    int height = 0;
};

constexpr int kGap_px = 8;
constexpr int kButtonWidth_px = 76;
constexpr int kButtonHeight_px = 26;
constexpr int kButtonCount = 9;
constexpr int kToolbarHeight_px = kButtonHeight_px + 2 * kGap_px;
constexpr int kReadoutLineHeight_px = 18;
constexpr int kReadoutLines = 3;
// A line for each note (preview_notes.h), under the readout.
constexpr int kNoteLines = 2;
constexpr int kReadoutHeight_px = (kReadoutLines + kNoteLines) * kReadoutLineHeight_px + kGap_px;
// A gauge is never drawn smaller than this, however small the window.
constexpr int kSmallestGaugeSide_px = 16;

struct PreviewLayout {
    std::vector<Box> buttons;
    std::vector<Box> gauges;  // in the order of the gauges shown
    Box readout;
    Box notes;
    int gauge_side_px = 0;
};

// The layout for a client area of this size; gauges are at most
// `largest_side_px` large.
PreviewLayout LayoutFor(ClientSize client, int gauge_count, int largest_side_px);

// The client area in which every gauge comes out `gauge_side_px` large.
ClientSize ClientSizeFor(int gauge_side_px, int gauge_count);

// The gauge under a point of the client area, or -1.
int GaugeAt(const PreviewLayout& layout, int x, int y);

}  // namespace preview
