// A picture the demo tools draw on with GDI+: other pictures scaled into
// rectangles and centred lines of text, then read back as pixels. It is a
// panel-host surface, so text uses the host's fonts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "contact_sheet_layout.h"
#include "image/image.h"

namespace panelhost {
class Surface;
}

namespace gdip {
struct GpGraphics;
}

namespace demotools {

struct TextStyle {
    std::uint32_t colour = 0xFFFFFFFFu;
    float size_px = 16.0f;
    bool bold = false;
    std::u16string family = u"Arial";  // the generic sans-serif family where it is missing
};

class Canvas {
public:
    // Null when the size is not usable or GDI+ does not start.
    static std::unique_ptr<Canvas> Create(int width_px, int height_px, std::string* error = nullptr);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Clear(std::uint32_t argb);
    void FillRect(const PixelRect& where, std::uint32_t argb);
    // Scales the picture into the rectangle (by area averaging); false if
    // it cannot be scaled or GDI+ refuses.
    bool DrawPicture(const panelhost::Image& picture, const PixelRect& where);
    // One line of UTF-8 text, centred in the rectangle.
    bool DrawCentredText(const std::string& text, const PixelRect& where, const TextStyle& style);

    panelhost::Image Read();

private:
    Canvas(std::unique_ptr<panelhost::Surface> surface, gdip::GpGraphics* graphics);

    std::unique_ptr<panelhost::Surface> surface_;
    gdip::GpGraphics* graphics_;
};

}  // namespace demotools
