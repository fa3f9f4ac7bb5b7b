#include "frame_recording.h"

#include <dlfcn.h>

#include <filesystem>
#include <fstream>

namespace bench {
namespace {

using RecordedCallsFn = const void* (*)();
using ForgetCallsFn = void (*)();

// The recording module's two exports, found in the copy the panel host loaded.
struct RecorderAccess {
    RecordedCallsFn calls = nullptr;
    ForgetCallsFn forget = nullptr;
    void* handle = nullptr;

    explicit RecorderAccess(const std::string& path) {
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle == nullptr) return;
        calls = reinterpret_cast<RecordedCallsFn>(dlsym(handle, "RadarRecordedCalls"));
        forget = reinterpret_cast<ForgetCallsFn>(dlsym(handle, "RadarForgetRecordedCalls"));
    }
    ~RecorderAccess() {
        if (handle != nullptr) dlclose(handle);
    }
    bool ok() const { return calls != nullptr && forget != nullptr; }

    CallStream Take(StreamBuilder& builder) {
        CallStream stream = builder.Build(*static_cast<const std::vector<recorder::Call>*>(calls()));
        forget();
        return stream;
    }
};

}  // namespace

const FrameGroup* SkyRecording::Find(int mode, std::size_t size) const {
    for (const FrameGroup& group : groups)
        if (group.mode == mode && group.size == size) return &group;
    return nullptr;
}

const SkyRecording* Recording::Find(SkyCount sky) const {
    for (const SkyRecording& recorded : skies)
        if (recorded.sky.total() == sky.total()) return &recorded;
    return nullptr;
}

namespace {

bool RecordSky(const std::string& recording_module_path, const std::string& netplayer_path, SkyCount sky,
               SkyRecording& recorded, std::string& error) {
    FrameScene scene(recording_module_path, netplayer_path, sky);
    if (!scene.error().empty()) {
        error = scene.error();
        return false;
    }
    RecorderAccess recorder_access(recording_module_path);
    if (!recorder_access.ok()) {
        error = recording_module_path + " does not hand out its recorded calls";
        return false;
    }
    StreamBuilder builder;
    for (std::size_t i = 0; i < kSizes_px.size(); ++i)
        builder.NameDeviceContext(scene.device_context(i), static_cast<Slot>(i + 1));
    recorded.sky = sky;
    for (int mode : kModes) {
        if (!scene.SetMode(mode)) {
            error = scene.error();
            return false;
        }
        for (std::size_t size = 0; size < kSizes_px.size(); ++size) {
            recorded.segments.push_back(recorder_access.Take(builder));
            FrameGroup group{mode, size, recorded.segments.size(), kRecordedFramesPerGroup};
            for (std::size_t frame = 0; frame < kRecordedFramesPerGroup; ++frame) {
                scene.DrawNextFrame(size);
                recorded.segments.push_back(recorder_access.Take(builder));
            }
            recorded.groups.push_back(group);
        }
    }
    return true;
}

}  // namespace

Recording RecordFrames(const std::string& recording_module_path, const std::string& netplayer_path) {
    Recording recording;
    for (const SkyCount& sky : kSkyCounts) {
        recording.skies.emplace_back();
        if (!RecordSky(recording_module_path, netplayer_path, sky, recording.skies.back(), recording.error))
            break;
    }
    return recording;
}

bool DumpRecording(const Recording& recording, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const SkyRecording& sky : recording.skies) {
        for (const FrameGroup& group : sky.groups) {
            const std::string name = folder + "/m" + std::to_string(group.mode) + "_t" +
                                     std::to_string(sky.sky.total()) + "_s" + std::to_string(kSizes_px[group.size]) +
                                     ".txt";
            std::ofstream out(name);
            for (std::size_t k = 0; k < group.frame_count; ++k) {
                out << "# frame " << k << "\n";
                WriteStream(out, sky.segments[group.first_segment + k]);
            }
            if (!out) return false;
        }
    }
    return true;
}

}  // namespace bench
