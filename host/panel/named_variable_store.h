// The panel's named variables as the simulator keeps them: string names
// compared without regard to case, 32-bit identifiers from 0 in the order
// of creation, and a double value each (0 when created).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panelhost {

using NamedVariableId = std::int32_t;
constexpr NamedVariableId kNoVariable = -1;  // the host's answer for a name nobody created

// Names longer than this are cut: a name without a terminator is read no further.
constexpr std::size_t kMaxNamedVariableNameLength = 255;

struct NamedVariable {
    std::string name;
    double value = 0.0;
};

class NamedVariableStore {
public:
    // The identifier of an existing variable, or kNoVariable.
    NamedVariableId Find(std::string_view name) const;
    // Creates the variable if needed; kNoVariable for an empty name.
    NamedVariableId Register(std::string_view name);

    // 0.0 for an unknown identifier.
    double Get(NamedVariableId id) const;
    // False (and nothing stored) for an unknown identifier.
    bool Set(NamedVariableId id, double value);

    // By name, as a panel designer's gauge writes it: created if needed.
    void SetByName(std::string_view name, double value);
    // The value, or `fallback` when there is no such variable.
    double ValueOr(std::string_view name, double fallback) const;

    // Every variable, in identifier order (identifier = index).
    const std::vector<NamedVariable>& variables() const { return variables_; }

private:
    std::vector<NamedVariable> variables_;
};

// A host string argument as a name: empty for null, cut at the bound.
std::string_view HostName(const char* name);

}  // namespace panelhost
