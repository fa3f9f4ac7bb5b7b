#include "gauge_driver.h"

#include "module/module_exports.h"

namespace fuzzsupport {
namespace {

constexpr int kLongestMouseRectList = 16;

host::Element* DrawingElementOf(host::GaugeHeader* header) {
    if (header == nullptr || header->elements == nullptr || header->elements[0] == nullptr) return nullptr;
    host::Element* background = header->elements[0];
    return background->next ? background->next[0] : nullptr;
}

int SlotIn(int slot) { return ((slot % kGauges) + kGauges) % kGauges; }

// The connections the module has been told of and not yet the matching
// disconnections, per gauge: a gauge's object lives until its last one goes.
// Module-wide like the objects themselves.
std::uint32_t g_open_connections[kGauges] = {};

void CountConnections(int slot, std::int32_t service) {
    std::uint32_t& open = g_open_connections[SlotIn(slot)];
    if (service == host::kServiceConnect) ++open;
    if (service == host::kServiceDisconnect && open > 0) --open;
}

}  // namespace

host::DeviceContext FuzzDeviceContext(std::uint32_t n) {
    return n == 0 ? nullptr : reinterpret_cast<host::DeviceContext>(0x10000 + static_cast<std::uintptr_t>(n) * 16);
}

host::GaugeHeader* DetachedHeader::Link(Cut cut, std::int32_t width, std::int32_t height,
                                        host::DeviceContext device_context) {
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
        host::Element* drawing = DrawingElementOf(Header(slot));
        if (drawing == nullptr) continue;
        drawing->image = nullptr;
        drawing->device_context = nullptr;
    }
}

host::GaugeHeader* GaugeDriver::Header(int slot) { return Linkage.gauges[SlotIn(slot)]; }

void GaugeDriver::Service(int slot, std::int32_t service, host::GaugeHeader* header) {
    host::GaugeHeader* own = Header(slot);
    if (own == nullptr || own->callback == nullptr) return;
    CountConnections(slot, service);
    own->callback(header, service, 0);
}

void GaugeDriver::DisconnectAll() {
    for (int slot = 0; slot < kGauges; ++slot)
        while (g_open_connections[slot] > 0) Disconnect(slot);
}

void GaugeDriver::Place(int slot, std::int32_t width, std::int32_t height, host::DeviceContext device_context,
                        bool with_image) {
    host::Element* drawing = DrawingElementOf(Header(slot));
    if (drawing == nullptr) return;
    host::ImageRecord& image = images_[SlotIn(slot)];
    image = host::ImageRecord{0, width, height};
    drawing->image = with_image ? &image : nullptr;
    drawing->device_context = device_context;
}

std::int32_t GaugeDriver::Click(int slot, std::int32_t x, std::int32_t y, std::uint32_t mouse_flags) {
    host::GaugeHeader* header = Header(slot);
    if (header == nullptr || header->mouse_rects == nullptr) return 0;
    for (int i = 0; i < kLongestMouseRectList; ++i) {
        const host::MouseRect& rect = header->mouse_rects[i];
        if (rect.type == host::kMouseRectEndOfList) break;
        if (rect.type == host::kMouseRectChild && rect.routine != nullptr) {
            host::ClickPoint point{x, y};
            return rect.routine(&point, mouse_flags);
        }
    }
    return 0;
}

void GaugeDriver::StandardRoutines(int slot, std::uint32_t phase) {
    host::GaugeHeader* header = Header(slot);
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
