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

}  // namespace

host::DeviceContext FuzzDeviceContext(std::uint32_t n) {
    return n == 0 ? nullptr : reinterpret_cast<host::DeviceContext>(0x10000 + static_cast<std::uintptr_t>(n) * 16);
}

host::GaugeHeader* DetachedHeader::Link(Cut cut, std::int32_t width, std::int32_t height,
                                        host::DeviceContext device_context) {
    image = host::ImageRecord{0, width, height};
    drawing = host::Element{};
    drawing.image_flags = host::kImageFlagsDrawing;
    drawing.image = cut == kNoImage ? nullptr : &image;
    drawing.device_context = device_context;
    drawing.owner = &header;
    background_next[0] = cut == kNoDrawingElement ? nullptr : &drawing;
    background_next[1] = nullptr;
    background = host::Element{};
    background.next = cut == kNoNextList ? nullptr : background_next;
    background.owner = &header;
    elements[0] = cut == kNoBackground ? nullptr : &background;
    elements[1] = nullptr;
    header = host::GaugeHeader{};
    header.elements = cut == kNoElementList ? nullptr : elements;
    return &header;
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
    if (own != nullptr && own->callback != nullptr) own->callback(header, service, 0);
}

void GaugeDriver::DisconnectAll() {
    for (int slot = 0; slot < kGauges; ++slot) Disconnect(slot);
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
        if (rect.type == host::kMouseRectEnd) break;
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
