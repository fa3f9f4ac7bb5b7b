#include "panel/gauge_placement.h"

#include "panel/module_file.h"

namespace panelhost {

sim::Element* DrawingElement(const sim::GaugeHeader* header) {
    if (header == nullptr || header->elements == nullptr) return nullptr;
    const sim::Element* background = header->elements[0];
    if (background == nullptr || background->next == nullptr) return nullptr;
    return background->next[0];
}

GaugePlacement::GaugePlacement(sim::GaugeHeader* header, std::unique_ptr<Surface> surface)
    : header_(header), surface_(std::move(surface)), image_record_{0, surface_->width(), surface_->height()} {}

std::string_view GaugePlacement::gauge_name() const { return GaugeName(header_); }

bool GaugePlacement::PrepareDrawingElement() {
    sim::Element* element = DrawingElement(header_);
    if (element == nullptr) return false;
    element->image = &image_record_;
    element->device_context = surface_->AcquireDeviceContext();
    return true;
}

void GaugePlacement::ClearDrawingElement() {
    sim::Element* element = DrawingElement(header_);
    if (element == nullptr || element->image != &image_record_) return;
    element->image = nullptr;
    element->device_context = nullptr;
}

bool GaugePlacement::ReplaceSurface(std::unique_ptr<Surface> surface) {
    if (!surface) return false;
    surface_ = std::move(surface);
    image_record_.width = surface_->width();
    image_record_.height = surface_->height();
    // The drawing element must not go on naming the old device context.
    sim::Element* element = DrawingElement(header_);
    if (element != nullptr && element->image == &image_record_) element->device_context = surface_->AcquireDeviceContext();
    return true;
}

bool GaugePlacement::SaveImage(const std::string& png_path, std::string* error) {
    return SavePng(surface_->ReadImage(), png_path, error);
}

}  // namespace panelhost
