#include "wine_runs.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace winetest {
namespace {

namespace fs = std::filesystem;

constexpr int kWineTimeout_s = 300;

struct Environment {
    std::string name;
    std::string value;
};

int ExitStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

// Starts the program with its standard output and error going to `log`,
// in a process group of its own; the child's process id, or -1.
pid_t Start(const std::vector<std::string>& argv, const std::vector<Environment>& environment, const std::string& log) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        setpgid(0, 0);
        for (const Environment& variable : environment) setenv(variable.name.c_str(), variable.value.c_str(), 1);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || in < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        std::vector<char*> arguments;
        for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
        arguments.push_back(nullptr);
        execv(arguments[0], arguments.data());
        std::fprintf(stderr, "cannot start %s: %s\n", arguments[0], std::strerror(errno));
        _exit(127);
    }
    return child;
}

// Runs the program with its standard output and error going to `log`,
// waits for it and returns its exit status (128 + signal when killed).
int Run(const std::vector<std::string>& argv, const std::vector<Environment>& environment, const std::string& log) {
    const pid_t child = Start(argv, environment, log);
    if (child < 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) < 0) return -1;
    return ExitStatus(status);
}

std::string ReadWithoutCarriageReturns(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string cleaned;
    cleaned.reserve(text.size());
    for (char c : text) {
        if (c != '\r') cleaned.push_back(c);
    }
    return cleaned;
}

HostRun RunHost(const std::vector<std::string>& argv, const std::vector<Environment>& environment,
                const std::string& folder) {
    HostRun run;
    run.folder = folder;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string log = folder + ".log";
    run.exit_status = Run(argv, environment, log);
    run.output = ReadWithoutCarriageReturns(log);
    return run;
}

const char* PrefixName(Fonts fonts) {
    switch (fonts) {
        case Fonts::kPanel: return "panel";
        case Fonts::kWithoutTahoma: return "without-tahoma";
        case Fonts::kNone: return "no-fonts";
    }
    return "panel";
}

std::string WindowsBuildDir() { return UsesI686() ? RADAR_WIN32_DIR : RADAR_WIN64_DIR; }

}  // namespace

// Z:\ is the Unix root in every Wine prefix.
std::string WindowsPath(const std::string& unix_path) {
    std::string path = "Z:" + fs::absolute(unix_path).lexically_normal().string();
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool UsesI686() {
    const char* arch = std::getenv("RADAR_WINE_ARCH");
    return arch != nullptr && std::strcmp(arch, "i686") == 0;
}

std::vector<std::string> HostRun::FrameLines() const {
    std::vector<std::string> lines;
    std::istringstream text(output);
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("frame ", 0) == 0) lines.push_back(line);
    }
    return lines;
}

std::string HostRun::Describe() const {
    constexpr std::size_t kTail = 2000;
    std::string tail = output.size() > kTail ? "..." + output.substr(output.size() - kTail) : output;
    return "exit status " + std::to_string(exit_status) + ", output:\n" + tail;
}

HostOptions ScriptedRun() {
    return {"--size",  std::to_string(kScriptSize_px),
            "--frames", std::to_string(kScriptFrames),
            "--step",  "0.25",
            "--set",   "Radar Mode=2@2",
            "--click", "186,150@4",  // 10 NM east at range 40: (618.75, 500) of 1000
            "--set",   "Radar Range=20@6",
            "--set",   "Radar Mode=3@8",
            "--set",   "Radar Mode=4@" + std::to_string(kScriptFirstAltitudeFrame)};
}

const HostRun& ScriptedRunOnLinux() {
    static const HostRun run = RunOnLinux(ScriptedRun(), TestFolder("scripted_linux"));
    return run;
}

const HostRun& ScriptedRunUnderWine(Fonts fonts) {
    static std::map<Fonts, HostRun> runs;
    auto found = runs.find(fonts);
    if (found == runs.end()) {
        const std::string folder = TestFolder(std::string("scripted_wine_") + PrefixName(fonts));
        found = runs.emplace(fonts, RunUnderWine(fonts, ScriptedRun(), folder)).first;
    }
    return found->second;
}

