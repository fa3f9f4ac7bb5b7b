#include "fuzz_host.h"

#include <cstdlib>
#include <cstring>
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
    if (name == nullptr) return host::kNoNamedVariable;
    for (int id = 0; id < kKnownNameCount; ++id)
        if (strcasecmp(name, kKnownNames[id]) == 0) return id;
    return host::kNoNamedVariable;
}

constexpr std::int32_t kNeverIssuedId = 1 << 30;

std::int32_t StrayIdOf(const char* name) {
    if (name != nullptr && std::strcmp(name, "Radar Target Speed") == 0) return host::kNoNamedVariable;
    if (name != nullptr && std::strcmp(name, "Radar Target Altitude") == 0) return kNeverIssuedId;
    return IdOf(name);
}

// The module never hands get or set an id that no host could have issued.
void RequireIssuable(std::int32_t id) {
    if (id < 0) std::abort();
}

double ModuleVariableValue(const HostVariables& v, std::uint32_t token) {
    switch (token) {
        case host::kTokenOwnLatitude:
            return v.latitude_units;
        case host::kTokenOwnLongitude:
            return v.longitude_units;
        case host::kTokenOwnAltitude:
            return v.altitude_m;
        case host::kTokenOwnHeading:
            return v.heading_deg;
        case host::kTokenHostTime:
            return v.time_s;
        default:
            return 0.0;
    }
}

bool Hostile(bool flag) { return flag && g_host->input != nullptr && g_host->input->remaining_bytes() > 0; }

struct Entries {
    static void HOST_CALL ElementList(host::Element*) {}
    static void HOST_CALL ElementListInstall(host::Element*, host::ResourceHandle) {}
    static void HOST_CALL ElementListGenerate(host::Element*, std::uint32_t) {}

    static void HOST_CALL LookupModuleVariable(host::ModuleVariable* variable) {
        if (variable == nullptr) return;
        variable->value = Hostile(g_host->hostile_lookups) ? HostileDouble(*g_host->input, -1e6, 1e6)
                                                           : ModuleVariableValue(g_host->variables, variable->token);
    }

    static void HOST_CALL InitializeModuleVariable(host::ModuleVariable*) {}

    static std::int32_t HOST_CALL CheckNamedVariable(const char* name) {
        return g_host->stray_named_ids ? host::kNoNamedVariable : IdOf(name);
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
        if (id < kNamedVariableSlots) g_host->named_values[id] = value;
    }

    static void* HOST_CALL GetRegisteredInterface(const char* name) {
        if (name == nullptr || std::strcmp(name, host::kTrafficInterfaceName) != 0) return nullptr;
        return g_host->registered;
    }
};

template <typename Fn>
void Set(host::HostPanels& table, host::HostPanelsEntry position, Fn fn) {
    table.entry[position] = reinterpret_cast<void*>(fn);
}

void Fill(host::HostPanels& table) {
    table = host::HostPanels{};
    Set(table, host::kElementListQuery, &Entries::ElementList);
    Set(table, host::kElementListInstall, &Entries::ElementListInstall);
    Set(table, host::kElementListInitialize, &Entries::ElementList);
    Set(table, host::kElementListUpdate, &Entries::ElementList);
    Set(table, host::kElementListGenerate, &Entries::ElementListGenerate);
    Set(table, host::kElementListPlot, &Entries::ElementList);
    Set(table, host::kElementListKill, &Entries::ElementList);
    Set(table, host::kInitializeModuleVariable, &Entries::InitializeModuleVariable);
    Set(table, host::kLookupModuleVariable, &Entries::LookupModuleVariable);
    Set(table, host::kCheckNamedVariable, &Entries::CheckNamedVariable);
    Set(table, host::kRegisterNamedVariable, &Entries::RegisterNamedVariable);
    Set(table, host::kGetNamedVariableValue, &Entries::GetNamedVariableValue);
    Set(table, host::kSetNamedVariableValue, &Entries::SetNamedVariableValue);
    Set(table, host::kGetRegisteredInterface, &Entries::GetRegisteredInterface);
}

constexpr double kDegreesPerCircle = 360.0;

}  // namespace

void FuzzHost::Reset() {
    variables = HostVariables{};
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
        ImportTable.panels.id = host::kImportTablePanelsId;
        ImportTable.panels.pointer = &host.table;
    }
    return host;
}

double LatitudeUnits(double latitude_deg) { return latitude_deg / (kDegreesPerCircle * host::kLatitudeUnitFactor); }
double LongitudeUnits(double longitude_deg) {
    return longitude_deg / (kDegreesPerCircle * host::kLongitudeUnitFactor);
}

double OwnLatitudeDeg(const HostVariables& v) { return v.latitude_units * kDegreesPerCircle * host::kLatitudeUnitFactor; }
double OwnLongitudeDeg(const HostVariables& v) {
    return v.longitude_units * kDegreesPerCircle * host::kLongitudeUnitFactor;
}

}  // namespace fuzzsupport
