#include "gauge_driver.h"

#include "module/module_exports.h"

namespace fuzzsupport {
namespace {

constexpr int kLongestMouseRectList = 16;

sim::Element* DrawingElementOf(sim::GaugeHeader* header) {
    if (header == nullptr || header->elements == nullptr || header->elements[0] == nullptr) return nullptr;
    sim::Element* background = header->elements[0];
    return background->next ? background->next[0] : nullptr;
}

int SlotIn(int slot) { return ((slot % kGauges) + kGauges) % kGauges; }

// The connections the module has been told of and not yet the matching
// disconnections, per gauge: a gauge's object lives until its last one goes.
// Module-wide like the objects themselves.
std::uint32_t g_open_connections[kGauges] = {};

void CountConnections(int slot, std::int32_t service) {
    std::uint32_t& open = g_open_connections[SlotIn(slot)];
    if (service == sim::kServiceConnect) ++open;
    if (service == sim::kServiceDisconnect && open > 0) --open;
}

}  // namespace

sim::DeviceContext FuzzDeviceContext(std::uint32_t n) {
    return n == 0 ? nullptr : reinterpret_cast<sim::DeviceContext>(0x10000 + static_cast<std::uintptr_t>(n) * 16);
}

sim::GaugeHeader* DetachedHeader::Link(Cut cut, std::int32_t width, std::int32_t height,
                                        sim::DeviceContext device_context) {
    placement_.reset();
    fakehost::Placement& p = placement_.emplace(device_context, width, height);
    switch (cut) {
        case kNoElementList:
            p.header.elements = nullptr;
            break;
        case kNoBackground:
            p.elements[0] = nullptr;
            break;
        case kNoNextList:
            p.background.next = nullptr;
            break;
        case kNoDrawingElement:
            p.background_next[0] = nullptr;
            break;
        case kNoImage:
            p.drawing.image = nullptr;
            break;
        default:
            break;
    }
    return &p.header;
}

GaugeDriver::~GaugeDriver() {
    for (int slot = 0; slot < kGauges; ++slot) {
        sim::Element* drawing = DrawingElementOf(Header(slot));
        if (drawing == nullptr) continue;
        drawing->image = nullptr;
        drawing->device_context = nullptr;
    }
}

sim::GaugeHeader* GaugeDriver::Header(int slot) { return Linkage.gauges[SlotIn(slot)]; }

void GaugeDriver::Service(int slot, std::int32_t service, sim::GaugeHeader* header) {
    sim::GaugeHeader* own = Header(slot);
    if (own == nullptr || own->callback == nullptr) return;
    CountConnections(slot, service);
    own->callback(header, service, 0);
}

void GaugeDriver::DisconnectAll() {
    for (int slot = 0; slot < kGauges; ++slot)
        while (g_open_connections[slot] > 0) Disconnect(slot);
}

void GaugeDriver::Place(int slot, std::int32_t width, std::int32_t height, sim::DeviceContext device_context,
                        bool with_image) {
    sim::Element* drawing = DrawingElementOf(Header(slot));
    if (drawing == nullptr) return;
    sim::ImageRecord& image = images_[SlotIn(slot)];
    image = sim::ImageRecord{0, width, height};
    drawing->image = with_image ? &image : nullptr;
    drawing->device_context = device_context;
}

std::int32_t GaugeDriver::Click(int slot, std::int32_t x, std::int32_t y, std::uint32_t mouse_flags) {
    sim::GaugeHeader* header = Header(slot);
    if (header == nullptr || header->mouse_rects == nullptr) return 0;
    for (int i = 0; i < kLongestMouseRectList; ++i) {
        const sim::MouseRect& rect = header->mouse_rects[i];
        if (rect.type == sim::kMouseRectEndOfList) break;
        if (rect.type == sim::kMouseRectChild && rect.routine != nullptr) {
            sim::ClickPoint point{x, y};
            return rect.routine(&point, mouse_flags);
        }
    }
    return 0;
}

void GaugeDriver::StandardRoutines(int slot, std::uint32_t phase) {
    sim::GaugeHeader* header = Header(slot);
    if (header == nullptr) return;
    if (header->query) header->query();
    if (header->install) header->install(nullptr);
    if (header->initialize) header->initialize();
    if (header->update) header->update();
    if (header->generate) header->generate(phase);
    if (header->draw) header->draw();
    if (header->kill) header->kill();
}

}  // namespace fuzzsupport
