#include "gif_animation.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace demotools {
namespace {

bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

std::string GifError(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "giflib error " + std::to_string(code);
}

// A channel of a pixel shown over black.
std::uint8_t OverBlack(std::uint32_t argb, int shift) {
    std::uint32_t alpha = argb >> 24;
    std::uint32_t channel = (argb >> shift) & 0xFFu;
    return static_cast<std::uint8_t>(channel * alpha / 255u);
}

// The table's colours as the averages of the pixels given each entry: the
// quantiser keeps only five bits a channel, which would dull the radar's
// full-strength lines. Entries no pixel uses keep the quantiser's colour.
std::vector<std::uint32_t> MeanColours(const std::vector<GifByteType>& red, const std::vector<GifByteType>& green,
                                       const std::vector<GifByteType>& blue, const std::vector<std::uint8_t>& indices,
                                       const GifColorType* quantised) {
    struct Sum {
        std::uint64_t red = 0, green = 0, blue = 0, count = 0;
    };
    std::vector<Sum> sums(kGifColours);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        Sum& sum = sums[indices[i]];
        sum.red += red[i];
        sum.green += green[i];
        sum.blue += blue[i];
        ++sum.count;
    }
    std::vector<std::uint32_t> palette(kGifColours);
    for (int i = 0; i < kGifColours; ++i) {
        const Sum& sum = sums[static_cast<std::size_t>(i)];
        std::uint32_t r = quantised[i].Red, g = quantised[i].Green, b = quantised[i].Blue;
        if (sum.count > 0) {
            r = static_cast<std::uint32_t>((sum.red + sum.count / 2) / sum.count);
            g = static_cast<std::uint32_t>((sum.green + sum.count / 2) / sum.count);
            b = static_cast<std::uint32_t>((sum.blue + sum.count / 2) / sum.count);
        }
        palette[static_cast<std::size_t>(i)] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
    return palette;
}

// Owns what giflib's encoder opened; closing writes the trailer.
class GifWriter {
public:
    explicit GifWriter(const std::string& path) {
        // Opened here rather than by giflib, which would make the file
        // readable by its owner only.
        int handle = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (handle < 0) {
            open_error_ = E_GIF_ERR_OPEN_FAILED;
            return;
        }
        int code = 0;
        file_ = EGifOpenFileHandle(handle, &code);
        if (file_ == nullptr) {
            close(handle);
            open_error_ = code;
        }
    }
    ~GifWriter() {
        if (file_) Close(nullptr);
    }
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    GifFileType* file() const { return file_; }
    int open_error() const { return open_error_; }
    int last_error() const { return file_ ? file_->Error : open_error_; }

    bool Close(int* error_code) {
        int code = 0;
        int result = EGifCloseFile(file_, &code);  // frees the file record either way
        file_ = nullptr;
        if (error_code) *error_code = code;
        return result == GIF_OK;
    }

private:
    GifFileType* file_ = nullptr;
    int open_error_ = 0;
};

// The application extension that makes viewers play the frames in a loop.
bool PutLoopExtension(GifFileType* file, int loop_count) {
    static const char kNetscape[] = "NETSCAPE2.0";
    GifByteType loop[3] = {1, static_cast<GifByteType>(loop_count & 0xFF),
                           static_cast<GifByteType>((loop_count >> 8) & 0xFF)};
    return EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(file, 11, kNetscape) == GIF_OK && EGifPutExtensionBlock(file, 3, loop) == GIF_OK &&
           EGifPutExtensionTrailer(file) == GIF_OK;
}

bool PutFrame(GifFileType* file, const IndexedFrames& indexed, int frame, int delay_cs) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay_cs;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK) return false;
    if (EGifPutImageDesc(file, 0, 0, indexed.width, indexed.height, false, nullptr) != GIF_OK) return false;
    std::size_t frame_size = static_cast<std::size_t>(indexed.width) * static_cast<std::size_t>(indexed.height);
    // giflib takes the rows as writable buffers though it only reads them.
    std::vector<GifPixelType> row(static_cast<std::size_t>(indexed.width));
    for (int y = 0; y < indexed.height; ++y) {
        const std::uint8_t* source =
            indexed.indices.data() + frame_size * static_cast<std::size_t>(frame) + static_cast<std::size_t>(y) * indexed.width;
        std::memcpy(row.data(), source, row.size());
        if (EGifPutLine(file, row.data(), indexed.width) != GIF_OK) return false;
    }
    return true;
}

}  // namespace

bool CheckGifFrames(const std::vector<panelhost::Image>& frames, std::string* error) {
    if (frames.empty()) return Fail(error, "no frames for the animation");
    if (frames.size() > static_cast<std::size_t>(kMaxGifFrames)) {
        return Fail(error, "more than " + std::to_string(kMaxGifFrames) + " frames");
    }
    const panelhost::Image& first = frames.front();
    if (first.empty() || first.width > kMaxGifSide || first.height > kMaxGifSide) {
        return Fail(error, "frames must be 1 to " + std::to_string(kMaxGifSide) + " pixels a side");
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].width != first.width || frames[i].height != first.height ||
            frames[i].argb.size() != first.argb.size()) {
            return Fail(error, "frame " + std::to_string(i + 1) + " is not the size of the first frame");
        }
    }
    long long pixels = static_cast<long long>(first.width) * first.height * static_cast<long long>(frames.size());
    if (pixels > kMaxGifPixels) return Fail(error, "too many pixels for one animation");
    return true;
}

