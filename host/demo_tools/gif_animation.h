// Animated GIF files from a sequence of pictures: one colour table for the
// whole animation, found by giflib's colour quantisation over every frame,
// so that colours do not flicker from frame to frame; looping forever (or a
// given number of times) with a fixed delay between frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"

namespace demotools {

struct GifOptions {
    int delay_cs = 10;   // between frames, hundredths of a second
    int loop_count = 0;  // 0: forever
};

constexpr int kMinGifDelayCs = 2;  // viewers slow anything shorter down to 10 cs
constexpr int kMaxGifDelayCs = 6000;
constexpr int kMaxGifLoopCount = 65535;
constexpr int kMaxGifSide = 4096;
constexpr int kMaxGifFrames = 2000;
// Every frame's pixels together, as one quantisation pass takes them.
constexpr long long kMaxGifPixels = 64LL * 1024 * 1024;
constexpr int kGifColours = 256;

// Frames reduced to indices into one colour table.
struct IndexedFrames {
    int width = 0;
    int height = 0;
    int frame_count = 0;
    std::vector<std::uint32_t> palette;  // 0xFFRRGGBB, kGifColours entries (unused ones black)
    std::vector<std::uint8_t> indices;   // frame after frame, rows top-down
};

// True when the frames make an animation: at least one, all of the first
// frame's size, within the limits above.
bool CheckGifFrames(const std::vector<panelhost::Image>& frames, std::string* error);

// One colour table for all frames. Pixels that are not opaque are shown
// over black.
bool QuantizeFrames(const std::vector<panelhost::Image>& frames, IndexedFrames* indexed, std::string* error = nullptr);

bool WriteAnimatedGif(const IndexedFrames& indexed, const GifOptions& options, const std::string& path,
                      std::string* error = nullptr);
// QuantizeFrames, then the file.
bool WriteAnimatedGif(const std::vector<panelhost::Image>& frames, const GifOptions& options, const std::string& path,
                      std::string* error = nullptr);

}  // namespace demotools
