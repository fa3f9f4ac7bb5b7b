// The drawing surface of one gauge placement: an image of the placement's
// size and the device context the host writes into the drawing element.
//
// Linux: a libgdiplus bitmap in 32bppPARGB that owns its pixels, a Graphics
// on it, and that Graphics' device context (libgdiplus's device contexts are
// Graphics; the module's GdipCreateFromHDC draws into the same bitmap).
// Windows: a 32-bit top-down DIB section selected into a memory DC.
#pragma once

#include <memory>

#include "image/image.h"
#include "platform/host_abi.h"

namespace panelhost {

class Surface {
public:
    // Null when the size is not positive or the surface cannot be made.
    static std::unique_ptr<Surface> Create(int width_px, int height_px);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    // The device context for the module; the same value every time.
    sim::DeviceContext AcquireDeviceContext();
    // Gives the device context back (libgdiplus wants that before the
    // bitmap is read); the next acquisition takes it again.
    void ReleaseDeviceContext();

    // The pixels as drawn so far (the device context is released first).
    // The surface is opaque: alpha is 0xFF on Windows, where GDI leaves it
    // undefined.
    Image ReadImage();

private:
    struct Native;
    Surface(int width_px, int height_px, std::unique_ptr<Native> native);

    int width_;
    int height_;
    std::unique_ptr<Native> native_;
};

// Largest side of a surface, in pixels.
constexpr int kMaxSurfaceSide = 8192;

}  // namespace panelhost
