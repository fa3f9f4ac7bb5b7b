// The frame benchmark. First a recording run: the recording variant of the
// module draws every sky, mode and size through the panel host and hands
// over its GDI+ calls. Then the built module draws the same frames on the
// panel host's libgdiplus surfaces, and in the same run the baselines: the
// recorded calls of those frames replayed straight into libgdiplus on the
// same surfaces, and a clear of each surface alone. Last, for each sky, the
// split pass: the same frames drawn once more with every call the module
// makes to GDI+ and to the host's services timed, which says where the
// frame's time goes.
//
//   frame_bench [--dump-streams DIR] [benchmark options]
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "call_replay.h"
#include "call_timing.h"
#include "frame_recording.h"
#include "frame_scene.h"
#include "platform/float_environment.h"
#include "platform/loaded_module.h"

namespace bench {
namespace {

constexpr int kRepetitions = 9;
constexpr double kMinSecondsPerRepetition = 0.1;
// A third of the split's frames each give the host's share; it is the
// difference of two means and needs more of them.
constexpr double kMinSecondsPerSplitRepetition = 0.4;
constexpr double kRebuildRange_nm = kRange_nm + 0.5;
constexpr gdip::Argb kClearColour = 0xFF001400u;  // the green scheme's background
constexpr std::size_t kSize512 = 1;

// The scene of one sky at a time (one panel host is active in a process),
// with the replay that follows that sky's recording.
struct Bench {
    Recording recording;
    std::unique_ptr<FrameScene> scene;
    std::unique_ptr<Replayer> replayer;
    const SkyRecording* recorded = nullptr;
    std::size_t followed_segments = 0;
    int mode = 0;
};

Bench* the_bench = nullptr;

bool EnsureScene(benchmark::State& state, SkyCount sky, int mode, Services services = Services::kPlain) {
    Bench& bench = *the_bench;
    if (!bench.scene || bench.scene->sky().total() != sky.total() || bench.scene->services() != services) {
        bench.replayer.reset();
        bench.scene.reset();  // its panel host first, before the next one
        bench.scene = std::make_unique<FrameScene>(RADAR_MODULE_PATH, NETPLAYER_MODULE_PATH, sky, services);
        if (!bench.scene->error().empty()) {
            state.SkipWithError(bench.scene->error().c_str());
            bench.scene.reset();
            return false;
        }
        std::vector<gdip::Hdc> surfaces;
        for (std::size_t i = 0; i < kSizes_px.size(); ++i) surfaces.push_back(bench.scene->device_context(i));
        bench.replayer = std::make_unique<Replayer>(surfaces);
        bench.recorded = bench.recording.Find(sky);
        bench.followed_segments = 0;
        bench.mode = 0;
    }
    if (bench.mode != mode) {
        if (!bench.scene->SetMode(mode)) {
            state.SkipWithError(bench.scene->error().c_str());
            return false;
        }
        bench.mode = mode;
    }
    return true;
}

// Brings the replay's objects up to the state they had when the group's
// frames were recorded (segments already followed are not followed again).
void FollowUpTo(std::size_t end_segment) {
    Bench& bench = *the_bench;
    for (; bench.followed_segments < end_segment; ++bench.followed_segments)
        bench.replayer->Follow(bench.recorded->segments[bench.followed_segments]);
}

// The two timed halves of a pair, kept out of line so that a profiler can
// tell them apart (valgrind --toggle-collect='*TimedFrame*').
[[gnu::noinline]] void DrawTimedFrame(FrameScene& scene, std::size_t size) { scene.DrawNextFrame(size); }
[[gnu::noinline]] void ReplayTimedFrame(Replayer& replayer, const CallStream& frame) { replayer.Play(frame); }

// This thread's processor time: what the frame costs the host's panel
// thread, unlike wall time, which other processes on a shared machine stretch.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A drawn frame and its replay, measured in pairs: each iteration draws the
// next frame through the module, then replays the recorded calls of the
// frame at the same place in the recorded cycle, so that both meet the same
// conditions. The benchmark's time is the frame's; the replay's time and
// the ratio are counters.
// The recorded frames of a group, with the replay's objects brought up to
// them; null (and the benchmark skipped) when there are none.
const FrameGroup* ReplayGroup(benchmark::State& state, int mode, std::size_t size) {
    const FrameGroup* group = the_bench->recorded ? the_bench->recorded->Find(mode, size) : nullptr;
    if (group == nullptr) {
        state.SkipWithError("no recorded frames");
        return nullptr;
    }
    FollowUpTo(group->first_segment + group->frame_count);
    return group;
}

void FrameAndReplay(benchmark::State& state, SkyCount sky, int mode, std::size_t size) {
    if (!EnsureScene(state, sky, mode)) return;
    const FrameGroup* group = ReplayGroup(state, mode, size);
    if (group == nullptr) return;
    FrameScene& scene = *the_bench->scene;
    Replayer& replayer = *the_bench->replayer;
    const CallStream* frames = &the_bench->recorded->segments[group->first_segment];
    const long failures_before = replayer.failures();
    double frame_s = 0.0;
    double replay_s = 0.0;
    std::size_t k = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        DrawTimedFrame(scene, size);
        const double drawn = ThreadSeconds();
        ReplayTimedFrame(replayer, frames[k]);
        const double replayed = ThreadSeconds();
        if (++k == group->frame_count) k = 0;
        state.SetIterationTime(drawn - start);
        frame_s += drawn - start;
        replay_s += replayed - drawn;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["targets"] = sky.total();
    state.counters["replay_us"] = replay_s / iterations * 1e6;
    state.counters["ratio"] = replay_s > 0.0 ? frame_s / replay_s : 0.0;
    state.counters["gdiplus_calls"] = static_cast<double>(frames[0].calls.size());
    state.counters["failed_calls"] = static_cast<double>(replayer.failures() - failures_before) / iterations;
}

// The split pass: the pairs of FrameAndReplay, drawn in a scene whose
// module calls GDI+ and the host's services through taps, so that the
// frames meet the same conditions (each after a replay) as there. Its
// frames take turns, changing every frame and turning over every 18 frames
// (one host second), so that the frames that rebuild the list fall to all
// three alike:
// - timed: every GDI+ call and every host service timed, the cost of the
//   timing itself taken off; the counters give, per frame, the time inside
//   GDI+ (`gdiplus_us`) and the calls of each kind. Their time is the
//   frame's, with the timing in it.
// - plain and repeating: nothing timed; in the repeating frames every host
//   service that only reads or writes values does its work four times more
//   (HostServiceRepeats). `host_us` is a quarter of what a repeating frame
//   takes more above the replay of its drawing than a plain one, with the
//   loader's timed calls added. Timing each call cannot say it: for calls of a few
//   nanoseconds the processor overlaps the call with the clock readings
//   around it (`host_timed_us` is what the timing gives).
//
// The calls are timed by the wall clock, the frame by the thread's
// processor time. A frame taken off the processor while it ran (its wall
// time more than 5 µs + 2 % above its processor time) may hold another
// process's time in whichever call was running then, and is left out of
// the split; `kept_frames` says how many were kept (none: the counters are 0).
enum class SplitTurn { kTimed, kPlain, kRepeating };

SplitTurn TurnOf(std::uint64_t iteration) {
    switch ((iteration + iteration / kFramesPerHostSecond) % 3) {
        case 0: return SplitTurn::kTimed;
        case 1: return SplitTurn::kPlain;
        default: return SplitTurn::kRepeating;
    }
}

void FrameSplit(benchmark::State& state, SkyCount sky, int mode, std::size_t size) {
    if (!EnsureScene(state, sky, mode, Services::kTimed)) return;
    const FrameGroup* group = ReplayGroup(state, mode, size);
    if (group == nullptr) return;
    FrameScene& scene = *the_bench->scene;
    Replayer& replayer = *the_bench->replayer;
    const CallStream* recorded = &the_bench->recorded->segments[group->first_segment];
    std::size_t k = 0;
    const double timing_ticks = TimingTicksPerCall();
    const double ticks_per_s = TicksPerSecond();
    CallTotals& totals = TheCallTotals();
    double inside_s[kCallKindCount] = {};
    double calls[kCallKindCount] = {};
    double frame_s = 0.0;
    double above_replay_s[3] = {};  // by turn
    std::uint64_t kept[3] = {};
    std::uint64_t iteration = 0;
    for (auto _ : state) {
        const SplitTurn turn = TurnOf(iteration++);
        TimingCalls() = turn == SplitTurn::kTimed;
        HostServiceRepeats() = turn == SplitTurn::kRepeating ? kHostServiceRepeats : 0;
        totals = CallTotals{};
        const std::uint64_t wall_start = Ticks();
        const double start = ThreadSeconds();
        DrawTimedFrame(scene, size);
        const double drawn = ThreadSeconds();
        const std::uint64_t wall_end = Ticks();
        TimingCalls() = true;
        HostServiceRepeats() = 0;
        const double replay_start = ThreadSeconds();
        ReplayTimedFrame(replayer, recorded[k]);
        const double replayed = ThreadSeconds();
        if (++k == group->frame_count) k = 0;
        state.SetIterationTime(drawn - start);
        const double wall_s = static_cast<double>(wall_end - wall_start) / ticks_per_s;
        if (wall_s - (drawn - start) > (drawn - start) * 0.02 + 5e-6) continue;
        const auto t = static_cast<std::size_t>(turn);
        ++kept[t];
        // Above the replay of the same drawing: what the drawing costs drops
        // out, and with it most of what differs from frame to frame.
        above_replay_s[t] += (drawn - start) - (replayed - replay_start);
        if (turn != SplitTurn::kTimed) continue;
        frame_s += drawn - start;
        for (std::size_t kind = 0; kind < kCallKindCount; ++kind) {
            const double ticks = static_cast<double>(totals.ticks[kind]) -
                                 static_cast<double>(totals.calls[kind]) * timing_ticks;
            inside_s[kind] += ticks / ticks_per_s;
            calls[kind] += static_cast<double>(totals.calls[kind]);
        }
    }
    const auto kTimed = static_cast<std::size_t>(SplitTurn::kTimed);
    const auto kPlain = static_cast<std::size_t>(SplitTurn::kPlain);
    const auto kRepeating = static_cast<std::size_t>(SplitTurn::kRepeating);
    const double frames = kept[kTimed] > 0 ? static_cast<double>(kept[kTimed]) : 1.0;
    const double all_calls = calls[kGdiplusCall] + calls[kHostServiceCall] + calls[kLoaderCall];
    const double timing_us = all_calls * timing_ticks / ticks_per_s / frames * 1e6;
    const double frame_us = frame_s / frames * 1e6 - timing_us;
    const double gdiplus_us = inside_s[kGdiplusCall] / frames * 1e6;
    const double loader_us = inside_s[kLoaderCall] / frames * 1e6;
    const double host_timed_us = inside_s[kHostServiceCall] / frames * 1e6 + loader_us;
    const bool both = kept[kPlain] > 0 && kept[kRepeating] > 0;
    const double repeated_us =
        both ? (above_replay_s[kRepeating] / kept[kRepeating] - above_replay_s[kPlain] / kept[kPlain]) * 1e6 /
                   kHostServiceRepeats
             : 0.0;
    const double host_us = std::max(repeated_us, 0.0) + loader_us;
    state.counters["targets"] = sky.total();
    state.counters["gdiplus_us"] = gdiplus_us;
    state.counters["host_us"] = host_us;
    state.counters["host_timed_us"] = host_timed_us;
    state.counters["module_us"] = frame_us - gdiplus_us - host_us;
    state.counters["frame_us"] = frame_us;
    state.counters["timing_us"] = timing_us;
    state.counters["gdiplus_calls"] = calls[kGdiplusCall] / frames;
    state.counters["host_calls"] = (calls[kHostServiceCall] + calls[kLoaderCall]) / frames;
    const double all_kept = static_cast<double>(kept[kTimed] + kept[kPlain] + kept[kRepeating]);
    state.counters["kept_frames"] = all_kept / static_cast<double>(state.iterations());
}

void ClearedSurface(benchmark::State& state, std::size_t size) {
    if (!EnsureScene(state, kSkyCounts.front(), kModes.front())) return;
    gdip::GpGraphics* graphics = nullptr;
    gdip::GdipCreateFromHDC(the_bench->scene->device_context(size), &graphics);
    if (graphics == nullptr) {
        state.SkipWithError("no Graphics on the surface");
        return;
    }
    for (auto _ : state) gdip::GdipGraphicsClear(graphics, kClearColour);
    gdip::GdipDeleteGraphics(graphics);
}

void UnchangedHostTime(benchmark::State& state, SkyCount sky, int mode) {
    if (!EnsureScene(state, sky, mode)) return;
    FrameScene& scene = *the_bench->scene;
    scene.DrawNextFrame(kSize512);
    for (auto _ : state) scene.DrawUnchangedFrame(kSize512);
}

// A pre-draw service with the host time unchanged whose range change makes
// the radar rebuild its list from both of the panel host's sources.
void TrafficRebuild(benchmark::State& state, SkyCount sky, int mode) {
    if (!EnsureScene(state, sky, mode)) return;
    FrameScene& scene = *the_bench->scene;
    scene.DrawNextFrame(kSize512);
    bool wider = false;
    for (auto _ : state) {
        wider = !wider;
        scene.SetRange(wider ? kRebuildRange_nm : kRange_nm);
        scene.DrawUnchangedFrame(kSize512);
    }
    scene.SetRange(kRange_nm);
    scene.DrawUnchangedFrame(kSize512);
    state.counters["targets"] = sky.total();
}

// The look-up of the network-player module that every drawn frame makes,
// for a module that is loaded and for one that is not.
void NetModuleLookup(benchmark::State& state, const char* name) {
    platform::ModuleSearchMemo memo;
    for (auto _ : state) benchmark::DoNotOptimize(platform::FindLoadedModule(memo, name));
}

// What every call from the host pays to compute in the module's own
// floating-point state and hand the host's back.
void FloatEnvironmentSwitch(benchmark::State& state) {
    for (auto _ : state) {
        const platform::ModuleFloatEnvironment environment;
        benchmark::ClobberMemory();
    }
}

benchmark::internal::Benchmark* Configure(benchmark::internal::Benchmark* benchmark) {
    return benchmark->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true)
        ->MinTime(kMinSecondsPerRepetition)
        ->Unit(benchmark::kMicrosecond);
}

std::string Suffix(SkyCount sky) { return "/t" + std::to_string(sky.total()); }

std::string FrameName(int mode, SkyCount sky, std::size_t size) {
    return "/m" + std::to_string(mode) + Suffix(sky) + "/s" + std::to_string(kSizes_px[size]);
}

void RegisterAll() {
    for (std::size_t size = 0; size < kSizes_px.size(); ++size)
        Configure(benchmark::RegisterBenchmark(("clear/s" + std::to_string(kSizes_px[size])).c_str(), ClearedSurface,
                                               size));
    for (const SkyCount& sky : kSkyCounts) {
        for (int mode : kModes) {
            for (std::size_t size = 0; size < kSizes_px.size(); ++size) {
                Configure(benchmark::RegisterBenchmark(("frame" + FrameName(mode, sky, size)).c_str(), FrameAndReplay,
                                                       sky, mode, size))
                    ->UseManualTime();
            }
        }
        const int last_mode = kModes.back();
        Configure(benchmark::RegisterBenchmark(("traffic_rebuild" + Suffix(sky)).c_str(), TrafficRebuild, sky,
                                               last_mode));
        if (sky.total() == kSkyCounts.back().total())
            Configure(benchmark::RegisterBenchmark(("unchanged_host_time" + Suffix(sky) + "/s512").c_str(),
                                                   UnchangedHostTime, sky, last_mode));
        // Last for the sky: its scene with timed services replaces the plain
        // one once. Without import redirection there is no split.
        if (!kImportRedirection) continue;
        for (int mode : kModes) {
            for (std::size_t size = 0; size < kSizes_px.size(); ++size) {
                Configure(benchmark::RegisterBenchmark(("split" + FrameName(mode, sky, size)).c_str(), FrameSplit,
                                                       sky, mode, size))
                    ->MinTime(kMinSecondsPerSplitRepetition)
                    ->UseManualTime();
            }
        }
    }
    Configure(benchmark::RegisterBenchmark("net_module_lookup/loaded", NetModuleLookup, sim::kNetPlayerModuleName));
    Configure(benchmark::RegisterBenchmark("net_module_lookup/absent", NetModuleLookup, "NoSuchModule.gau"));
    Configure(benchmark::RegisterBenchmark("float_environment/switch", FloatEnvironmentSwitch))->Unit(benchmark::kNanosecond);
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    std::string dump_folder;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--dump-streams") == 0) {
            dump_folder = argv[i + 1];
            for (int j = i; j + 2 < argc; ++j) argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    bench::Bench bench;
    bench::the_bench = &bench;
    std::fprintf(stderr, "Recording the frames' GDI+ calls...\n");
    bench.recording = bench::RecordFrames(RECORDING_MODULE_PATH, NETPLAYER_MODULE_PATH);
    if (!bench.recording.error.empty()) {
        std::fprintf(stderr, "recording failed: %s\n", bench.recording.error.c_str());
        return 1;
    }
    if (!dump_folder.empty() && !bench::DumpRecording(bench.recording, dump_folder)) {
        std::fprintf(stderr, "cannot write the call streams to %s\n", dump_folder.c_str());
        return 1;
    }

    bench::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench.replayer.reset();
    bench.scene.reset();
    return 0;
}
