// panel-montage's animated GIFs, read back with giflib's decoder.
#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gif_animation.h"
#include "integration_support.h"

namespace {

using panelhost::Image;

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int code = 0;
        DGifCloseFile(gif, &code);
    }
};
using DecodedGif = std::unique_ptr<GifFileType, GifCloser>;

DecodedGif ReadGif(const std::string& path) {
    int code = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &code);
    if (gif == nullptr) return nullptr;
    DecodedGif decoded(gif);
    if (DGifSlurp(gif) != GIF_OK) return nullptr;
    return decoded;
}

// The loop count of the application extension, or -1 without one.
int LoopCount(const GifFileType* gif) {
    for (int frame = 0; frame < gif->ImageCount; ++frame) {
        const SavedImage& image = gif->SavedImages[frame];
        for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
            const ExtensionBlock& head = image.ExtensionBlocks[i];
            const ExtensionBlock& data = image.ExtensionBlocks[i + 1];
            if (head.Function == APPLICATION_EXT_FUNC_CODE && head.ByteCount == 11 &&
                std::memcmp(head.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 && data.Bytes[0] == 1) {
                return data.Bytes[1] | (data.Bytes[2] << 8);
            }
        }
    }
    return -1;
}

std::uint32_t PixelOf(const GifFileType* gif, int frame, int x, int y) {
    const SavedImage& image = gif->SavedImages[frame];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    int index = image.RasterBits[y * image.ImageDesc.Width + x];
    const GifColorType& colour = map->Colors[index];
    return 0xFF000000u | (std::uint32_t{colour.Red} << 16) | (std::uint32_t{colour.Green} << 8) | colour.Blue;
}

// Frames like a radar's: a dark background, a line in another place in
// each frame, and a second colour scheme's colour in the last frame only.
std::vector<Image> SweepFrames(int count, int width, int height) {
    std::vector<Image> frames;
    for (int f = 0; f < count; ++f) {
        Image frame(width, height, 0xFF001800u);
        for (int y = 0; y < height; ++y) frame.at(f % width, y) = 0xFF40FF40u;
        if (f == count - 1) frame.at(width - 1, height - 1) = 0xFFFF9900u;
        frames.push_back(frame);
    }
    return frames;
}

TEST(AnimatedGif, AllFramesComeBackWithTheirSizeDelayAndLoop) {
    std::string path = (integration::TestFolder() / "sweep.gif").string();
    std::vector<Image> frames = SweepFrames(5, 16, 8);
    demotools::GifOptions options;
    options.delay_cs = 7;
    std::string error;
    ASSERT_TRUE(demotools::WriteAnimatedGif(frames, options, path, &error)) << error;

    DecodedGif gif = ReadGif(path);
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->SWidth, 16);
    EXPECT_EQ(gif->SHeight, 8);
    ASSERT_EQ(gif->ImageCount, 5);
    EXPECT_EQ(LoopCount(gif.get()), 0);  // forever
    for (int f = 0; f < gif->ImageCount; ++f) {
        const GifImageDesc& desc = gif->SavedImages[f].ImageDesc;
        EXPECT_EQ(desc.Width, 16);
        EXPECT_EQ(desc.Height, 8);
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), f, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 7);
        EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
        // Few colours: every pixel comes back exactly.
        int differing = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 16; ++x) differing += PixelOf(gif.get(), f, x, y) != frames[f].at(x, y) ? 1 : 0;
        }
        EXPECT_EQ(differing, 0) << "frame " << f;
    }
}

