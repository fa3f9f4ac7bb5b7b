// The panel the preview shows, without its window: the module's gauges
// placed over a simulated sky, the host clock, the controls a panel's own
// gauges give the radar, and what the radar publishes. The window draws
// the gauges' surfaces and forwards the user's input here.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "image/gauge_fonts.h"
#include "panel/panel_host.h"
#include "sky/panel_sky.h"

namespace preview {

struct ShownGauge {
    std::string name;
    panelhost::GaugePlacement* placement = nullptr;
};

class PreviewPanel {
public:
    explicit PreviewPanel(double start_time_s);
    PreviewPanel(const PreviewPanel&) = delete;
    PreviewPanel& operator=(const PreviewPanel&) = delete;

    // Loads the module file through its exports, once.
    bool LoadModule(const std::string& path, std::string* error);
    // The sky of a scenario file (empty: the default scenario), starting at
    // the present host time; the gauges shown are placed again over it. On
    // an error ("FILE:LINE: reason") the sky and the gauges stay as they were.
    bool LoadSky(const std::string& scenario_path, std::string* error);
    // One gauge by name, or every gauge of the module for an empty name, at
    // this size. On an error the gauges shown stay as they were.
    bool ShowGauges(const std::string& gauge_name, int side_px, std::string* error);
    // Gives every gauge shown a surface of this size. False when one could
    // not be made; those gauges keep their size.
    bool ResizeGauges(int side_px);

    // Moves the sky to the host time and sends every gauge its frame. True
    // when the host time is a new one: a frame to count.
    bool DrawFrame();
    void AdvanceClock(double seconds) { panel_.AdvanceClock(seconds); }
    double time_s() { return panel_.clock().time_s; }
    int frame() const { return frame_; }
    // "frame 3 t=1.200 | Radar Mode=2 | ..." for the frame drawn last.
    std::string FrameLine() const;

    // A left click at a pixel of a gauge's image.
    void Click(std::size_t gauge, int x_px, int y_px);
    // Writes of the radar's inputs, as the panel's control gauge makes them.
    void SetMode(double mode);
    void HalveRange();
    void DoubleRange();
    // Turns the own aircraft (positive: to the right).
    void Turn(double degrees);
    double heading_deg() const;

    const std::vector<ShownGauge>& gauges() const { return gauges_; }
    // The gauge shown alone, or empty when every gauge is shown.
    const std::string& shown_gauge_name() const { return gauge_name_; }
    const panelhost::NamedVariableStore& variables() const { return panel_.named_variables(); }
    std::vector<std::string> GaugeNames() const { return panel_.GaugeNames(); }
    const std::string& module_path() const { return module_path_; }
    // "default scenario, 30 traffic aircraft, 8 network players".
    const std::string& SkyDescription() const { return sky_description_; }
    // Why the sky runs without its network players, or empty.
    const std::string& sky_note() const { return sky_note_; }
    // The families of the gauges' texts as this process's GDI+ finds them.
    const panelhost::GaugeFonts& gauge_fonts() const { return gauge_fonts_; }
    // Calls into the module that did not give back the host's floating-point
    // state, with the first one named; empty when every call did.
    std::string FloatingPointFault() const;

private:
    std::vector<std::string> NamesToShow(const std::string& gauge_name, std::string* error) const;
    void ChangeRange(double (*change)(double range_nm));
    bool PlaceGauges(const std::vector<std::string>& names, std::string* error);
    void RemoveGauges();

    std::string module_path_;
    std::string scenario_path_;
    std::string gauge_name_;  // empty: every gauge
    int side_px_ = 0;
    std::string sky_description_ = "no sky";
    std::string sky_note_;
    // Declared before the panel, so that it outlives the gauges, which keep
    // its traffic interface.
    std::unique_ptr<panelhost::PanelSky> sky_;
    panelhost::PanelHost panel_;
    panelhost::GaugeFonts gauge_fonts_;  // asked once GDI+ runs: the panel starts it
    std::vector<ShownGauge> gauges_;
    int frame_ = 0;
    double frame_time_s_ = 0.0;
};

}  // namespace preview
