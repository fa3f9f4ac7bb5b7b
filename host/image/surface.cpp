#include "image/surface.h"

#include "image/gdiplus_startup.h"
#include "platform/gdiplus_image.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace panelhost {

#if defined(_WIN32)

struct Surface::Native {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;

    ~Native() {
        if (dc && previous) SelectObject(dc, previous);
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
    }
};

std::unique_ptr<Surface> Surface::Create(int width_px, int height_px) {
    if (width_px <= 0 || height_px <= 0 || width_px > kMaxSurfaceSide || height_px > kMaxSurfaceSide) return nullptr;
    StartGdiplus();
    auto native = std::make_unique<Native>();
    native->dc = CreateCompatibleDC(nullptr);
    if (native->dc == nullptr) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_px;
    info.bmiHeader.biHeight = -height_px;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    native->bitmap = CreateDIBSection(native->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (native->bitmap == nullptr || bits == nullptr) return nullptr;
    native->bits = static_cast<std::uint32_t*>(bits);
    native->previous = SelectObject(native->dc, native->bitmap);
    return std::unique_ptr<Surface>(new Surface(width_px, height_px, std::move(native)));
}

sim::DeviceContext Surface::AcquireDeviceContext() { return native_->dc; }

void Surface::ReleaseDeviceContext() {}

Image Surface::ReadImage() {
    GdiFlush();
    if (native_->bits == nullptr) return Image();
    Image image(width_, height_);
    for (std::size_t i = 0; i < image.argb.size(); ++i) image.argb[i] = native_->bits[i] | 0xFF000000u;
    return image;
}

#else

struct Surface::Native {
    gdip::GpBitmap* bitmap = nullptr;
    gdip::GpGraphics* graphics = nullptr;
    gdip::Hdc dc = nullptr;
    bool dc_out = false;

    ~Native() {
        if (dc_out) gdip::GdipReleaseDC(graphics, dc);
        if (graphics) gdip::GdipDeleteGraphics(graphics);
        if (bitmap) gdip::GdipDisposeImage(reinterpret_cast<gdip::GpImage*>(bitmap));
    }
};

std::unique_ptr<Surface> Surface::Create(int width_px, int height_px) {
    if (width_px <= 0 || height_px <= 0 || width_px > kMaxSurfaceSide || height_px > kMaxSurfaceSide) return nullptr;
    if (!StartGdiplus()) return nullptr;
    auto native = std::make_unique<Native>();
    // A null scan0: libgdiplus keeps the pixels and draws into them.
    if (gdip::GdipCreateBitmapFromScan0(width_px, height_px, 0, gdip::kPixelFormat32bppPargb, nullptr,
                                        &native->bitmap) != gdip::kOk ||
        native->bitmap == nullptr) {
        return nullptr;
    }
    if (gdip::GdipGetImageGraphicsContext(reinterpret_cast<gdip::GpImage*>(native->bitmap), &native->graphics) !=
            gdip::kOk ||
        native->graphics == nullptr) {
        return nullptr;
    }
    auto surface = std::unique_ptr<Surface>(new Surface(width_px, height_px, std::move(native)));
    if (surface->AcquireDeviceContext() == nullptr) return nullptr;
    return surface;
}

sim::DeviceContext Surface::AcquireDeviceContext() {
    if (!native_->dc_out && gdip::GdipGetDC(native_->graphics, &native_->dc) == gdip::kOk) native_->dc_out = true;
    return native_->dc_out ? native_->dc : nullptr;
}

void Surface::ReleaseDeviceContext() {
    if (native_->dc_out) gdip::GdipReleaseDC(native_->graphics, native_->dc);
    native_->dc_out = false;
}

Image Surface::ReadImage() {
    ReleaseDeviceContext();
    Image image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) gdip::GdipBitmapGetPixel(native_->bitmap, x, y, &image.at(x, y));
    }
    return image;
}

#endif

Surface::Surface(int width_px, int height_px, std::unique_ptr<Native> native)
    : width_(width_px), height_(height_px), native_(std::move(native)) {}

Surface::~Surface() = default;

}  // namespace panelhost