TEST(AnimatedGif, OneColourTableServesEveryFrame) {
    // The first frame holds the smoothed edges of a line, a ramp of shades
    // from the background to the line's colour; the last frame alone shows
    // an orange pixel. The shared table keeps both close.
    std::vector<Image> frames = SweepFrames(3, 64, 64);
    auto shade = [](int step) {  // 0x001800 to 0x40FF40 in 64 steps
        auto mix = [step](std::uint32_t from, std::uint32_t to) { return from + (to - from) * step / 63; };
        return 0xFF000000u | (mix(0x00, 0x40) << 16) | (mix(0x18, 0xFF) << 8) | mix(0x00, 0x40);
    };
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) frames[0].at(x, y) = shade(x);
    }
    demotools::IndexedFrames indexed;
    std::string error;
    ASSERT_TRUE(demotools::QuantizeFrames(frames, &indexed, &error)) << error;
    EXPECT_EQ(indexed.frame_count, 3);
    EXPECT_EQ(indexed.palette.size(), 256u);
    ASSERT_EQ(indexed.indices.size(), 3u * 64 * 64);
    auto channel = [](std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    std::size_t last = 2u * 64 * 64 + 63u * 64 + 63;
    std::uint32_t orange = indexed.palette[indexed.indices[last]];
    EXPECT_NEAR(channel(orange, 16), 0xFF, 8);
    EXPECT_NEAR(channel(orange, 8), 0x99, 8);
    EXPECT_NEAR(channel(orange, 0), 0x00, 8);
    int worst = 0;
    for (int x = 0; x < 64; ++x) {
        std::uint32_t got = indexed.palette[indexed.indices[static_cast<std::size_t>(x)]];
        for (int shift : {16, 8, 0}) worst = std::max(worst, std::abs(channel(got, shift) - channel(shade(x), shift)));
    }
    EXPECT_LE(worst, 8);
    // The line's full strength survives the quantiser's five bits a channel.
    std::uint32_t line = indexed.palette[indexed.indices[64u * 64 + 1]];  // frame 2, the line at x = 1
    EXPECT_EQ(line, 0xFF40FF40u);
}

TEST(AnimatedGif, HalfTransparentPixelsAreShownOverBlack) {
    std::vector<Image> frames{Image(4, 4, 0x80FFFFFFu), Image(4, 4, 0x00FF0000u)};
    demotools::IndexedFrames indexed;
    ASSERT_TRUE(demotools::QuantizeFrames(frames, &indexed));
    std::uint32_t grey = indexed.palette[indexed.indices[0]];
    EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x80, 4);
    EXPECT_EQ(indexed.palette[indexed.indices[16]], 0xFF000000u);
}

TEST(AnimatedGif, UnusableFramesOrOptionsWriteNothing) {
    std::filesystem::path folder = integration::TestFolder();
    std::string path = (folder / "bad.gif").string();
    std::string error;
    demotools::GifOptions options;

    EXPECT_FALSE(demotools::WriteAnimatedGif(std::vector<Image>{}, options, path, &error));
    EXPECT_NE(error.find("no frames"), std::string::npos) << error;
    std::vector<Image> mixed{Image(8, 8, 0xFF000000u), Image(8, 9, 0xFF000000u)};
    EXPECT_FALSE(demotools::WriteAnimatedGif(mixed, options, path, &error));
    EXPECT_NE(error.find("frame 2"), std::string::npos) << error;
    std::vector<Image> empty_frame{Image()};
    EXPECT_FALSE(demotools::WriteAnimatedGif(empty_frame, options, path, &error));
    std::vector<Image> too_wide{Image(demotools::kMaxGifSide + 1, 1, 0xFF000000u)};
    EXPECT_FALSE(demotools::WriteAnimatedGif(too_wide, options, path, &error));

    std::vector<Image> frames = SweepFrames(2, 4, 4);
    options.delay_cs = 0;
    EXPECT_FALSE(demotools::WriteAnimatedGif(frames, options, path, &error));
    options.delay_cs = 10;
    options.loop_count = -1;
    EXPECT_FALSE(demotools::WriteAnimatedGif(frames, options, path, &error));
    EXPECT_FALSE(std::filesystem::exists(path));

    // Indexed frames that do not add up are refused, not read past their end.
    demotools::IndexedFrames short_indices;
    short_indices.width = 4;
    short_indices.height = 4;
    short_indices.frame_count = 2;
    short_indices.palette.assign(256, 0xFF000000u);
    short_indices.indices.assign(16, 0);
    EXPECT_FALSE(demotools::WriteAnimatedGif(short_indices, demotools::GifOptions{}, path, &error));
    EXPECT_FALSE(std::filesystem::exists(path));

    // A folder that is not there: an error, no crash.
    EXPECT_FALSE(demotools::WriteAnimatedGif(frames, demotools::GifOptions{}, (folder / "no" / "x.gif").string(), &error));
    EXPECT_FALSE(error.empty());
}

TEST(AnimatedGif, ALoopCountIsWrittenAsGiven) {
    std::string path = (integration::TestFolder() / "three.gif").string();
    demotools::GifOptions options;
    options.loop_count = 3;
    ASSERT_TRUE(demotools::WriteAnimatedGif(SweepFrames(2, 4, 4), options, path));
    DecodedGif gif = ReadGif(path);
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(LoopCount(gif.get()), 3);
}

}  // namespace
