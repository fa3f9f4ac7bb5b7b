#include "preview_panel.h"

#include <cmath>
#include <utility>

#include "sky/net_player_module.h"
#include "cli/panel_session.h"
#include "radar_controls.h"

namespace preview {

PreviewPanel::PreviewPanel(double start_time_s) : gauge_fonts_(panelhost::FindGaugeFonts()) {
    panel_.clock().time_s = start_time_s;
}

bool PreviewPanel::LoadModule(const std::string& path, std::string* error) {
    if (!panel_.LoadModule(path, error)) return false;
    module_path_ = path;
    if (panel_.GaugeNames().empty()) {
        if (error) *error = path + ": the module has no gauges";
        return false;
    }
    return true;
}

bool PreviewPanel::LoadSky(const std::string& scenario_path, std::string* error) {
    panelhost::ScenarioParseResult scenario = panelhost::LoadScenarioOrDefault(scenario_path);
    if (!scenario.ok) {
        if (error) *error = "scenario " + scenario.error;
        return false;
    }
    const std::vector<std::string> names = NamesToShow(gauge_name_, nullptr);
    RemoveGauges();
    panel_.RegisterInterface(sim::kTrafficInterfaceName, nullptr);
    sky_.reset();
    sky_ = std::make_unique<panelhost::PanelSky>(std::move(scenario.scenario));
    scenario_path_ = scenario_path;
    sky_description_ = panelhost::DescribeSky(scenario_path, *sky_);
    sky_note_.clear();
    sky_->Attach(panel_, panelhost::NetPlayerModuleCandidates(), &sky_note_);
    return side_px_ == 0 || PlaceGauges(names, error);
}

std::vector<std::string> PreviewPanel::NamesToShow(const std::string& gauge_name, std::string* error) const {
    const std::vector<std::string> all = panel_.GaugeNames();
    if (gauge_name.empty()) return all;
    for (const std::string& name : all) {
        if (name == gauge_name) return {name};
    }
    if (error) {
        std::string list;
        for (const std::string& name : all) list += (list.empty() ? "" : ", ") + name;
        *error = module_path_ + " has no gauge \"" + gauge_name + "\"; its gauges: " + list;
    }
    return {};
}

bool PreviewPanel::ShowGauges(const std::string& gauge_name, int side_px, std::string* error) {
    const std::vector<std::string> names = NamesToShow(gauge_name, error);
    if (names.empty()) return false;
    if (!sky_ && !LoadSky(scenario_path_, error)) return false;
    RemoveGauges();
    gauge_name_ = gauge_name;
    side_px_ = side_px;
    return PlaceGauges(names, error);
}

bool PreviewPanel::PlaceGauges(const std::vector<std::string>& names, std::string* error) {
    for (const std::string& name : names) {
        panelhost::GaugePlacement* placement = panel_.Place(name, side_px_, side_px_);
        if (placement == nullptr) {
            if (error) *error = "cannot place gauge \"" + name + "\" at " + std::to_string(side_px_) + " pixels";
            return false;
        }
        gauges_.push_back(ShownGauge{name, placement});
    }
    return true;
}

void PreviewPanel::RemoveGauges() {
    for (const ShownGauge& gauge : gauges_) panel_.Remove(gauge.placement);
    gauges_.clear();
}

bool PreviewPanel::ResizeGauges(int side_px) {
    bool all = true;
    for (const ShownGauge& gauge : gauges_) all = panel_.Resize(*gauge.placement, side_px, side_px) && all;
    if (all) side_px_ = side_px;
    return all;
}

bool PreviewPanel::DrawFrame() {
    if (sky_) sky_->Update(panel_);
    panel_.DrawFrame();
    const double time = panel_.clock().time_s;
    if (frame_ > 0 && time == frame_time_s_) return false;
    ++frame_;
    frame_time_s_ = time;
    return true;
}

std::string PreviewPanel::FrameLine() const { return panelhost::FrameLine(frame_, frame_time_s_, variables()); }

void PreviewPanel::Click(std::size_t gauge, int x_px, int y_px) {
    if (gauge < gauges_.size()) panel_.Click(*gauges_[gauge].placement, x_px, y_px);
}

void PreviewPanel::SetMode(double mode) { panel_.named_variables().SetByName(panelhost::kRadarModeVariable, mode); }

void PreviewPanel::ChangeRange(double (*change)(double range_nm)) {
    panelhost::NamedVariableStore& variables = panel_.named_variables();
    variables.SetByName(panelhost::kRadarRangeVariable, change(variables.ValueOr(panelhost::kRadarRangeVariable, 0.0)));
}

void PreviewPanel::HalveRange() { ChangeRange(HalvedRange); }

void PreviewPanel::DoubleRange() { ChangeRange(DoubledRange); }

void PreviewPanel::Turn(double degrees) {
    if (sky_) sky_->TurnOwnAircraft(panel_, degrees);
}

double PreviewPanel::heading_deg() const { return sky_ ? sky_->sky().own().heading_deg : 0.0; }

std::string PreviewPanel::FloatingPointFault() const {
    return panel_.module_calls().calls_not_given_back() != 0 ? panel_.module_calls().Describe() : std::string();
}

}  // namespace preview
