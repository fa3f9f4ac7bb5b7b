#include "picture_scaling.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace demotools {
namespace {

// A pixel as four channels, colour premultiplied by alpha so that
// transparent pixels lend no colour to their neighbours.
using Channels = std::array<float, 4>;  // alpha, red, green, blue

Channels Unpack(std::uint32_t argb) {
    float alpha = static_cast<float>(argb >> 24);
    float share = alpha / 255.0f;
    return {alpha, static_cast<float>((argb >> 16) & 0xFFu) * share, static_cast<float>((argb >> 8) & 0xFFu) * share,
            static_cast<float>(argb & 0xFFu) * share};
}

std::uint32_t ToByte(float value) {
    float rounded = std::round(value);
    return static_cast<std::uint32_t>(std::clamp(rounded, 0.0f, 255.0f));
}

std::uint32_t Pack(const Channels& c) {
    if (c[0] <= 0.0f) return 0;
    float unshare = 255.0f / c[0];
    return (ToByte(c[0]) << 24) | (ToByte(c[1] * unshare) << 16) | (ToByte(c[2] * unshare) << 8) | ToByte(c[3] * unshare);
}

// How much each source pixel along one side counts towards each target pixel.
struct Tap {
    int source;
    float weight;
};

std::vector<std::vector<Tap>> Taps(int source_side, int target_side) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(target_side));
    const double ratio = static_cast<double>(source_side) / target_side;
    for (int t = 0; t < target_side; ++t) {
        double begin = t * ratio;
        double end = (t + 1) * ratio;
        int first = static_cast<int>(std::floor(begin));
        int last = std::min(source_side - 1, static_cast<int>(std::ceil(end)) - 1);
        for (int s = first; s <= last; ++s) {
            double covered = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
            if (covered > 0.0) taps[static_cast<std::size_t>(t)].push_back(Tap{s, static_cast<float>(covered / ratio)});
        }
    }
    return taps;
}

}  // namespace

panelhost::Image ScalePicture(const panelhost::Image& picture, int width_px, int height_px) {
    if (picture.empty() || width_px < 1 || height_px < 1 || width_px > kMaxScaledSide || height_px > kMaxScaledSide) {
        return {};
    }
    if (picture.width == width_px && picture.height == height_px) return picture;
    const auto across = Taps(picture.width, width_px);
    const auto down = Taps(picture.height, height_px);

    // Across first, into a picture of the new width and the old height.
    std::vector<Channels> rows(static_cast<std::size_t>(width_px) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < width_px; ++x) {
            Channels sum{};
            for (const Tap& tap : across[static_cast<std::size_t>(x)]) {
                Channels c = Unpack(picture.at(tap.source, y));
                for (int k = 0; k < 4; ++k) sum[k] += c[k] * tap.weight;
            }
            rows[static_cast<std::size_t>(y) * width_px + x] = sum;
        }
    }
    panelhost::Image scaled(width_px, height_px);
    for (int y = 0; y < height_px; ++y) {
        for (int x = 0; x < width_px; ++x) {
            Channels sum{};
            for (const Tap& tap : down[static_cast<std::size_t>(y)]) {
                const Channels& c = rows[static_cast<std::size_t>(tap.source) * width_px + x];
                for (int k = 0; k < 4; ++k) sum[k] += c[k] * tap.weight;
            }
            scaled.at(x, y) = Pack(sum);
        }
    }
    return scaled;
}

}  // namespace demotools
