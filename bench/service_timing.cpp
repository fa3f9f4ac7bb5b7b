#include "service_timing.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <vector>

#include "call_timing.h"
#include "platform/gdiplus_flat.h"

namespace bench {
namespace {

// A function that times itself as a call of `kind` and then calls `function`.
template <auto function, CallKind kind>
struct Timed;
template <typename R, typename... A, bool no_throw, R (*function)(A...) noexcept(no_throw), CallKind kind>
struct Timed<function, kind> {
    static R Call(A... arguments) noexcept(no_throw) {
        const TimedCall<kind> timed;
        return function(arguments...);
    }
};

#define GDIPLUS_TAP(name) ImportStandIn{#name, reinterpret_cast<void*>(&Timed<&gdip::name, kGdiplusCall>::Call)}

// Every GDI+ flat function the module imports (platform/gdiplus_flat.h).
const std::vector<ImportStandIn> kGdiplusTaps = {
    GDIPLUS_TAP(GdiplusStartup),
    GDIPLUS_TAP(GdiplusShutdown),
    GDIPLUS_TAP(GdipCreateFromHDC),
    GDIPLUS_TAP(GdipDeleteGraphics),
    GDIPLUS_TAP(GdipGraphicsClear),
    GDIPLUS_TAP(GdipScaleWorldTransform),
    GDIPLUS_TAP(GdipResetWorldTransform),
    GDIPLUS_TAP(GdipTranslateWorldTransform),
    GDIPLUS_TAP(GdipBeginContainer2),
    GDIPLUS_TAP(GdipEndContainer),
    GDIPLUS_TAP(GdipSetSmoothingMode),
    GDIPLUS_TAP(GdipSetTextRenderingHint),
    GDIPLUS_TAP(GdipCreateSolidFill),
    GDIPLUS_TAP(GdipDeleteBrush),
    GDIPLUS_TAP(GdipCreatePen2),
    GDIPLUS_TAP(GdipSetPenDashArray),
    GDIPLUS_TAP(GdipDeletePen),
    GDIPLUS_TAP(GdipCreateFontFamilyFromName),
    GDIPLUS_TAP(GdipGetGenericFontFamilySansSerif),
    GDIPLUS_TAP(GdipDeleteFontFamily),
    GDIPLUS_TAP(GdipCreateFont),
    GDIPLUS_TAP(GdipDeleteFont),
    GDIPLUS_TAP(GdipGetFontSize),
    GDIPLUS_TAP(GdipCreateStringFormat),
    GDIPLUS_TAP(GdipDeleteStringFormat),
    GDIPLUS_TAP(GdipSetStringFormatAlign),
    GDIPLUS_TAP(GdipSetStringFormatLineAlign),
    GDIPLUS_TAP(GdipDrawString),
    GDIPLUS_TAP(GdipCreateMatrix),
    GDIPLUS_TAP(GdipDeleteMatrix),
    GDIPLUS_TAP(GdipSetMatrixElements),
    GDIPLUS_TAP(GdipRotateMatrix),
    GDIPLUS_TAP(GdipTranslateMatrix),
    GDIPLUS_TAP(GdipTransformMatrixPoints),
    GDIPLUS_TAP(GdipDrawLine),
    GDIPLUS_TAP(GdipDrawEllipse),
    GDIPLUS_TAP(GdipDrawArc),
    GDIPLUS_TAP(GdipDrawPolygon),
    GDIPLUS_TAP(GdipFillPolygon),
    GDIPLUS_TAP(GdipDrawRectangle),
};

#undef GDIPLUS_TAP

// The network-player look-up: the loader's functions (on Windows the
// kernel's module handle and export look-ups) and the players module's
// entry, which the module reaches through dlsym.
sim::NetPlayerEntry net_player_entry = nullptr;

std::int32_t HOST_CDECL TimedNetPlayerEntry(void** table) {
    const TimedCall<kHostServiceCall> timed;
    if (net_player_entry == nullptr) return 0;
    RepeatHostService([&] { net_player_entry(table); });
    return net_player_entry(table);
}

void* TimedDlsym(void* module, const char* name) noexcept {
    void* found = nullptr;
    {
        const TimedCall<kLoaderCall> timed;
        found = dlsym(module, name);
    }
    if (found == nullptr || name == nullptr || std::strcmp(name, sim::kNetPlayerEntryName) != 0) return found;
    net_player_entry = reinterpret_cast<sim::NetPlayerEntry>(found);
    return reinterpret_cast<void*>(&TimedNetPlayerEntry);
}

std::vector<ImportStandIn> ImportTaps() {
    std::vector<ImportStandIn> taps = kGdiplusTaps;
    taps.push_back({"dl_iterate_phdr", reinterpret_cast<void*>(&Timed<&dl_iterate_phdr, kLoaderCall>::Call)});
    taps.push_back({"dlopen", reinterpret_cast<void*>(&Timed<&dlopen, kLoaderCall>::Call)});
    taps.push_back({"dlclose", reinterpret_cast<void*>(&Timed<&dlclose, kLoaderCall>::Call)});
    taps.push_back({"dlsym", reinterpret_cast<void*>(&TimedDlsym)});
    return taps;
}

// The host's HostPanels entries and the copy the module calls in the split
// pass, whose every filled entry times the host's.
sim::HostPanels host_entries{};
sim::HostPanels timed_entries{};

// The entries that only read or write values; the element-list entries
// and the registration of a named variable are not repeated.
constexpr bool Repeatable(sim::HostPanelsEntry position) {
    return position == sim::kLookupModuleVariable || position == sim::kCheckNamedVariable ||
           position == sim::kGetNamedVariableValue || position == sim::kSetNamedVariableValue ||
           position == sim::kGetRegisteredInterface;
}

template <sim::HostPanelsEntry position, typename Fn>
struct TimedEntry;
template <sim::HostPanelsEntry position, typename R, typename... A>
struct TimedEntry<position, R(HOST_CALL*)(A...)> {
    static R HOST_CALL Call(A... arguments) {
        const TimedCall<kHostServiceCall> timed;
        const auto host = reinterpret_cast<R(HOST_CALL*)(A...)>(host_entries.entry[position]);
        if (Repeatable(position)) RepeatHostService([&] { host(arguments...); });
        return host(arguments...);
    }
};

template <sim::HostPanelsEntry position, typename Fn>
void Tap() {
    if (host_entries.entry[position] != nullptr)
        timed_entries.entry[position] = reinterpret_cast<void*>(&TimedEntry<position, Fn>::Call);
}

void TapHostPanels(const sim::HostPanels& table) {
    host_entries = table;
    timed_entries = table;
    Tap<sim::kElementListQuery, sim::ElementListFn>();
    Tap<sim::kElementListInstall, sim::ElementListInstallFn>();
    Tap<sim::kElementListInitialize, sim::ElementListFn>();
    Tap<sim::kElementListUpdate, sim::ElementListFn>();
    Tap<sim::kElementListGenerate, sim::ElementListGenerateFn>();
    Tap<sim::kElementListPlot, sim::ElementListFn>();
    Tap<sim::kElementListKill, sim::ElementListFn>();
    Tap<sim::kLookupModuleVariable, sim::LookupModuleVariableFn>();
    Tap<sim::kCheckNamedVariable, sim::NamedVariableLookupFn>();
    Tap<sim::kRegisterNamedVariable, sim::NamedVariableLookupFn>();
    Tap<sim::kGetNamedVariableValue, sim::GetNamedVariableValueFn>();
    Tap<sim::kSetNamedVariableValue, sim::SetNamedVariableValueFn>();
    Tap<sim::kGetRegisteredInterface, sim::GetRegisteredInterfaceFn>();
}

}  // namespace

class TimedTrafficComponent::TimedTrafficInfo final : public sim::TrafficInfo {
public:
    explicit TimedTrafficInfo(sim::TrafficInfo& traffic) : traffic_(traffic) {}
    sim::TrafficInfo& traffic() const { return traffic_; }

