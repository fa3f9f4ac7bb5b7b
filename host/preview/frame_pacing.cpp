#include "frame_pacing.h"

#include <algorithm>
#include <cstdio>

namespace preview {

bool FramePacing::Due(double now_s) {
    if (next_s_ >= 0.0 && now_s < next_s_) return false;
    next_s_ = next_s_ < 0.0 || now_s - next_s_ > period_s_ ? now_s + period_s_ : next_s_ + period_s_;
    elapsed_s_ = previous_s_ < 0.0 ? 0.0 : std::clamp(now_s - previous_s_, 0.0, kLongestFrameGap_s);
    previous_s_ = now_s;
    return true;
}

void FrameStatistics::Record(double start_s, double end_s) {
    if (frames_ == 0) first_start_s_ = start_s;
    ++frames_;
    last_start_s_ = start_s;
    const double work_s = std::max(end_s - start_s, 0.0);
    work_s_ += work_s;
    longest_work_s_ = std::max(longest_work_s_, work_s);
}

double FrameStatistics::FramesPerSecond() const {
    const double span_s = last_start_s_ - first_start_s_;
    return frames_ > 1 && span_s > 0.0 ? (frames_ - 1) / span_s : 0.0;
}

double FrameStatistics::AverageWork_ms() const { return frames_ > 0 ? work_s_ / frames_ * 1000.0 : 0.0; }

std::string FrameStatistics::Summary() const {
    char text[200];
    std::snprintf(text, sizeof text,
                  "frames: %d in %.1f s, %.1f a second; drawing and showing one took %.1f ms on average, %.1f at most",
                  frames_, last_start_s_ - first_start_s_, FramesPerSecond(), AverageWork_ms(), LongestWork_ms());
    return text;
}

}  // namespace preview
