// The preview's frame clock: frames at a steady rate, the host time a
// running simulation adds between two of them, and how fast frames were
// really drawn.
#pragma once

#include <string>

namespace preview {

// A stall longer than this (a dialog, a dragged window) moves the
// simulation on by this much only.
constexpr double kLongestFrameGap_s = 0.5;

class FramePacing {
public:
    explicit FramePacing(double frames_per_second) : period_s_(1.0 / frames_per_second) {}

    // True when a frame is due at this moment of a steady clock; the next
    // one is then due a period after this one was, or a period from now
    // when frames fell behind by more than a period.
    bool Due(double now_s);
    // The time since the previous due frame, at most kLongestFrameGap_s.
    double elapsed_s() const { return elapsed_s_; }

private:
    double period_s_;
    double next_s_ = -1.0;
    double previous_s_ = -1.0;
    double elapsed_s_ = 0.0;
};

// Frames drawn while the simulation ran, and the work they took.
class FrameStatistics {
public:
    // A frame with a new host time, drawn and shown from `start_s` to `end_s`.
    void Record(double start_s, double end_s);
    int frames() const { return frames_; }
    // Frames a second from the first recorded frame to the last.
    double FramesPerSecond() const;
    double AverageWork_ms() const;
    double LongestWork_ms() const { return longest_work_s_ * 1000.0; }
    // "frames: 180 in 10.0 s, 18.0 a second; drawing and showing one took 12.3 ms on average, 30.1 at most"
    std::string Summary() const;

private:
    int frames_ = 0;
    double first_start_s_ = 0.0;
    double last_start_s_ = 0.0;
    double work_s_ = 0.0;
    double longest_work_s_ = 0.0;
};

}  // namespace preview