    sim::TrafficHandle HOST_CALL GetVariableHandle(const char* name) override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.GetVariableHandle(name); });
        return traffic_.GetVariableHandle(name);
    }
    sim::TrafficHandle HOST_CALL GetUnitsHandle(const char* name) override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.GetUnitsHandle(name); });
        return traffic_.GetUnitsHandle(name);
    }
    std::uint32_t HOST_CALL GetTrafficInRadius(double radius_m, std::uint32_t max_count,
                                               sim::TrafficId* ids) override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.GetTrafficInRadius(radius_m, max_count, ids); });
        return traffic_.GetTrafficInRadius(radius_m, max_count, ids);
    }
    std::int32_t HOST_CALL GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable, sim::TrafficHandle unit,
                                           double* result, std::uint32_t index) override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.GetNumericValue(id, variable, unit, result, index); });
        return traffic_.GetNumericValue(id, variable, unit, result, index);
    }
    std::int32_t HOST_CALL GetStringValue(sim::TrafficId id, sim::TrafficHandle variable, char* buffer,
                                          std::uint32_t buffer_size, std::uint32_t index) override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.GetStringValue(id, variable, buffer, buffer_size, index); });
        return traffic_.GetStringValue(id, variable, buffer, buffer_size, index);
    }
    std::uint32_t HOST_CALL ReducedDataFlag() override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.ReducedDataFlag(); });
        return traffic_.ReducedDataFlag();
    }
    const char* HOST_CALL GetTrafficName(sim::TrafficId id) override {
        const TimedCall<kHostServiceCall> timed;
        RepeatHostService([&] { traffic_.GetTrafficName(id); });
        return traffic_.GetTrafficName(id);
    }

