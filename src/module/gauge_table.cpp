#include "module/gauge_table.h"

#include "module/gauge_callbacks.h"
#include "module/standard_routines.h"

namespace module {
namespace {

// A static image element of the background resource at (0, 0).
constexpr sim::Element StaticImage(sim::GaugeHeader* owner, sim::Element** next, std::uint32_t image_flags) {
    sim::Element element{};
    element.type = sim::kElementStaticImage;
    element.resource = sim::kBackgroundResource;
    element.x = 0;
    element.y = 0;
    element.owner = owner;
    element.next = next;
    element.image_flags = image_flags;
    return element;
}

constexpr sim::MouseRect ParentRect() {
    sim::MouseRect rect{};
    rect.type = sim::kMouseRectParent;
    rect.cursor = sim::kCursorNone;
    return rect;
}

// The whole gauge, a left single click going to the click routine.
constexpr sim::MouseRect ClickBox(sim::ClickRoutine click) {
    sim::MouseRect rect{};
    rect.type = sim::kMouseRectChild;
    rect.width = kClickBoxSize;
    rect.height = kClickBoxSize;
    rect.cursor = sim::kCursorHand;
    rect.mouse_flags = sim::kMouseLeftSingle;
    rect.routine = click;
    return rect;
}

constexpr sim::MouseRect EndParentRect() {
    sim::MouseRect rect{};
    rect.type = sim::kMouseRectEndParent;
    rect.cursor = sim::kCursorNone;
    return rect;
}

// The host walks the list up to this record.
constexpr sim::MouseRect EndOfListRect() {
    sim::MouseRect rect{};
    rect.type = sim::kMouseRectEndOfList;
    rect.cursor = sim::kCursorNone;
    return rect;
}

// The definition of one gauge, linked into its own slot of the table.
constexpr GaugeDefinition DefineGauge(GaugeSlot slot, sim::GaugeCallback callback, sim::ClickRoutine click) {
    GaugeDefinition& self = gauge_table.gauges[slot];
    GaugeDefinition gauge{};
    gauge.header.version = sim::kGaugeHeaderVersion;
    gauge.header.name = kGaugeNames[slot];
    gauge.header.elements = self.elements;
    gauge.header.query = &QueryElements;
    gauge.header.install = &InstallElements;
    gauge.header.initialize = &InitializeElements;
    gauge.header.update = &UpdateElements;
    gauge.header.generate = &GenerateElements;
    gauge.header.draw = &DrawElements;
    gauge.header.kill = &KillElements;
    gauge.header.default_width_mm = sim::kGaugeDefaultWidthMm;
    gauge.header.mouse_rects = self.mouse_rects;
    gauge.header.callback = callback;
    gauge.elements[0] = &self.background;
    gauge.elements[1] = nullptr;
    gauge.background = StaticImage(&self.header, self.background_next, sim::kImageFlagsBackground);
    gauge.background_next[0] = &self.drawing;
    gauge.background_next[1] = nullptr;
    gauge.drawing = StaticImage(&self.header, nullptr, sim::kImageFlagsDrawing);
    gauge.mouse_rects[0] = ParentRect();
    gauge.mouse_rects[1] = ClickBox(click);
    gauge.mouse_rects[2] = EndParentRect();
    gauge.mouse_rects[3] = EndOfListRect();
    return gauge;
}

// The table as the module file carries it.
constexpr GaugeTable TableAtLoad() {
    return GaugeTable{{
        DefineGauge(kRectangularGreen, &GaugeCallbackOf<kRectangularGreen>, &ClickRoutineOf<kRectangularGreen>),
        DefineGauge(kRectangularAmber, &GaugeCallbackOf<kRectangularAmber>, &ClickRoutineOf<kRectangularAmber>),
        DefineGauge(kCircularGreen, &GaugeCallbackOf<kCircularGreen>, &ClickRoutineOf<kCircularGreen>),
        DefineGauge(kCircularAmber, &GaugeCallbackOf<kCircularAmber>, &ClickRoutineOf<kCircularAmber>),
    }};
}

}  // namespace

// Writable: the host writes into the headers and elements.
GaugeTable gauge_table = TableAtLoad();

GaugeTable GaugeTableAtLoad() { return TableAtLoad(); }

}  // namespace module
