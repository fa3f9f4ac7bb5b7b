// Pixels as the host reads them from a surface or a PNG file, and PNG files
// written and read through GDI+.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // rows top-down, 0xAARRGGBB, not premultiplied

    Image() = default;
    Image(int width_px, int height_px, std::uint32_t fill = 0);
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t& at(int x, int y) { return argb[static_cast<std::size_t>(y) * width + x]; }
    bool empty() const { return argb.empty(); }
};

// Writes the image as a PNG file with GDI+'s PNG encoder.
bool SavePng(const Image& image, const std::string& path, std::string* error = nullptr);
// Reads a PNG (or any image file GDI+ decodes).
bool LoadPng(const std::string& path, Image* image, std::string* error = nullptr);

// A file name for GDI+: UTF-8 to UTF-16.
std::u16string ToUtf16(const std::string& text);

}  // namespace panelhost
