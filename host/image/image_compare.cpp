#include "image/image_compare.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace panelhost {
namespace {

int Channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

int LargestChannelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) largest = std::max(largest, std::abs(Channel(a, shift) - Channel(b, shift)));
    return largest;
}

constexpr std::uint32_t kDiffMark = 0xFFFF0000u;

std::uint32_t Dimmed(std::uint32_t argb) {
    int grey = (Channel(argb, 16) + Channel(argb, 8) + Channel(argb, 0)) / 12;
    auto g = static_cast<std::uint32_t>(grey);
    return 0xFF000000u | (g << 16) | (g << 8) | g;
}

}  // namespace

ImageComparison CompareImages(const Image& actual, const Image& expected, const ImageTolerance& tolerance) {
    ImageComparison result;
    result.same_size = actual.width == expected.width && actual.height == expected.height;
    if (!result.same_size) return result;
    for (std::size_t i = 0; i < actual.argb.size(); ++i) {
        int difference = LargestChannelDifference(actual.argb[i], expected.argb[i]);
        result.largest_difference = std::max(result.largest_difference, difference);
        if (difference > tolerance.channel) ++result.differing_pixels;
    }
    result.matches = result.differing_pixels <= tolerance.differing_pixels;
    return result;
}

Image DiffImage(const Image& actual, const Image& expected, int channel_tolerance) {
    int width = std::min(actual.width, expected.width);
    int height = std::min(actual.height, expected.height);
    const Image& base = actual.width == expected.width && actual.height == expected.height ? expected : actual;
    Image diff(width, height);
    for (int y = 0; y < diff.height; ++y) {
        for (int x = 0; x < diff.width; ++x) {
            bool differs = LargestChannelDifference(actual.at(x, y), expected.at(x, y)) > channel_tolerance;
            diff.at(x, y) = differs ? kDiffMark : Dimmed(base.at(x, y));
        }
    }
    return diff;
}

bool ReferenceUpdateRequested() {
    const char* value = std::getenv(kUpdateReferencesVariable);
    return value != nullptr && std::strcmp(value, "1") == 0;
}

ReferenceCheck CheckAgainstReference(const Image& actual, const std::string& reference_path,
                                     const std::string& diff_path, const ImageTolerance& tolerance) {
    ReferenceCheck check;
    std::string error;
    if (ReferenceUpdateRequested()) {
        check.passed = check.updated = SavePng(actual, reference_path, &error);
        check.message = check.passed ? "reference written: " + reference_path : error;
        return check;
    }
    Image expected;
    if (!LoadPng(reference_path, &expected, &error)) {
        check.message = error + "; run with " + kUpdateReferencesVariable + "=1 to write it";
        return check;
    }
    ImageComparison comparison = CompareImages(actual, expected, tolerance);
    if (comparison.matches) {
        check.passed = true;
        return check;
    }
    if (!comparison.same_size) {
        check.message = "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) +
                        " differs from the reference's " + std::to_string(expected.width) + "x" +
                        std::to_string(expected.height);
    } else {
        check.message = std::to_string(comparison.differing_pixels) + " pixels differ (largest channel difference " +
                        std::to_string(comparison.largest_difference) + ")";
    }
    if (SavePng(DiffImage(actual, expected, tolerance.channel), diff_path, &error)) {
        check.message += "; diff image: " + diff_path;
    } else {
        check.message += "; no diff image: " + error;
    }
    return check;
}

}  // namespace panelhost
