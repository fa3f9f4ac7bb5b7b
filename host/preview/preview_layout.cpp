#include "preview_layout.h"

#include <algorithm>

namespace preview {
namespace {

int ToolbarWidth() { return kButtonCount * (kButtonWidth_px + kGap_px) + kGap_px; }

}  // namespace

PreviewLayout LayoutFor(ClientSize client, int gauge_count, int largest_side_px) {
    PreviewLayout layout;
    for (int i = 0; i < kButtonCount; ++i) {
        layout.buttons.push_back(Box{kGap_px + i * (kButtonWidth_px + kGap_px), kGap_px, kButtonWidth_px, kButtonHeight_px});
    }
    const int count = std::max(gauge_count, 1);
    const int room_width = (client.width - (count + 1) * kGap_px) / count;
    const int room_height = client.height - kToolbarHeight_px - kReadoutHeight_px - kGap_px;
    layout.gauge_side_px = std::clamp(std::min(room_width, room_height), kSmallestGaugeSide_px,
                                      std::max(largest_side_px, kSmallestGaugeSide_px));
    const int side = layout.gauge_side_px;
    const int row_width = count * side + (count - 1) * kGap_px;
    const int left = std::max(kGap_px, (client.width - row_width) / 2);
    for (int i = 0; i < gauge_count; ++i) {
        layout.gauges.push_back(Box{left + i * (side + kGap_px), kToolbarHeight_px, side, side});
    }
    const int readout_top = kToolbarHeight_px + side + kGap_px;
    const int text_width = std::max(client.width - 2 * kGap_px, 0);
    layout.readout = Box{kGap_px, readout_top, text_width, kReadoutLines * kReadoutLineHeight_px};
    layout.notes = Box{kGap_px, readout_top + layout.readout.height, text_width, kNoteLines * kReadoutLineHeight_px};
    return layout;
}

ClientSize ClientSizeFor(int gauge_side_px, int gauge_count) {
    const int count = std::max(gauge_count, 1);
    const int gauges_width = count * gauge_side_px + (count + 1) * kGap_px;
    return ClientSize{std::max(gauges_width, ToolbarWidth()),
                      kToolbarHeight_px + gauge_side_px + kGap_px + kReadoutHeight_px};
}

int GaugeAt(const PreviewLayout& layout, int x, int y) {
    for (std::size_t i = 0; i < layout.gauges.size(); ++i) {
        if (layout.gauges[i].Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace preview
