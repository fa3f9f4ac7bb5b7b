#include "fuzz_host.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <strings.h>

#include "hostile_values.h"
#include "module/module_exports.h"

namespace fuzzsupport {
namespace {

constexpr const char* kKnownNames[] = {
    "Radar Mode",
    "Radar Range",
    "Radar Target Selected",
    "Radar Target Latitude",
    "Radar Target Longitude",
    "Radar Target Altitude",
    "Radar Target Distance",
    "Radar Target Speed",
    "Radar Target Vertical Speed",
};
constexpr int kKnownNameCount = sizeof(kKnownNames) / sizeof(kKnownNames[0]);
static_assert(kKnownNameCount <= kNamedVariableSlots, "room for every known name");

FuzzHost* g_host = nullptr;

std::int32_t IdOf(const char* name) {
    if (name == nullptr) return sim::kNoNamedVariable;
    for (int id = 0; id < kKnownNameCount; ++id)
        if (strcasecmp(name, kKnownNames[id]) == 0) return id;
    return sim::kNoNamedVariable;
}

constexpr std::int32_t kNeverIssuedId = 1 << 30;

std::int32_t StrayIdOf(const char* name) {
    if (name != nullptr && std::strcmp(name, "Radar Target Speed") == 0) return sim::kNoNamedVariable;
    if (name != nullptr && std::strcmp(name, "Radar Target Altitude") == 0) return kNeverIssuedId;
    return IdOf(name);
}

// The module never hands get or set an id that no host could have issued.
void RequireIssuable(std::int32_t id) {
    if (id < 0) std::abort();
}

// What the module publishes is a number: a value it does not know is -1.
void RequirePublishable(double value) {
    if (std::isfinite(value)) return;
    std::fprintf(stderr, "fuzz check failed: the module publishes a value that is not a number\n");
    std::abort();
}

double ModuleVariableValue(const HostVariables& v, std::uint32_t token) {
    switch (token) {
        case sim::kTokenOwnLatitude:
            return v.latitude_units;
        case sim::kTokenOwnLongitude:
            return v.longitude_units;
        case sim::kTokenOwnAltitude:
            return v.altitude_m;
        case sim::kTokenOwnHeading:
            return v.heading_deg;
        case sim::kTokenHostTime:
            return v.time_s;
        default:
            return 0.0;
    }
}

bool Hostile(bool flag) { return flag && g_host->input != nullptr && g_host->input->remaining_bytes() > 0; }

struct Entries {
    static void HOST_CALL ElementList(sim::Element*) {}
    static void HOST_CALL ElementListInstall(sim::Element*, sim::ResourceHandle) {}
    static void HOST_CALL ElementListGenerate(sim::Element*, std::uint32_t) {}

    static void HOST_CALL LookupModuleVariable(sim::ModuleVariable* variable) {
        if (variable == nullptr) return;
        variable->value = Hostile(g_host->hostile_lookups) ? HostileDouble(*g_host->input, -1e6, 1e6)
                                                           : ModuleVariableValue(g_host->variables, variable->token);
    }

    static void HOST_CALL InitializeModuleVariable(sim::ModuleVariable*) {}

    static std::int32_t HOST_CALL CheckNamedVariable(const char* name) {
        return g_host->stray_named_ids ? sim::kNoNamedVariable : IdOf(name);
    }
    static std::int32_t HOST_CALL RegisterNamedVariable(const char* name) {
        return g_host->stray_named_ids ? StrayIdOf(name) : IdOf(name);
    }

    static double HOST_CALL GetNamedVariableValue(std::int32_t id) {
        RequireIssuable(id);
        if (Hostile(g_host->hostile_named_values)) return HostileDouble(*g_host->input, -10.0, 1000.0);
        return id < kNamedVariableSlots ? g_host->named_values[id] : 0.0;
    }

    static void HOST_CALL SetNamedVariableValue(std::int32_t id, double value) {
        RequireIssuable(id);
        RequirePublishable(value);
        if (id < kNamedVariableSlots) g_host->named_values[id] = value;
    }

    static void* HOST_CALL GetRegisteredInterface(const char* name) {
        if (name == nullptr || std::strcmp(name, sim::kTrafficInterfaceName) != 0) return nullptr;
        return g_host->registered;
    }
};

template <typename Fn>
void Set(sim::HostPanels& table, sim::HostPanelsEntry position, Fn fn) {
    table.entry[position] = reinterpret_cast<void*>(fn);
}

void Fill(sim::HostPanels& table) {
    table = sim::HostPanels{};
    Set(table, sim::kElementListQuery, &Entries::ElementList);
    Set(table, sim::kElementListInstall, &Entries::ElementListInstall);
    Set(table, sim::kElementListInitialize, &Entries::ElementList);
    Set(table, sim::kElementListUpdate, &Entries::ElementList);
    Set(table, sim::kElementListGenerate, &Entries::ElementListGenerate);
    Set(table, sim::kElementListPlot, &Entries::ElementList);
    Set(table, sim::kElementListKill, &Entries::ElementList);
    Set(table, sim::kInitializeModuleVariable, &Entries::InitializeModuleVariable);
    Set(table, sim::kLookupModuleVariable, &Entries::LookupModuleVariable);
    Set(table, sim::kCheckNamedVariable, &Entries::CheckNamedVariable);
    Set(table, sim::kRegisterNamedVariable, &Entries::RegisterNamedVariable);
    Set(table, sim::kGetNamedVariableValue, &Entries::GetNamedVariableValue);
    Set(table, sim::kSetNamedVariableValue, &Entries::SetNamedVariableValue);
    Set(table, sim::kGetRegisteredInterface, &Entries::GetRegisteredInterface);
}

constexpr double kDegreesPerCircle = 360.0;

}  // namespace

void FuzzHost::Reset() {
    variables = HostVariables{};
    std::fill(std::begin(named_values), std::end(named_values), 0.0);
    hostile_lookups = false;
    hostile_named_values = false;
    stray_named_ids = false;
    input = nullptr;
    registered = nullptr;
    Fill(table);
}

FuzzHost& Host() {
    static FuzzHost host;
    if (g_host == nullptr) {
        g_host = &host;
        host.Reset();
        ImportTable.panels.id = sim::kImportTablePanelsId;
        ImportTable.panels.pointer = &host.table;
    }
    return host;
}

double LatitudeUnits(double latitude_deg) { return latitude_deg / (kDegreesPerCircle * sim::kLatitudeUnitFactor); }
double LongitudeUnits(double longitude_deg) {
    return longitude_deg / (kDegreesPerCircle * sim::kLongitudeUnitFactor);
}

double OwnLatitudeDeg(const HostVariables& v) { return v.latitude_units * kDegreesPerCircle * sim::kLatitudeUnitFactor; }
double OwnLongitudeDeg(const HostVariables& v) {
    return v.longitude_units * kDegreesPerCircle * sim::kLongitudeUnitFactor;
}

}  // namespace fuzzsupport
