// Runs of the panel host: the Linux build against libgdiplus, and the
// Windows build under Wine in one of the prefixes the suite prepares.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"

namespace winetest {

// The Windows build the Wine runs use: x86_64 (build/win64) unless the
// environment says RADAR_WINE_ARCH=i686 (build/win32, 32-bit loader).
bool UsesI686();

// The prefixes tools/wine/prepare_prefix.sh makes for the suite, by font set.
enum class Fonts { kPanel, kWithoutTahoma, kNone };

struct HostRun {
    int exit_status = -1;
    std::string output;  // standard output and error, without carriage returns
    std::string folder;  // where the frames were written

    std::vector<std::string> FrameLines() const;  // "frame N t=... | ..." in order
    std::string Describe() const;                 // exit status and the output's end, for failures
};

// Host options shared by both platforms; the module, the sky and the
// output folder are added per platform.
using HostOptions = std::vector<std::string>;

// The scripted run: the four gauges over the fixed sky, plan display from
// frame 2, a click on the aircraft 10 NM east after frame 4, "Radar Range"
// 20 from frame 6, sector display from frame 8, altitude display from 12.
constexpr int kScriptSize_px = 300;
constexpr int kScriptFrames = 16;
constexpr int kScriptFirstAltitudeFrame = 12;
HostOptions ScriptedRun();

// The scripted run, made once per program run (and per font set under
// Wine) and shared by the tests that read it: a Wine start is costly where
// 32-bit code runs under emulation.
const HostRun& ScriptedRunOnLinux();
const HostRun& ScriptedRunUnderWine(Fonts fonts);

HostRun RunOnLinux(const HostOptions& options, const std::string& folder);
// `debug` sets Wine's debug channels (e.g. "+gdiplus"); empty keeps Wine quiet.
HostRun RunUnderWine(Fonts fonts, const HostOptions& options, const std::string& folder,
                     const std::string& debug = {});

// A Windows program started under Wine in the background, on an X display,
// and driven while it runs. It is killed if it still runs when this goes.
class RunningProgram {
public:
    RunningProgram(int process_id, std::string log) : process_id_(process_id), log_(std::move(log)) {}
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // True once the program has ended.
    bool Ended();
    // The exit status once the program has ended, waiting at most this
    // long; -1, and the program killed, when it had not.
    int Wait(double timeout_s);
    // Standard output and error so far, without carriage returns.
    std::string Output() const;

private:
    int process_id_;
    std::string log_;
    int exit_status_ = -1;
};

// RadarPreview.exe of the Windows build, in a prefix of the preview's own
// with these fonts (its Wine server is stopped with the display; kPanel
// or kNone), with these arguments and its windows on `display`. The
// output goes to FOLDER.log.
std::unique_ptr<RunningProgram> StartPreviewUnderWine(Fonts fonts, const std::vector<std::string>& arguments,
                                                      const std::string& display, const std::string& folder);
std::string PreviewProgram();
std::string WindowsModulePath();

// Runs a Linux program to its end; its exit status, with standard output
// and error in `output`.
int RunCommand(const std::vector<std::string>& argv, std::string* output);

// Z:\ and the absolute path: a Linux path as the Windows program sees it.
std::string WindowsPath(const std::string& unix_path);

// A fresh folder for the current test's files under the suite's run folder.
std::string TestFolder(const std::string& name);

constexpr const char* kGaugeFileNames[] = {"circular_amber", "circular_green", "rectangular_amber",
                                           "rectangular_green"};
// FOLDER/<gauge>_f<frame>.png, as the host names its pictures.
std::string FramePath(const std::string& folder, const std::string& gauge_file_name, int frame);
bool LoadFrame(const std::string& folder, const std::string& gauge_file_name, int frame, panelhost::Image* image);

}  // namespace winetest
