// The recording run: the recording variant of the module, driven through
// the same scene and the same frames as the benchmark, hands over every
// GDI+ call it made. The calls come as segments in the order they were
// made: set-up (everything between the recorded frames) and frames.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "call_stream.h"
#include "frame_scene.h"

namespace bench {

constexpr std::size_t kRecordedFramesPerGroup = 72;  // one full turn of the plan display's sweep

struct FrameGroup {
    int mode;
    std::size_t size;                 // index into kSizes_px
    std::size_t first_segment;        // its frames, one segment each
    std::size_t frame_count;
};

// Everything one scene (one sky) recorded, from the module's load on.
struct SkyRecording {
    SkyCount sky;
    std::vector<CallStream> segments;
    std::vector<FrameGroup> groups;

    const FrameGroup* Find(int mode, std::size_t size) const;
};

struct Recording {
    std::vector<SkyRecording> skies;
    std::string error;

    const SkyRecording* Find(SkyCount sky) const;
};

// Records every sky, mode and size, in the benchmark's order.
Recording RecordFrames(const std::string& recording_module_path, const std::string& netplayer_path);

// Writes each group's frames to `folder`/m<mode>_t<targets>_s<size>.txt.
bool DumpRecording(const Recording& recording, const std::string& folder);

}  // namespace bench
