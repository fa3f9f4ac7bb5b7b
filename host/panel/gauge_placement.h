// One placement of a gauge on a panel: its drawn size, its surface, and
// the image record the host hands the gauge through its drawing element.
// Several placements of one gauge share the module's header and elements;
// before each of its services a placement writes its own image record and
// device context into the drawing element.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "image/image.h"
#include "platform/host_abi.h"
#include "image/surface.h"

namespace panelhost {

// The element the gauge draws into: the first entry of the next-element
// list of the first element of the header's element list; null where any
// link is missing.
sim::Element* DrawingElement(const sim::GaugeHeader* header);

class GaugePlacement {
public:
    GaugePlacement(sim::GaugeHeader* header, std::unique_ptr<Surface> surface);

    sim::GaugeHeader* header() const { return header_; }
    std::string_view gauge_name() const;
    int width() const { return surface_->width(); }
    int height() const { return surface_->height(); }
    sim::DeviceContext device_context() { return surface_->AcquireDeviceContext(); }

    // Writes this placement's image record and device context into the
    // drawing element. False when the gauge has no drawing element.
    bool PrepareDrawingElement();
    // Takes them out again if they are still this placement's.
    void ClearDrawingElement();

    // Draws from now on into this surface, of another size: the image record
    // takes its size, the drawing element its device context at the next
    // service. The surface it replaces goes at once, device context and all,
    // as a host's does: the gauge had its pre-generate service to let go of
    // it. False, and nothing changed, without a surface.
    bool ReplaceSurface(std::unique_ptr<Surface> surface);

    Image ReadImage() { return surface_->ReadImage(); }
    bool SaveImage(const std::string& png_path, std::string* error = nullptr);

private:
    sim::GaugeHeader* header_;
    std::unique_ptr<Surface> surface_;
    sim::ImageRecord image_record_;
};

}  // namespace panelhost
