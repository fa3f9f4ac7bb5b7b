#include "gdiplus_agreement.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <sstream>

namespace winetest {
namespace {

using panelhost::Image;

constexpr std::array<int, 3> kColourShifts{16, 8, 0};  // red, green, blue; the frames are opaque

int Channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFFu); }

bool SameSize(const Image& a, const Image& b) { return a.width == b.width && a.height == b.height; }

// The lowest and highest value of each colour channel around every pixel.
struct NeighbourhoodRanges {
    int width = 0;
    std::vector<std::array<std::uint8_t, 3>> lowest;
    std::vector<std::array<std::uint8_t, 3>> highest;
};

// A square window's minimum and maximum, taken along the rows and then
// along the columns.
NeighbourhoodRanges RangesOf(const Image& image, int radius) {
    const std::size_t count = image.argb.size();
    NeighbourhoodRanges rows{image.width, std::vector<std::array<std::uint8_t, 3>>(count),
                             std::vector<std::array<std::uint8_t, 3>>(count)};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::array<std::uint8_t, 3> low{255, 255, 255};
            std::array<std::uint8_t, 3> high{0, 0, 0};
            for (int nx = std::max(0, x - radius); nx <= std::min(image.width - 1, x + radius); ++nx) {
                for (std::size_t c = 0; c < kColourShifts.size(); ++c) {
                    const auto value = static_cast<std::uint8_t>(Channel(image.at(nx, y), kColourShifts[c]));
                    low[c] = std::min(low[c], value);
                    high[c] = std::max(high[c], value);
                }
            }
            rows.lowest[static_cast<std::size_t>(y) * image.width + x] = low;
            rows.highest[static_cast<std::size_t>(y) * image.width + x] = high;
        }
    }
    NeighbourhoodRanges ranges = rows;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::array<std::uint8_t, 3> low{255, 255, 255};
            std::array<std::uint8_t, 3> high{0, 0, 0};
            for (int ny = std::max(0, y - radius); ny <= std::min(image.height - 1, y + radius); ++ny) {
                const std::size_t index = static_cast<std::size_t>(ny) * image.width + x;
                for (std::size_t c = 0; c < 3; ++c) {
                    low[c] = std::min(low[c], rows.lowest[index][c]);
                    high[c] = std::max(high[c], rows.highest[index][c]);
                }
            }
            ranges.lowest[static_cast<std::size_t>(y) * image.width + x] = low;
            ranges.highest[static_cast<std::size_t>(y) * image.width + x] = high;
        }
    }
    return ranges;
}

// How far the pixel's colour lies outside the range of colours around the
// same place in the other frame, as the largest channel distance.
int ExcessOverRange(std::uint32_t pixel, const NeighbourhoodRanges& other, std::size_t index) {
    int excess = 0;
    for (std::size_t c = 0; c < kColourShifts.size(); ++c) {
        const int value = Channel(pixel, kColourShifts[c]);
        excess = std::max({excess, other.lowest[index][c] - value, value - other.highest[index][c]});
    }
    return excess;
}

// Each channel averaged over a square window: a line that one rasteriser
// spreads over two pixels at half strength and the other puts on one pixel
// at full strength comes out alike.
Image Blurred(const Image& image, int radius) {
    if (radius <= 0) return image;
    Image blurred(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::array<int, 3> sums{0, 0, 0};
            int count = 0;
            for (int ny = std::max(0, y - radius); ny <= std::min(image.height - 1, y + radius); ++ny) {
                for (int nx = std::max(0, x - radius); nx <= std::min(image.width - 1, x + radius); ++nx) {
                    for (std::size_t c = 0; c < kColourShifts.size(); ++c) sums[c] += Channel(image.at(nx, ny), kColourShifts[c]);
                    ++count;
                }
            }
            std::uint32_t pixel = 0xFF000000u;
            for (std::size_t c = 0; c < kColourShifts.size(); ++c) {
                pixel |= static_cast<std::uint32_t>((sums[c] + count / 2) / count) << kColourShifts[c];
            }
            blurred.at(x, y) = pixel;
        }
    }
    return blurred;
}

