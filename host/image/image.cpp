#include "image/image.h"

#include "image/gdiplus_startup.h"
#include "platform/gdiplus_image.h"

namespace panelhost {
namespace {

// The bitmap GDI+ decoded, disposed when it goes.
struct BitmapHolder {
    gdip::GpBitmap* bitmap = nullptr;
    ~BitmapHolder() {
        if (bitmap) gdip::GdipDisposeImage(reinterpret_cast<gdip::GpImage*>(bitmap));
    }
};

gdip::GpImage* AsImage(gdip::GpBitmap* bitmap) { return reinterpret_cast<gdip::GpImage*>(bitmap); }

void Fail(std::string* error, const std::string& what, gdip::Status status) {
    if (error) *error = what + " (GDI+ status " + std::to_string(status) + ")";
}

}  // namespace

Image::Image(int width_px, int height_px, std::uint32_t fill)
    : width(width_px > 0 && height_px > 0 ? width_px : 0),
      height(width_px > 0 && height_px > 0 ? height_px : 0),
      argb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

bool SavePng(const Image& image, const std::string& path, std::string* error) {
    if (image.empty()) {
        if (error) *error = "no image to write to " + path;
        return false;
    }
    if (!StartGdiplus()) {
        if (error) *error = "GDI+ does not start";
        return false;
    }
    // GDI+ reads the pixels in place; it does not write them.
    std::vector<std::uint32_t> pixels = image.argb;
    BitmapHolder holder;
    gdip::Status status = gdip::GdipCreateBitmapFromScan0(image.width, image.height, image.width * 4,
                                                          gdip::kPixelFormat32bppArgb,
                                                          reinterpret_cast<std::uint8_t*>(pixels.data()),
                                                          &holder.bitmap);
    if (status != gdip::kOk) {
        Fail(error, "cannot make a bitmap for " + path, status);
        return false;
    }
    status = gdip::GdipSaveImageToFile(AsImage(holder.bitmap), ToUtf16(path).c_str(), &gdip::kPngEncoder, nullptr);
    if (status != gdip::kOk) {
        Fail(error, "cannot write " + path, status);
        return false;
    }
    return true;
}

bool LoadPng(const std::string& path, Image* image, std::string* error) {
    if (image == nullptr) return false;
    if (!StartGdiplus()) {
        if (error) *error = "GDI+ does not start";
        return false;
    }
    BitmapHolder holder;
    gdip::Status status = gdip::GdipCreateBitmapFromFile(ToUtf16(path).c_str(), &holder.bitmap);
    if (status != gdip::kOk || holder.bitmap == nullptr) {
        Fail(error, "cannot read " + path, status);
        return false;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    gdip::GdipGetImageWidth(AsImage(holder.bitmap), &width);
    gdip::GdipGetImageHeight(AsImage(holder.bitmap), &height);
    constexpr std::uint32_t kMaxSide = 16384;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        if (error) *error = path + " has no usable size";
        return false;
    }
    Image loaded(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < loaded.height; ++y) {
        for (int x = 0; x < loaded.width; ++x) gdip::GdipBitmapGetPixel(holder.bitmap, x, y, &loaded.at(x, y));
    }
    *image = std::move(loaded);
    return true;
}

std::u16string ToUtf16(const std::string& text) {
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::uint32_t code = 0xFFFD;
        std::size_t length = 1;
        if (byte < 0x80) {
            code = byte;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2;
            code = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
            code = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4;
            code = byte & 0x07;
        }
        if (length > 1) {
            bool complete = i + length <= text.size();
            for (std::size_t k = 1; complete && k < length; ++k) {
                auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) complete = false;
                code = (code << 6) | (next & 0x3F);
            }
            if (!complete) {
                code = 0xFFFD;
                length = 1;
            }
        }
        if (code >= 0x10000 && code <= 0x10FFFF) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code > 0x10FFFF ? 0xFFFD : code));
        }
        i += length;
    }
    return out;
}

}  // namespace panelhost
