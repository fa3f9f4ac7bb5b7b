// Our own declarations of the GDI+ flat functions that only the panel host
// uses: bitmaps as drawing surfaces, their device contexts, pixels, and
// PNG files. The radar module never calls these.
#pragma once

#include <cstdint>

#include "platform/gdiplus_flat.h"

namespace gdip {

struct GpImage;
struct GpBitmap;  // a GpImage

using PixelFormat = std::int32_t;
constexpr PixelFormat kPixelFormat32bppRgb = 0x22009;
constexpr PixelFormat kPixelFormat32bppArgb = 0x26200A;
constexpr PixelFormat kPixelFormat32bppPargb = 0xE200B;

struct Clsid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// The built-in PNG encoder.
constexpr Clsid kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

struct EncoderParameters;  // never passed: the encoders' defaults serve

enum InterpolationMode : std::int32_t {
    kInterpolationModeNearestNeighbor = 5,  // exact pixels when drawn at their own size
};

extern "C" {

Status GDIPLUS_CALL GdipCreateBitmapFromScan0(std::int32_t width, std::int32_t height, std::int32_t stride,
                                              PixelFormat format, std::uint8_t* scan0, GpBitmap** bitmap);
Status GDIPLUS_CALL GdipCreateBitmapFromFile(const char16_t* filename, GpBitmap** bitmap);
Status GDIPLUS_CALL GdipDisposeImage(GpImage* image);
Status GDIPLUS_CALL GdipGetImageWidth(GpImage* image, std::uint32_t* width);
Status GDIPLUS_CALL GdipGetImageHeight(GpImage* image, std::uint32_t* height);
Status GDIPLUS_CALL GdipBitmapGetPixel(GpBitmap* bitmap, std::int32_t x, std::int32_t y, Argb* color);
Status GDIPLUS_CALL GdipSaveImageToFile(GpImage* image, const char16_t* filename, const Clsid* encoder,
                                        const EncoderParameters* parameters);

Status GDIPLUS_CALL GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
// On libgdiplus the device context handed out is the Graphics itself.
Status GDIPLUS_CALL GdipGetDC(GpGraphics* graphics, Hdc* hdc);
Status GDIPLUS_CALL GdipReleaseDC(GpGraphics* graphics, Hdc hdc);

// Which family a name resolved to (the name has room for 32 characters).
Status GDIPLUS_CALL GdipGetFamilyName(const GpFontFamily* family, char16_t* name, std::uint16_t language);

// Images drawn into other images (the demo tools' contact sheets).
Status GDIPLUS_CALL GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
Status GDIPLUS_CALL GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, std::int32_t x, std::int32_t y,
                                       std::int32_t width, std::int32_t height);
}

}  // namespace gdip
