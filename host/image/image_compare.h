// Comparing a drawn image with a reference PNG. References are rewritten
// only on request: RADAR_UPDATE_REFERENCES=1 in the environment.
#pragma once

#include <string>

#include "image/image.h"

namespace panelhost {

struct ImageTolerance {
    int channel = 0;                // largest difference of one channel that still matches
    long differing_pixels = 0;      // pixels allowed to differ by more
};

struct ImageComparison {
    bool same_size = false;
    long differing_pixels = 0;
    int largest_difference = 0;     // of any channel, over matching sizes
    bool matches = false;
};

ImageComparison CompareImages(const Image& actual, const Image& expected, const ImageTolerance& tolerance);

// Differences marked in red over a dimmed copy of the expected image (the
// actual one where the sizes differ, over the smaller of the two sizes).
Image DiffImage(const Image& actual, const Image& expected, int channel_tolerance);

constexpr const char* kUpdateReferencesVariable = "RADAR_UPDATE_REFERENCES";
bool ReferenceUpdateRequested();

struct ReferenceCheck {
    bool passed = false;
    bool updated = false;   // the reference was (re)written from the actual image
    std::string message;    // why it failed, with the diff image's path
};

// Compares with the reference PNG; on a mismatch writes the diff image to
// `diff_path`. With the update switch on, writes the actual image as the
// reference instead and passes.
ReferenceCheck CheckAgainstReference(const Image& actual, const std::string& reference_path,
                                     const std::string& diff_path, const ImageTolerance& tolerance);

}  // namespace panelhost