HostRun RunOnLinux(const HostOptions& options, const std::string& folder) {
    std::vector<std::string> argv{RADAR_LINUX_PANEL_HOST, RADAR_LINUX_MODULE, "--scenario", RADAR_WINE_SKY};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.insert(argv.end(), {"--out", folder});
    return RunHost(argv, {}, folder);
}

HostRun RunUnderWine(Fonts fonts, const HostOptions& options, const std::string& folder, const std::string& debug) {
    const std::string prefix = std::string(RADAR_WINE_PREFIXES_DIR) + "/" + PrefixName(fonts);
    const std::string build = WindowsBuildDir();
    std::vector<std::string> argv{"/bin/bash", std::string(RADAR_WINE_TOOLS_DIR) + "/run_in_prefix.sh", prefix};
    if (UsesI686()) argv.push_back("--i686");
    argv.insert(argv.end(), {"--timeout", std::to_string(kWineTimeout_s), build + "/panel-host.exe",
                             WindowsPath(build + "/RadarGauge.gau"), "--scenario", WindowsPath(RADAR_WINE_SKY)});
    argv.insert(argv.end(), options.begin(), options.end());
    argv.insert(argv.end(), {"--out", WindowsPath(folder)});
    std::vector<Environment> environment;
    if (!debug.empty()) environment.push_back({"RADAR_WINEDEBUG", debug});
    return RunHost(argv, environment, folder);
}

RunningProgram::~RunningProgram() { Wait(0.0); }

bool RunningProgram::Ended() {
    if (process_id_ <= 0) return true;
    int status = 0;
    const pid_t ended = waitpid(process_id_, &status, WNOHANG);
    if (ended == 0) return false;
    exit_status_ = ended == process_id_ ? ExitStatus(status) : -1;
    process_id_ = -1;
    return true;
}

int RunningProgram::Wait(double timeout_s) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
    while (!Ended()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-process_id_, SIGKILL);
            waitpid(process_id_, nullptr, 0);
            process_id_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return exit_status_;
}

std::string RunningProgram::Output() const { return ReadWithoutCarriageReturns(log_); }

std::string PreviewProgram() { return std::string(RADAR_WIN64_DIR) + "/RadarPreview.exe"; }

std::string WindowsModulePath() { return WindowsPath(std::string(RADAR_WIN64_DIR) + "/RadarGauge.gau"); }

std::unique_ptr<RunningProgram> StartPreviewUnderWine(Fonts fonts, const std::vector<std::string>& arguments,
                                                      const std::string& display, const std::string& folder) {
    const std::string prefix =
        std::string(RADAR_WINE_PREFIXES_DIR) + (fonts == Fonts::kNone ? "/preview-no-fonts" : "/preview");
    std::vector<std::string> argv{"/bin/bash", std::string(RADAR_WINE_TOOLS_DIR) + "/run_in_prefix.sh", prefix,
                                  "--timeout", std::to_string(kWineTimeout_s), "--display", display, PreviewProgram()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::string log = folder + ".log";
    return std::make_unique<RunningProgram>(Start(argv, {}, log), log);
}

int RunCommand(const std::vector<std::string>& argv, std::string* output) {
    char log[] = "/tmp/radar-command-XXXXXX";
    const int descriptor = mkstemp(log);
    if (descriptor < 0) return -1;
    close(descriptor);
    const int status = Run(argv, {}, log);
    if (output) *output = ReadWithoutCarriageReturns(log);
    unlink(log);
    return status;
}

std::string TestFolder(const std::string& name) {
    const std::string folder = std::string(RADAR_WINE_RUNS_DIR) + "/" + (UsesI686() ? "i686/" : "x86_64/") + name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string FramePath(const std::string& folder, const std::string& gauge_file_name, int frame) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_f%04d.png", frame);
    return folder + "/" + gauge_file_name + suffix;
}

bool LoadFrame(const std::string& folder, const std::string& gauge_file_name, int frame, panelhost::Image* image) {
    return panelhost::LoadPng(FramePath(folder, gauge_file_name, frame), image);
}

}  // namespace winetest
