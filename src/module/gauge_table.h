// The four gauge headers with their element lists and mouse rectangles:
// static data that the host reads and writes in place.
#pragma once

#include <cstddef>

#include "platform/host_abi.h"

namespace module {

// In the order of Linkage's gauge list.
enum GaugeSlot : std::size_t {
    kRectangularGreen,
    kRectangularAmber,
    kCircularGreen,
    kCircularAmber,
    kGaugeCount,
};

constexpr const char* kGaugeNames[kGaugeCount] = {
    "Rectangular Green",
    "Rectangular Amber",
    "Circular Green",
    "Circular Amber",
};

constexpr std::int32_t kClickBoxSize = 100;  // design pixels, the whole gauge

// One gauge: its header, the element list holding the background element,
// whose next-element list holds the drawing element, and the mouse
// rectangles (parent, the click box, end-parent, end of list).
struct GaugeDefinition {
    sim::GaugeHeader header;
    sim::Element* elements[2];
    sim::Element background;
    sim::Element* background_next[2];
    sim::Element drawing;
    sim::MouseRect mouse_rects[4];
};

struct GaugeTable {
    GaugeDefinition gauges[kGaugeCount];
};

extern GaugeTable gauge_table;

constexpr sim::GaugeHeader& GaugeHeaderOf(GaugeSlot slot) { return gauge_table.gauges[slot].header; }

// The headers, elements and rectangles as the module file carries them,
// before the host wrote into any.
GaugeTable GaugeTableAtLoad();

}  // namespace module
