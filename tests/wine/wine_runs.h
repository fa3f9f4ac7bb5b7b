// Runs of the panel host: the Linux build against libgdiplus, and the
// Windows build under Wine in one of the prefixes the suite prepares.
#pragma once

#include <string>
#include <vector>

#include "image.h"

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

// A fresh folder for the current test's files under the suite's run folder.
std::string TestFolder(const std::string& name);

constexpr const char* kGaugeFileNames[] = {"circular_amber", "circular_green", "rectangular_amber",
                                           "rectangular_green"};
// FOLDER/<gauge>_f<frame>.png, as the host names its pictures.
std::string FramePath(const std::string& folder, const std::string& gauge_file_name, int frame);
bool LoadFrame(const std::string& folder, const std::string& gauge_file_name, int frame, panelhost::Image* image);

}  // namespace winetest
