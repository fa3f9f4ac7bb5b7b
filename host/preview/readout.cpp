#include "readout.h"

#include <cstdio>

#include "panel/panel_host.h"

namespace preview {
namespace {

struct ShownValue {
    const char* variable;
    const char* label;
    const char* unit;
};

constexpr ShownValue kFirstLine[] = {
    {"Radar Target Selected", "Radar Target Selected", ""},
    {"Radar Target Latitude", "Latitude", " deg"},
    {"Radar Target Longitude", "Longitude", " deg"},
    {"Radar Target Altitude", "Altitude", " ft"},
};
constexpr ShownValue kSecondLine[] = {
    {"Radar Target Distance", "Distance", " NM"},
    {"Radar Target Speed", "Speed", " kt"},
    {"Radar Target Vertical Speed", "Vertical Speed", " ft/min"},
};

std::string Value(const panelhost::NamedVariableStore& variables, const char* name, const char* unit) {
    if (variables.Find(name) == panelhost::kNoVariable) return "-";
    char text[48];
    std::snprintf(text, sizeof text, "%.8g%s", variables.ValueOr(name, 0.0), unit);
    return text;
}

template <std::size_t N>
std::string ValuesLine(const panelhost::NamedVariableStore& variables, const ShownValue (&values)[N]) {
    std::string line;
    for (const ShownValue& value : values) {
        line += (line.empty() ? "" : "     ") + std::string(value.label) + "  " + Value(variables, value.variable, value.unit);
    }
    return line;
}

std::string StatusLine(const panelhost::NamedVariableStore& variables, const PreviewStatus& status) {
    char head[96];
    std::snprintf(head, sizeof head, "t=%.2f s %s     heading %.0f deg", status.time_s,
                  status.paused ? "PAUSED" : "running", status.heading_deg);
    std::string line = head;
    line += "     Radar Mode " + Value(variables, panelhost::kRadarModeVariable, "");
    line += "     Radar Range " + Value(variables, panelhost::kRadarRangeVariable, " NM");
    return line + "     sky: " + status.sky;
}

}  // namespace

std::vector<std::string> ReadoutLines(const panelhost::NamedVariableStore& variables, const PreviewStatus& status) {
    return {ValuesLine(variables, kFirstLine), ValuesLine(variables, kSecondLine), StatusLine(variables, status)};
}

}  // namespace preview
