// One placement of a gauge on a panel: its drawn size, its surface, and
// the image record the host hands the gauge through its drawing element.
// Several placements of one gauge share the module's header and elements;
// before each of its services a placement writes its own image record and
// device context into the drawing element.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "image.h"
#include "platform/host_abi.h"
#include "surface.h"

namespace panelhost {

// The element the gauge draws into: the first entry of the next-element
// list of the first element of the header's element list; null where any
// link is missing.
host::Element* DrawingElement(const host::GaugeHeader* header);

class GaugePlacement {
public:
    GaugePlacement(host::GaugeHeader* header, std::unique_ptr<Surface> surface);

    host::GaugeHeader* header() const { return header_; }
    std::string_view gauge_name() const;
    int width() const { return surface_->width(); }
    int height() const { return surface_->height(); }
    host::DeviceContext device_context() { return surface_->AcquireDeviceContext(); }

    // Writes this placement's image record and device context into the
    // drawing element. False when the gauge has no drawing element.
    bool PrepareDrawingElement();
    // Takes them out again if they are still this placement's.
    void ClearDrawingElement();

    Image ReadImage() { return surface_->ReadImage(); }
    bool SaveImage(const std::string& png_path, std::string* error = nullptr);

private:
    host::GaugeHeader* header_;
    std::unique_ptr<Surface> surface_;
    host::ImageRecord image_record_;
};

}  // namespace panelhost
