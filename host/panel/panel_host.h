// The panel host: loads a gauge module by path and plays the simulator's
// panel system for it, through the module's exports only. It hands the
// module its HostPanels table, places gauges with surfaces of a chosen
// size, drives the gauge services and the standard routines, delivers
// clicks, and keeps the named variables, the own aircraft, the clock and
// the registered interfaces. As the simulator does, it sends the service
// before and the one after each release of a placement's surface:
// pre-generate and post-generate around a resize, pre-kill and post-kill
// around a removal.
//
// One panel host is active in a process at a time (the table's entries
// carry no context): the newest one constructed.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "panel/gauge_placement.h"
#include "panel/host_panels_table.h"
#include "panel/interface_registry.h"
#include "panel/module_call_precision.h"
#include "panel/module_file.h"
#include "panel/mouse_rects.h"
#include "panel/named_variable_store.h"
#include "panel/simulated_aircraft.h"

namespace panelhost {

// The variables the panel designer's own gauge creates before the radar
// first looks for them.
constexpr const char* kRadarModeVariable = "Radar Mode";
constexpr const char* kRadarRangeVariable = "Radar Range";

struct PanelHostOptions {
    // Create "Radar Mode" and "Radar Range" (value 0) as the panel's own
    // gauge would; false leaves them absent until the module makes them.
    bool panel_variables = true;
    // The x87 precision control (24, 53 or 64 bits) every call into the
    // module is made under; 0 leaves the thread's own.
    int x87_precision_bits = 0;
};

// Element-list calls kept in order; later ones are only counted.
constexpr std::size_t kMaxRecordedElementListCalls = 4096;

class PanelHost : private PanelServices {
public:
    explicit PanelHost(const PanelHostOptions& options = {});
    ~PanelHost();
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    // Loads the module and writes the table into its ImportTable. Once per host.
    bool LoadModule(const std::string& path, std::string* error);
    const ModuleFile* module() const { return module_.get(); }
    std::vector<std::string> GaugeNames() const;

    // A new placement of the named gauge: its surface, the install,
    // initialise and generate routines and the connection service. Null for
    // an unknown gauge or a size that is not usable.
    GaugePlacement* Place(std::string_view gauge_name, int width_px, int height_px);
    // Gives the placement a new surface of this size, as a host does when a
    // panel window changes size: pre-generate, the old surface and its
    // device context released, the new surface, post-generate. The gauge
    // stays connected and draws at the new size at its next frame, also at
    // an unchanged host time. False, no service sent and the size unchanged,
    // for a size that is not usable.
    bool Resize(GaugePlacement& placement, int width_px, int height_px);
    // Pre-kill, the kill routine, the placement and its surfaces gone,
    // post-kill, then the disconnection; the last two with no image and no
    // device context in the drawing element.
    void Remove(GaugePlacement* placement);
    const std::vector<std::unique_ptr<GaugePlacement>>& placements() const { return placements_; }

    // One frame: every placement in order of placing gets the update
    // routine, the pre-draw service and the draw routine.
    void DrawFrame();
    void DrawPlacement(GaugePlacement& placement);
    // The pre-draw service alone, as the host sends it for one placement.
    void SendPreDraw(GaugePlacement& placement);

    void AdvanceClock(double seconds) { clock_.time_s += seconds; }
    HostClock& clock() { return clock_; }
    OwnAircraft& own_aircraft() { return aircraft_; }
    NamedVariableStore& named_variables() { return variables_; }
    const NamedVariableStore& named_variables() const { return variables_; }

    // A click at a pixel of the placement's drawn image.
    ClickResult Click(GaugePlacement& placement, int x_px, int y_px);

    // Makes an interface available to GetRegisteredInterface (null removes it).
    void RegisterInterface(std::string_view name, sim::RegisteredInterface* object);
    const InterfaceRegistry& interfaces() const { return interfaces_; }

    // The calls into the module and the floating-point state they gave back.
    const ModuleCallPrecision& module_calls() const { return module_calls_; }

    // Look-ups of module-variable records that entry 38 had not initialised.
    std::size_t uninitialized_lookups() const { return uninitialized_lookups_; }

    const std::vector<ElementListCall>& element_list_calls() const { return element_list_calls_; }
    // Calls of one entry (24 to 31), recorded or not.
    std::size_t ElementListCallCount(sim::HostPanelsEntry entry) const;

private:
    void ElementListService(const ElementListCall& call) override;
    void InitializeModuleVariable(sim::ModuleVariable& variable) override;
    void LookupModuleVariable(sim::ModuleVariable& variable) override;
    std::int32_t CheckNamedVariable(const char* name) override;
    std::int32_t RegisterNamedVariable(const char* name) override;
    double GetNamedVariableValue(std::int32_t id) override;
    void SetNamedVariableValue(std::int32_t id, double value) override;
    void* GetRegisteredInterface(const char* name) override;

    void SendService(GaugePlacement& placement, sim::GaugeService service);
    void SendServiceWithoutImage(sim::GaugeHeader* header, sim::GaugeService service);
    void RemoveAll();

    ModuleCallPrecision module_calls_;
    std::unique_ptr<ModuleFile> module_;
    std::vector<std::unique_ptr<GaugePlacement>> placements_;
    NamedVariableStore variables_;
    InterfaceRegistry interfaces_;
    OwnAircraft aircraft_;
    HostClock clock_;
    // Sorted: every look-up asks it, hundreds of times a frame, and the
    // module has a few dozen records at most.
    std::vector<const sim::ModuleVariable*> initialized_records_;
    std::size_t uninitialized_lookups_ = 0;
    std::vector<ElementListCall> element_list_calls_;
    std::array<std::size_t, sim::kHostPanelsEntryCount> element_list_call_counts_{};
};

}  // namespace panelhost
