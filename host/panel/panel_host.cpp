#include "panel/panel_host.h"

#include <algorithm>
#include <functional>

#include "image/gdiplus_startup.h"

namespace panelhost {

PanelHost::PanelHost(const PanelHostOptions& options) {
    StartGdiplus();
    module_calls_.SetPrecisionBits(options.x87_precision_bits);
    if (options.panel_variables) {
        variables_.Register(kRadarModeVariable);
        variables_.Register(kRadarRangeVariable);
    }
    SetActivePanelServices(this);
}

PanelHost::~PanelHost() {
    RemoveAll();
    module_.reset();
    if (ActivePanelServices() == this) SetActivePanelServices(nullptr);
}

bool PanelHost::LoadModule(const std::string& path, std::string* error) {
    if (module_) {
        if (error) *error = "a module is already loaded";
        return false;
    }
    std::unique_ptr<ModuleFile> module = ModuleFile::Load(path, error);
    if (!module) return false;
    if (!module->InstallPanels(&HostPanelsTable())) {
        if (error) *error = path + ": ImportTable has no entry for the panel services";
        return false;
    }
    module_ = std::move(module);
    return true;
}

std::vector<std::string> PanelHost::GaugeNames() const {
    std::vector<std::string> names;
    if (!module_) return names;
    for (sim::GaugeHeader* header : module_->Gauges()) names.emplace_back(GaugeName(header));
    return names;
}

GaugePlacement* PanelHost::Place(std::string_view gauge_name, int width_px, int height_px) {
    sim::GaugeHeader* header = module_ ? module_->FindGauge(gauge_name) : nullptr;
    if (header == nullptr) return nullptr;
    std::unique_ptr<Surface> surface = Surface::Create(width_px, height_px);
    if (!surface) return nullptr;
    placements_.push_back(std::make_unique<GaugePlacement>(header, std::move(surface)));
    GaugePlacement& placement = *placements_.back();
    module_calls_.Make([&] {
        if (header->install) header->install(module_->resource_handle());
        if (header->initialize) header->initialize();
        if (header->generate) header->generate(0);
    });
    SendService(placement, sim::kServiceConnect);
    return &placement;
}

bool PanelHost::Resize(GaugePlacement& placement, int width_px, int height_px) {
    if (width_px == placement.width() && height_px == placement.height()) return true;
    std::unique_ptr<Surface> surface = Surface::Create(width_px, height_px);
    if (!surface) return false;
    SendService(placement, sim::kServicePreGenerate);
    const bool replaced = placement.ReplaceSurface(std::move(surface));
    SendService(placement, sim::kServicePostGenerate);
    return replaced;
}

void PanelHost::Remove(GaugePlacement* placement) {
    auto it = std::find_if(placements_.begin(), placements_.end(),
                           [placement](const std::unique_ptr<GaugePlacement>& p) { return p.get() == placement; });
    if (it == placements_.end()) return;
    std::unique_ptr<GaugePlacement> going = std::move(*it);
    placements_.erase(it);
    sim::GaugeHeader* header = going->header();
    SendService(*going, sim::kServicePreKill);
    if (header->kill) module_calls_.Make([&] { header->kill(); });
    going->ClearDrawingElement();
    going.reset();  // its surfaces and their device contexts
    SendServiceWithoutImage(header, sim::kServicePostKill);
    SendServiceWithoutImage(header, sim::kServiceDisconnect);
}

void PanelHost::RemoveAll() {
    while (!placements_.empty()) Remove(placements_.back().get());
}

void PanelHost::DrawFrame() {
    for (auto& placement : placements_) DrawPlacement(*placement);
}

void PanelHost::DrawPlacement(GaugePlacement& placement) {
    sim::GaugeHeader* header = placement.header();
    if (header->update) module_calls_.Make([&] { header->update(); });
    SendPreDraw(placement);
    if (header->draw) module_calls_.Make([&] { header->draw(); });
}

void PanelHost::SendPreDraw(GaugePlacement& placement) { SendService(placement, sim::kServicePreDraw); }

void PanelHost::SendService(GaugePlacement& placement, sim::GaugeService service) {
    sim::GaugeHeader* header = placement.header();
    placement.PrepareDrawingElement();
    if (header->callback) module_calls_.Make([&] { header->callback(header, service, 0); });
}

void PanelHost::SendServiceWithoutImage(sim::GaugeHeader* header, sim::GaugeService service) {
    if (sim::Element* element = DrawingElement(header)) {
        element->image = nullptr;
        element->device_context = nullptr;
    }
    if (header->callback) module_calls_.Make([&] { header->callback(header, service, 0); });
}

ClickResult PanelHost::Click(GaugePlacement& placement, int x_px, int y_px) {
    placement.PrepareDrawingElement();
    return module_calls_.Make(
        [&] { return DeliverClick(placement.header(), x_px, y_px, placement.width(), placement.height()); });
}

void PanelHost::RegisterInterface(std::string_view name, sim::RegisteredInterface* object) {
    interfaces_.Register(name, object);
}

std::size_t PanelHost::ElementListCallCount(sim::HostPanelsEntry entry) const {
    return entry < element_list_call_counts_.size() ? element_list_call_counts_[entry] : 0;
}

void PanelHost::ElementListService(const ElementListCall& call) {
    if (call.entry < element_list_call_counts_.size()) ++element_list_call_counts_[call.entry];
    if (element_list_calls_.size() < kMaxRecordedElementListCalls) element_list_calls_.push_back(call);
}

void PanelHost::InitializeModuleVariable(sim::ModuleVariable& variable) {
    const auto place = std::lower_bound(initialized_records_.begin(), initialized_records_.end(), &variable,
                                        std::less<>());
    if (place == initialized_records_.end() || *place != &variable) initialized_records_.insert(place, &variable);
}

void PanelHost::LookupModuleVariable(sim::ModuleVariable& variable) {
    if (!std::binary_search(initialized_records_.begin(), initialized_records_.end(), &variable, std::less<>()))
        ++uninitialized_lookups_;
    variable.value = ModuleVariableValue(variable.token, aircraft_, clock_);
}

std::int32_t PanelHost::CheckNamedVariable(const char* name) { return variables_.Find(HostName(name)); }

std::int32_t PanelHost::RegisterNamedVariable(const char* name) { return variables_.Register(HostName(name)); }

double PanelHost::GetNamedVariableValue(std::int32_t id) { return variables_.Get(id); }

void PanelHost::SetNamedVariableValue(std::int32_t id, double value) { variables_.Set(id, value); }

void* PanelHost::GetRegisteredInterface(const char* name) { return interfaces_.Find(HostName(name)); }

}  // namespace panelhost