bool QuantizeFrames(const std::vector<panelhost::Image>& frames, IndexedFrames* indexed, std::string* error) {
    if (indexed == nullptr) return false;
    if (!CheckGifFrames(frames, error)) return false;
    const int width = frames.front().width;
    const int height = frames.front().height;
    // The frames stacked into one tall picture, one channel at a time.
    const std::size_t total = frames.front().argb.size() * frames.size();
    std::vector<GifByteType> red(total), green(total), blue(total);
    std::size_t at = 0;
    for (const panelhost::Image& frame : frames) {
        for (std::uint32_t pixel : frame.argb) {
            red[at] = OverBlack(pixel, 16);
            green[at] = OverBlack(pixel, 8);
            blue[at] = OverBlack(pixel, 0);
            ++at;
        }
    }
    IndexedFrames result;
    result.width = width;
    result.height = height;
    result.frame_count = static_cast<int>(frames.size());
    result.indices.resize(total);
    GifColorType colours[kGifColours] = {};
    int colour_count = kGifColours;
    const auto stacked_height = static_cast<unsigned int>(height) * static_cast<unsigned int>(frames.size());
    if (GifQuantizeBuffer(static_cast<unsigned int>(width), stacked_height, &colour_count, red.data(), green.data(),
                          blue.data(), result.indices.data(), colours) != GIF_OK) {
        return Fail(error, "colour quantisation failed");
    }
    result.palette = MeanColours(red, green, blue, result.indices, colours);
    *indexed = std::move(result);
    return true;
}

bool WriteAnimatedGif(const IndexedFrames& indexed, const GifOptions& options, const std::string& path,
                      std::string* error) {
    std::size_t frame_size = static_cast<std::size_t>(indexed.width) * static_cast<std::size_t>(indexed.height);
    if (indexed.width < 1 || indexed.height < 1 || indexed.width > kMaxGifSide || indexed.height > kMaxGifSide ||
        indexed.frame_count < 1 || indexed.frame_count > kMaxGifFrames ||
        indexed.indices.size() != frame_size * static_cast<std::size_t>(indexed.frame_count) ||
        indexed.palette.size() != static_cast<std::size_t>(kGifColours)) {
        return Fail(error, "the frames are not a usable animation");
    }
    if (options.delay_cs < kMinGifDelayCs || options.delay_cs > kMaxGifDelayCs) {
        return Fail(error, "the delay must be " + std::to_string(kMinGifDelayCs) + " to " +
                               std::to_string(kMaxGifDelayCs) + " hundredths of a second");
    }
    if (options.loop_count < 0 || options.loop_count > kMaxGifLoopCount) {
        return Fail(error, "the loop count must be 0 (forever) to " + std::to_string(kMaxGifLoopCount));
    }

    GifColorType colours[kGifColours];
    for (int i = 0; i < kGifColours; ++i) {
        std::uint32_t colour = indexed.palette[static_cast<std::size_t>(i)];
        colours[i].Red = static_cast<GifByteType>((colour >> 16) & 0xFFu);
        colours[i].Green = static_cast<GifByteType>((colour >> 8) & 0xFFu);
        colours[i].Blue = static_cast<GifByteType>(colour & 0xFFu);
    }
    ColorMapObject* map = GifMakeMapObject(kGifColours, colours);
    if (map == nullptr) return Fail(error, "out of memory for the colour table");

    GifWriter writer(path);
    const bool opened = writer.file() != nullptr;
    bool written = opened;
    if (written) {
        EGifSetGifVersion(writer.file(), true);
        written = EGifPutScreenDesc(writer.file(), indexed.width, indexed.height, 8, 0, map) == GIF_OK &&
                  PutLoopExtension(writer.file(), options.loop_count);
        for (int frame = 0; written && frame < indexed.frame_count; ++frame) {
            written = PutFrame(writer.file(), indexed, frame, options.delay_cs);
        }
    }
    GifFreeMapObject(map);
    int code = writer.last_error();
    if (writer.file() != nullptr) {
        int close_code = 0;
        bool closed = writer.Close(&close_code);
        if (written && !closed) code = close_code;
        written = written && closed;
    }
    if (!written) {
        if (opened) std::remove(path.c_str());  // no half-written animation left behind
        return Fail(error, "cannot write " + path + ": " + GifError(code));
    }
    return true;
}

bool WriteAnimatedGif(const std::vector<panelhost::Image>& frames, const GifOptions& options, const std::string& path,
                      std::string* error) {
    IndexedFrames indexed;
    return QuantizeFrames(frames, &indexed, error) && WriteAnimatedGif(indexed, options, path, error);
}

}  // namespace demotools