// Both directions' excesses, the larger per pixel.
std::vector<int> Excesses(const Image& first_sharp, const Image& second_sharp, const AgreementTolerance& tolerance) {
    const Image first = Blurred(first_sharp, tolerance.blur_radius_px);
    const Image second = Blurred(second_sharp, tolerance.blur_radius_px);
    const NeighbourhoodRanges first_ranges = RangesOf(first, tolerance.radius_px);
    const NeighbourhoodRanges second_ranges = RangesOf(second, tolerance.radius_px);
    std::vector<int> excesses(first.argb.size());
    for (std::size_t i = 0; i < excesses.size(); ++i) {
        excesses[i] = std::max(ExcessOverRange(first.argb[i], second_ranges, i),
                               ExcessOverRange(second.argb[i], first_ranges, i));
    }
    return excesses;
}

std::uint32_t Dimmed(std::uint32_t argb) {
    const auto grey = static_cast<std::uint32_t>((Channel(argb, 16) + Channel(argb, 8) + Channel(argb, 0)) / 9);
    return 0xFF000000u | (grey << 16) | (grey << 8) | grey;
}

constexpr std::uint32_t kDisagreementMark = 0xFFFF2020u;
constexpr std::uint32_t kTextMark = 0xFF2040A0u;
constexpr int kPanelGap_px = 4;
constexpr std::uint32_t kGapColour = 0xFF808080u;

}  // namespace

long TextMask::Count() const { return static_cast<long>(std::count(text.begin(), text.end(), true)); }

TextMask TextMaskFrom(const Image& with_text, const Image& without_text, int margin_px) {
    TextMask mask;
    if (!SameSize(with_text, without_text)) return mask;
    mask.width = with_text.width;
    mask.height = with_text.height;
    mask.text.assign(with_text.argb.size(), false);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (with_text.at(x, y) == without_text.at(x, y)) continue;
            for (int my = std::max(0, y - margin_px); my <= std::min(mask.height - 1, y + margin_px); ++my) {
                for (int mx = std::max(0, x - margin_px); mx <= std::min(mask.width - 1, x + margin_px); ++mx) {
                    mask.text[static_cast<std::size_t>(my) * mask.width + mx] = true;
                }
            }
        }
    }
    return mask;
}

double Agreement::DisagreeingShare() const {
    return compared_pixels > 0 ? static_cast<double>(disagreeing_pixels) / static_cast<double>(compared_pixels) : 1.0;
}

bool Agreement::Within(const AgreementTolerance& tolerance) const {
    return same_size && compared_pixels > 0 && DisagreeingShare() <= tolerance.disagreeing_share;
}

std::string Agreement::Describe() const {
    std::ostringstream text;
    if (!same_size) return "the frames differ in size";
    text << disagreeing_pixels << " of " << compared_pixels << " pixels outside the text disagree ("
         << DisagreeingShare() * 100.0 << " %), worst channel excess " << worst_excess;
    return text.str();
}

Agreement CompareGeometry(const Image& first, const Image& second, const TextMask& mask,
                          const AgreementTolerance& tolerance) {
    Agreement agreement;
    agreement.same_size = SameSize(first, second) && mask.width == first.width && mask.height == first.height;
    if (!agreement.same_size) return agreement;
    const std::vector<int> excesses = Excesses(first, second, tolerance);
    for (std::size_t i = 0; i < excesses.size(); ++i) {
        if (mask.text[i]) continue;
        ++agreement.compared_pixels;
        agreement.worst_excess = std::max(agreement.worst_excess, excesses[i]);
        if (excesses[i] > tolerance.channel) ++agreement.disagreeing_pixels;
    }
    return agreement;
}

Image SideBySide(const Image& first, const Image& second, const TextMask& mask, const AgreementTolerance& tolerance) {
    const int width = std::max(first.width, second.width);
    const int height = std::max(first.height, second.height);
    Image picture(3 * width + 2 * kPanelGap_px, height, kGapColour);
    auto paste = [&picture](const Image& image, int left) {
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) picture.at(left + x, y) = image.at(x, y);
        }
    };
    paste(first, 0);
    paste(second, width + kPanelGap_px);
    if (!SameSize(first, second) || mask.width != first.width || mask.height != first.height) return picture;
    const int left = 2 * (width + kPanelGap_px);
    const std::vector<int> excesses = Excesses(first, second, tolerance);
    for (int y = 0; y < first.height; ++y) {
        for (int x = 0; x < first.width; ++x) {
            std::uint32_t mark = Dimmed(first.at(x, y));
            if (mask.at(x, y)) {
                mark = kTextMark;
            } else if (excesses[static_cast<std::size_t>(y) * first.width + x] > tolerance.channel) {
                mark = kDisagreementMark;
            }
            picture.at(left + x, y) = mark;
        }
    }
    return picture;
}

}  // namespace winetest
