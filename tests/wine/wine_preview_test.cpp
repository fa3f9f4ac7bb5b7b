// RadarPreview.exe, the live preview, run for real: the x86_64 build under
// Wine in an X server (run_preview.sh starts an Xvfb), driven by real input
// events and read back by screenshots. What it shows and publishes must be
// what the command-line panel host draws and publishes for the same sky,
// host times, clicks and control writes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "bench_scenario.h"
#include "gdiplus_agreement.h"
#include "image/gdiplus_startup.h"
#include "cli/panel_session.h"
#include "wine_runs.h"
#include "x_display.h"

namespace winetest {
namespace {

using panelhost::Image;
using Clock = std::chrono::steady_clock;

constexpr const char* kWindowTitle = "Radar Preview";
constexpr double kStartTimeout_s = 120.0;
constexpr double kActionTimeout_s = 30.0;

// The script both hosts follow: plan display from frame 2, every gauge
// clicked at the aircraft 10 NM east after frame 4, "Radar Range" halved
// to 20 and the sector display from frame 6, the altitude display at 7.
constexpr int kScriptSide_px = 300;
constexpr int kResizedSide_px = 200;
constexpr int kClickX_px = 186;
constexpr int kClickY_px = 150;
// Around the clicked aircraft: its symbol and the selection frame.
constexpr int kSelectionWindow_px = 25;

HostOptions PanelHostScript(int side_px, bool with_click) {
    HostOptions options{"--size", std::to_string(side_px), "--frames", "7", "--step", "0.25",
                        "--set", "Radar Mode=2@2", "--set", "Radar Range=20@6", "--set", "Radar Mode=3@6",
                        "--set", "Radar Mode=4@7"};
    if (with_click) options.insert(options.end(), {"--click", std::to_string(kClickX_px) + "," + std::to_string(kClickY_px) + "@4"});
    return options;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Measurements for the reliability summary, where run_preview.sh asks for them.
void RecordMeasure(const std::string& key, const std::string& value) {
    std::cout << key << "=" << value << std::endl;
    if (const char* path = std::getenv("RADAR_PREVIEW_MEASURES")) std::ofstream(path, std::ios::app) << key << "=" << value << "\n";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct ShownGauge {
    std::string name;
    ScreenBox box;  // on the screen
};

// One run of the preview, with the lines its report has written so far.
class Preview {
public:
    Preview(const std::string& name, std::vector<std::string> arguments, Fonts fonts = Fonts::kPanel)
        : folder_(TestFolder(name)) {
        report_ = folder_ + "/report.txt";
        arguments.insert(arguments.end(), {"--report", WindowsPath(report_)});
        started_ = Clock::now();
        program_ = StartPreviewUnderWine(fonts, arguments, TestDisplay(), folder_);
    }

    const std::string& folder() const { return folder_; }
    double seconds_running() const { return SecondsSince(started_); }

    std::vector<std::string> ReportLines() const {
        std::ifstream file(report_, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return Lines(text.str());
    }
    // From here on, Find and WaitFor look only at lines written after this moment.
    void Mark() { seen_ = ReportLines().size(); }
    // The first line since the mark that starts with `start`, or empty.
    std::string Find(const std::string& start) const {
        const std::vector<std::string> lines = ReportLines();
        for (std::size_t i = seen_; i < lines.size(); ++i) {
            if (lines[i].rfind(start, 0) == 0) return lines[i];
        }
        return {};
    }
    // The same, waiting for it while the program runs.
    std::string WaitFor(const std::string& start, double timeout_s = kActionTimeout_s) {
        const Clock::time_point begin = Clock::now();
        for (;;) {
            const bool ended = program_->Ended();
            std::string line = Find(start);
            if (!line.empty() || ended || SecondsSince(begin) >= timeout_s) return line;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    std::vector<std::string> FrameLines() const {
        std::vector<std::string> frames;
        for (const std::string& line : ReportLines()) {
            if (line.rfind("frame ", 0) == 0) frames.push_back(line);
        }
        return frames;
    }
    // The client area, the gauges and the notes, as the last layout line
    // gives them.
    bool Layout(ScreenBox* client, std::vector<ShownGauge>* gauges, ScreenBox* notes = nullptr) const;
    // The report's lines from the mark on, one text.
    std::string TextSinceMark() const {
        const std::vector<std::string> lines = ReportLines();
        std::string text;
        for (std::size_t i = seen_; i < lines.size(); ++i) text += lines[i] + "\n";
        return text;
    }

    int Wait(double timeout_s) { return program_->Wait(timeout_s); }
    std::string Describe() const {
        std::string text = "report:\n";
        for (const std::string& line : ReportLines()) text += line.substr(0, 240) + "\n";
        return text + "output:\n" + program_->Output();
    }

private:
    std::string folder_;
    std::string report_;
    Clock::time_point started_;
    std::unique_ptr<RunningProgram> program_;
    std::size_t seen_ = 0;
};

bool Preview::Layout(ScreenBox* client, std::vector<ShownGauge>* gauges, ScreenBox* notes) const {
    const std::vector<std::string> lines = ReportLines();
    std::size_t last = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("layout client=", 0) == 0) last = i;
    }
    if (last == lines.size()) return false;
    int side = 0;
    if (std::sscanf(lines[last].c_str(), "layout client=%d,%d %dx%d gauge=%d", &client->x, &client->y, &client->width,
                    &client->height, &side) != 5) {
        return false;
    }
    gauges->clear();
    std::size_t i = last + 1;
    for (; i < lines.size() && lines[i].rfind("gauge ", 0) == 0; ++i) {
        const std::size_t open = lines[i].find('"');
        const std::size_t close = lines[i].find('"', open + 1);
        ShownGauge gauge;
        gauge.name = lines[i].substr(open + 1, close - open - 1);
        if (std::sscanf(lines[i].c_str() + close + 1, " at %d,%d %dx%d", &gauge.box.x, &gauge.box.y, &gauge.box.width,
                        &gauge.box.height) != 4) {
            return false;
        }
        gauge.box.x += client->x;
        gauge.box.y += client->y;
        gauges->push_back(gauge);
    }
    if (notes != nullptr) {
        if (i == lines.size() || std::sscanf(lines[i].c_str(), "notes at %d,%d %dx%d", &notes->x, &notes->y,
                                             &notes->width, &notes->height) != 4) {
            return false;
        }
        notes->x += client->x;
        notes->y += client->y;
    }
    return !gauges->empty();
}

std::string FramePathOf(const HostRun& run, const std::string& gauge, int frame) {
    return run.folder + "/" + panelhost::FrameFileName(gauge, 1, 1, frame);
}

Image LoadImage(const std::string& path) {
    Image image;
    panelhost::LoadPng(path, &image);
    return image;
}

TextMask NoText(const Image& frame) {
    TextMask mask;
    mask.width = frame.width;
    mask.height = frame.height;
    mask.text.assign(frame.argb.size(), false);
    return mask;
}

// The shown gauge agrees with the panel host's frame outside the text; on
// failure the three-panel picture is written next to the run.
void ExpectAgreement(const Image& shown, const Image& drawn, const TextMask& mask, const std::string& picture) {
    const Agreement agreement = CompareGeometry(drawn, shown, mask, kGdiplusAgreement);
    if (!agreement.Within(kGdiplusAgreement)) {
        panelhost::SavePng(SideBySide(drawn, shown, mask, kGdiplusAgreement), picture);
        ADD_FAILURE() << agreement.Describe() << "; panel host | preview | disagreement: " << picture;
    }
}

struct References {
    HostRun linux_run;     // the script on libgdiplus
    HostRun unclicked;     // the same without the click
    HostRun fontless;      // the script under Wine without fonts: where the text is
};

// Every gauge of the screenshot against frame `frame` of the panel host.
void ExpectGaugesAgree(const Image& screen, const std::vector<ShownGauge>& gauges, const References& references,
                       int frame, const std::string& folder) {
    for (const ShownGauge& gauge : gauges) {
        SCOPED_TRACE(gauge.name + ", frame " + std::to_string(frame));
        const Image shown = Crop(screen, gauge.box);
        const Image drawn = LoadImage(FramePathOf(references.linux_run, gauge.name, frame));
        const Image fontless = LoadImage(FramePathOf(references.fontless, gauge.name, frame));
        ASSERT_FALSE(shown.empty());
        ASSERT_FALSE(drawn.empty());
        ASSERT_EQ(shown.width, drawn.width);
        ExpectAgreement(shown, drawn, TextMaskFrom(shown, fontless, kTextMargin_px),
                        folder + "/difference_" + panelhost::FrameFileName(gauge.name, 1, 1, frame));
    }
}

// The pixels around the clicked aircraft agree with the selected frame
// and not with the same frame unselected: the selection frame is on the
// screen.
void ExpectSelectionShown(const Image& screen, const std::vector<ShownGauge>& gauges, const References& references,
                          int frame) {
    const ScreenBox around{kClickX_px - kSelectionWindow_px / 2, kClickY_px - kSelectionWindow_px / 2,
                           kSelectionWindow_px, kSelectionWindow_px};
    for (const ShownGauge& gauge : gauges) {
        SCOPED_TRACE(gauge.name);
        const Image shown = Crop(Crop(screen, gauge.box), around);
        const Image selected = Crop(LoadImage(FramePathOf(references.linux_run, gauge.name, frame)), around);
        const Image unselected = Crop(LoadImage(FramePathOf(references.unclicked, gauge.name, frame)), around);
        ASSERT_FALSE(shown.empty());
        ASSERT_FALSE(selected.empty());
        ASSERT_FALSE(unselected.empty());
        const TextMask mask = NoText(shown);
        const Agreement with_selection = CompareGeometry(selected, shown, mask, kGdiplusAgreement);
        const Agreement without = CompareGeometry(unselected, shown, mask, kGdiplusAgreement);
        EXPECT_TRUE(with_selection.Within(kGdiplusAgreement)) << with_selection.Describe();
        EXPECT_FALSE(without.Within(kGdiplusAgreement)) << "the selection frame is missing: " << without.Describe();
    }
}

void SkipWithoutDisplay() {
    if (TestDisplay().empty()) GTEST_SKIP() << "no X display (tests/wine/run_preview.sh starts one)";
}

// Keys reach the window that has the focus: a click on the readout, where
// a click does nothing, gives it to the preview.
void Focus(const ScreenBox& client, const std::vector<ShownGauge>& gauges) {
    const ScreenBox& gauge = gauges.front().box;
    ClickAt(client.x + 4, std::min(gauge.y + gauge.height + 30, client.y + client.height - 4));
}

// Waits until the frame is on the screen after a single step.
void Step(Preview& preview, int frame) {
    preview.Mark();
    ASSERT_TRUE(PressKey("s"));
    ASSERT_FALSE(preview.WaitFor("shown " + std::to_string(frame)).empty()) << preview.Describe();
}

TEST(WinePreview, ShowsAndDrivesTheModuleAsThePanelHostDoes) {
    SkipWithoutDisplay();
    ASSERT_TRUE(panelhost::StartGdiplus());
    References references{RunOnLinux(PanelHostScript(kScriptSide_px, true), TestFolder("preview_panel_host")),
                          RunOnLinux(PanelHostScript(kScriptSide_px, false), TestFolder("preview_unclicked")),
                          RunUnderWine(Fonts::kNone, PanelHostScript(kScriptSide_px, true), TestFolder("preview_fontless"))};
    ASSERT_EQ(references.linux_run.exit_status, 0) << references.linux_run.Describe();
    ASSERT_EQ(references.unclicked.exit_status, 0) << references.unclicked.Describe();
    ASSERT_EQ(references.fontless.exit_status, 0) << references.fontless.Describe();

    // The module next to the program, found without being named.
    Preview preview("preview_script", {"--paused", "--size", std::to_string(kScriptSide_px), "--step", "0.25",
                                       "--scenario", WindowsPath(RADAR_WINE_SKY)});
    ASSERT_FALSE(preview.WaitFor("shown 1", kStartTimeout_s).empty()) << preview.Describe();
    char startup[32];
    std::snprintf(startup, sizeof startup, "%.2f", preview.seconds_running());
    RecordMeasure("startup_seconds", startup);
    ScreenBox client;
    std::vector<ShownGauge> gauges;
    ASSERT_TRUE(preview.Layout(&client, &gauges)) << preview.Describe();
    ASSERT_EQ(gauges.size(), 4u);
    double program_seconds = 0.0;
    if (std::sscanf(preview.WaitFor("first picture").c_str(), "first picture %lf s", &program_seconds) == 1) {
        std::snprintf(startup, sizeof startup, "%.2f", program_seconds);
        RecordMeasure("program_startup_seconds", startup);
    }

    // The first picture: frame 1 of the panel host at the same host time.
    ExpectGaugesAgree(SettledScreenshot(), gauges, references, 1, preview.folder());

    // Plan display, three single steps, a click on the aircraft 10 NM east
    // on each gauge in the order of placing (the panel host's order), and
    // the frame that shows the selection.
    Focus(client, gauges);
    ASSERT_TRUE(PressKey("2"));
    for (int frame = 2; frame <= 4; ++frame) ASSERT_NO_FATAL_FAILURE(Step(preview, frame));
    for (std::size_t i = 0; i < gauges.size(); ++i) {
        preview.Mark();
        ASSERT_TRUE(ClickAt(gauges[i].box.x + kClickX_px, gauges[i].box.y + kClickY_px));
        ASSERT_FALSE(preview.WaitFor("click " + std::to_string(i + 1) + " ").empty()) << preview.Describe();
    }
    ASSERT_NO_FATAL_FAILURE(Step(preview, 5));
    Image screen = SettledScreenshot();
    ExpectGaugesAgree(screen, gauges, references, 5, preview.folder());
    ExpectSelectionShown(screen, gauges, references, 5);
    ScreenBox window;
    if (FindWindow(kWindowTitle, &window, 5.0)) {
        const std::string picture = preview.folder() + "/preview_window.png";
        panelhost::SavePng(Crop(screen, window), picture);
        RecordMeasure("screenshot", picture);
    }

    // "Radar Range" halved and the sector display, then the altitude display.
    ASSERT_TRUE(PressKey("minus"));
    ASSERT_TRUE(PressKey("3"));
    ASSERT_NO_FATAL_FAILURE(Step(preview, 6));
    ExpectGaugesAgree(SettledScreenshot(), gauges, references, 6, preview.folder());
    ASSERT_TRUE(PressKey("4"));
    ASSERT_NO_FATAL_FAILURE(Step(preview, 7));
    ExpectGaugesAgree(SettledScreenshot(), gauges, references, 7, preview.folder());

    // Every frame published what the panel host published.
    const std::vector<std::string> expected = references.linux_run.FrameLines();
    const std::vector<std::string> published = preview.FrameLines();
    ASSERT_EQ(published.size(), expected.size()) << preview.Describe();
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(published[i], expected[i]);
    EXPECT_NE(published[4].find("Radar Target Selected=1 | Radar Target Latitude=47.4647"), std::string::npos);

    // A smaller window: the gauges drawn again at the new size, at once,
    // although the host time stands still. The altitude display has no
    // text here (no labels, the selected aircraft outside its view).
    ASSERT_TRUE(FindWindow(kWindowTitle, &window, 5.0));
    const int menu_height = window.height - client.height;  // Wine's menu bar, above the client area
    const int gap = (client.width - 4 * kScriptSide_px) / 5;
    preview.Mark();
    ASSERT_TRUE(ResizeWindow(kWindowTitle, 4 * kResizedSide_px + 5 * gap,
                             client.height - kScriptSide_px + kResizedSide_px + menu_height));
    ASSERT_FALSE(preview.WaitFor("layout client=").empty()) << preview.Describe();
    ASSERT_FALSE(preview.WaitFor("shown 7").empty()) << preview.Describe();
    ASSERT_TRUE(preview.Layout(&client, &gauges));
    ASSERT_EQ(gauges.front().box.width, kResizedSide_px) << preview.Describe();
    const HostRun resized = RunOnLinux(PanelHostScript(kResizedSide_px, true), TestFolder("preview_panel_host_resized"));
    ASSERT_EQ(resized.exit_status, 0) << resized.Describe();
    screen = SettledScreenshot();
    for (const ShownGauge& gauge : gauges) {
        SCOPED_TRACE(gauge.name + " at " + std::to_string(kResizedSide_px) + " pixels");
        const Image shown = Crop(screen, gauge.box);
        const Image drawn = LoadImage(FramePathOf(resized, gauge.name, 7));
        ASSERT_EQ(shown.width, drawn.width);
        ExpectAgreement(shown, drawn, NoText(drawn), preview.folder() + "/difference_resized_" + panelhost::FrameFileName(gauge.name, 1, 1, 7));
    }

    Focus(client, gauges);
    ASSERT_TRUE(PressKey("ctrl+q"));
    EXPECT_EQ(preview.Wait(kActionTimeout_s), 0) << preview.Describe();
}

// A bad module file, a gauge the module lacks and a bad scenario line:
// each a message box that names the file (and line) and the reason, then
// a clean exit with the command-line panel host's exit status.
TEST(WinePreview, ExplainsWhatItCannotShowAndExits) {
    SkipWithoutDisplay();
    const std::string bad_sky = TestFolder("preview_bad_sky") + "/bad_sky.txt";
    std::ofstream(bad_sky) << "# one good line, then a short one\nown 47.4647 8.5492 10000 0 250\ntraffic ABC 47.5 8.5 11000\n";
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string message;
        int exit_status;
    };
    const Case cases[] = {
        {"preview_missing_module", {WindowsPath(std::string(RADAR_WIN64_DIR) + "/NoSuchModule.gau")},
         "error: cannot load " + WindowsPath(std::string(RADAR_WIN64_DIR) + "/NoSuchModule.gau"), 1},
        {"preview_not_a_module", {WindowsPath(RADAR_WINE_SKY)}, "error: cannot load " + WindowsPath(RADAR_WINE_SKY), 1},
        {"preview_missing_gauge", {"--gauge", "Circular Blue"}, "error: " + WindowsModulePath() + " has no gauge \"Circular Blue\"", 1},
        {"preview_bad_scenario", {"--scenario", WindowsPath(bad_sky)},
         "error: scenario " + WindowsPath(bad_sky) + ":3: traffic takes IDENTIFIER", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Preview preview(c.name, c.arguments);
        const std::string message = preview.WaitFor("error: ", kStartTimeout_s);
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
        ScreenBox box;
        ASSERT_TRUE(FindWindow(kWindowTitle, &box, kActionTimeout_s)) << "no message box";
        ClickAt(box.x + 4, box.y + 4);
        PressKey("Return");
        EXPECT_EQ(preview.Wait(kActionTimeout_s), c.exit_status) << preview.Describe();
        EXPECT_TRUE(preview.FrameLines().empty());
    }
}

// Pixels of the image that are not the window's background.
long TextPixels(const Image& image) {
    constexpr std::uint32_t kWindowBackground = 0xff202224;
    return static_cast<long>(std::count_if(image.argb.begin(), image.argb.end(),
                                           [](std::uint32_t pixel) { return (pixel | 0xff000000) != kWindowBackground; }));
}

// A prefix as Wine makes it has none of the families the gauges write in:
// the line under the gauges says which and what becomes of the texts, and
// the whole text, with how to install them, is there on demand in a
// window too narrow for the line.
TEST(WinePreview, SaysWhichFontsAreMissingAndHowToGetThem) {
    SkipWithoutDisplay();
    Preview preview("preview_no_fonts", {"--paused", "--gauge", "Circular Green"}, Fonts::kNone);
    ASSERT_FALSE(preview.WaitFor("shown 1", kStartTimeout_s).empty()) << preview.Describe();
    EXPECT_EQ(preview.Find("note: fonts"), "note: fonts missing: Tahoma, Arial and GDI+'s generic sans-serif family: "
                                           "the gauges' range labels and target readouts will be missing.");
    ScreenBox client, notes;
    std::vector<ShownGauge> gauges;
    ASSERT_TRUE(preview.Layout(&client, &gauges, &notes)) << preview.Describe();
    // Some 80 characters of the window's font: thousands of pixels.
    EXPECT_GT(TextPixels(Crop(SettledScreenshot(), notes)), 500) << "the note is not on the screen";

    ScreenBox window;
    ASSERT_TRUE(FindWindow(kWindowTitle, &window, 5.0));
    preview.Mark();
    ASSERT_TRUE(ResizeWindow(kWindowTitle, 320, window.height));
    ASSERT_FALSE(preview.WaitFor("layout client=").empty()) << preview.Describe();
    ASSERT_TRUE(preview.Layout(&client, &gauges));
    Focus(client, gauges);
    preview.Mark();
    ASSERT_TRUE(PressKey("F1"));
    ASSERT_FALSE(preview.WaitFor("status in full").empty()) << preview.Describe();
    const std::string whole = preview.TextSinceMark();
    for (const char* part : {"Tahoma: Wine's own Tahoma", "/usr/share/wine/fonts/tahoma*.ttf", "drive_c/windows/Fonts",
                             "FontSubstitutes\" /v Arial /t REG_SZ /d \"Liberation Sans\"", "On Windows"}) {
        EXPECT_NE(whole.find(part), std::string::npos) << part << " in:\n" << whole;
    }
    ASSERT_TRUE(FindWindow("status in full", &window, kActionTimeout_s)) << "no window with the status in full";
    ASSERT_TRUE(PressKey("Return"));
    Focus(client, gauges);
    ASSERT_TRUE(PressKey("ctrl+q"));
    EXPECT_EQ(preview.Wait(kActionTimeout_s), 0) << preview.Describe();
}

// Not a pass mark: how fast the preview runs with all four gauges at
// 400 pixels over the full sky, for the reliability summary.
TEST(WinePreview, RunsTheFullSkyAtFourHundredPixels) {
    SkipWithoutDisplay();
    const std::string sky = TestFolder("preview_full_sky") + "/full_sky.txt";
    // The frame benchmark's largest sky: the own aircraft listed first by the
    // traffic interface, 99 other aircraft of it and 256 network players.
    std::ofstream(sky) << panelhost::ScenarioText(bench::BenchScenario(bench::kSkyCounts.back()));
    Preview preview("preview_frame_rate", {"--size", "400", "--scenario", WindowsPath(sky)});
    ASSERT_FALSE(preview.WaitFor("shown 1", kStartTimeout_s).empty()) << preview.Describe();
    EXPECT_NE(preview.Find("sky: ").find("99 traffic aircraft, 256 network players"), std::string::npos);
    EXPECT_EQ(preview.Find("note: "), "") << "the network players are missing";
    std::this_thread::sleep_for(std::chrono::seconds(10));
    ScreenBox client;
    std::vector<ShownGauge> gauges;
    ASSERT_TRUE(preview.Layout(&client, &gauges));
    EXPECT_EQ(gauges.front().box.width, 400);
    Focus(client, gauges);
    preview.Mark();
    ASSERT_TRUE(PressKey("ctrl+q"));
    const std::string summary = preview.WaitFor("frames: ");
    EXPECT_EQ(preview.Wait(kActionTimeout_s), 0) << preview.Describe();
    int frames = 0;
    double seconds = 0.0, per_second = 0.0, average_ms = 0.0;
    ASSERT_EQ(std::sscanf(summary.c_str(), "frames: %d in %lf s, %lf a second; drawing and showing one took %lf ms", &frames,
                          &seconds, &per_second, &average_ms),
              4)
        << summary;
    EXPECT_GT(frames, 1);
    char value[64];
    std::snprintf(value, sizeof value, "%.1f", per_second);
    RecordMeasure("frames_per_second", value);
    std::snprintf(value, sizeof value, "%.1f", average_ms);
    RecordMeasure("frame_ms", value);
}

}  // namespace
}  // namespace winetest