private:
    sim::TrafficInfo& traffic_;
};

TimedTrafficComponent::TimedTrafficComponent(sim::RegisteredInterface& component) : component_(component) {}

TimedTrafficComponent::~TimedTrafficComponent() = default;

void* HOST_CALL TimedTrafficComponent::QueryInterface(const char* name) {
    void* found = nullptr;
    {
        const TimedCall<kHostServiceCall> timed;
        found = component_.QueryInterface(name);
    }
    if (found == nullptr || name == nullptr || std::strcmp(name, sim::kTrafficInterfaceName) != 0) return found;
    auto* traffic = static_cast<sim::TrafficInfo*>(found);
    if (!traffic_ || &traffic_->traffic() != traffic) traffic_ = std::make_unique<TimedTrafficInfo>(*traffic);
    return static_cast<sim::TrafficInfo*>(traffic_.get());
}

ServiceTaps::ServiceTaps(const std::string& module_path) : imports_(module_path, ImportTaps()) {
    if (!imports_.error().empty()) {
        error_ = imports_.error();
        return;
    }
    if (imports_.redirected() < kGdiplusTaps.size() / 2) {
        error_ = "the module's GDI+ imports were not found";
        return;
    }
    void* module = dlopen(module_path.c_str(), RTLD_NOLOAD | RTLD_NOW);
    if (module != nullptr) {
        import_table_ = static_cast<sim::ImportTableFormat*>(dlsym(module, "ImportTable"));
        dlclose(module);
    }
    if (import_table_ == nullptr || import_table_->panels.id != sim::kImportTablePanelsId ||
        import_table_->panels.pointer == nullptr) {
        import_table_ = nullptr;
        error_ = "the module's ImportTable holds no HostPanels table";
        return;
    }
    host_table_ = import_table_->panels.pointer;
    TapHostPanels(*static_cast<const sim::HostPanels*>(host_table_));
    import_table_->panels.pointer = &timed_entries;
}

ServiceTaps::~ServiceTaps() {
    if (import_table_ != nullptr) import_table_->panels.pointer = host_table_;
}

}  // namespace bench
