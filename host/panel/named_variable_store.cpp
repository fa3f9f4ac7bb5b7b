#include "panel/named_variable_store.h"

#include <cctype>

#include "panel/bounded_string.h"

namespace panelhost {
namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

}  // namespace

NamedVariableId NamedVariableStore::Find(std::string_view name) const {
    if (name.empty()) return kNoVariable;
    for (std::size_t i = 0; i < variables_.size(); ++i) {
        if (SameName(variables_[i].name, name)) return static_cast<NamedVariableId>(i);
    }
    return kNoVariable;
}

NamedVariableId NamedVariableStore::Register(std::string_view name) {
    if (name.empty()) return kNoVariable;
    const NamedVariableId id = Find(name);
    if (id != kNoVariable) return id;
    variables_.push_back(NamedVariable{std::string(name), 0.0});
    return static_cast<NamedVariableId>(variables_.size() - 1);
}

double NamedVariableStore::Get(NamedVariableId id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= variables_.size()) return 0.0;
    return variables_[static_cast<std::size_t>(id)].value;
}

bool NamedVariableStore::Set(NamedVariableId id, double value) {
    if (id < 0 || static_cast<std::size_t>(id) >= variables_.size()) return false;
    variables_[static_cast<std::size_t>(id)].value = value;
    return true;
}

void NamedVariableStore::SetByName(std::string_view name, double value) {
    Set(Register(name), value);
}

double NamedVariableStore::ValueOr(std::string_view name, double fallback) const {
    const NamedVariableId id = Find(name);
    return id != kNoVariable ? Get(id) : fallback;
}

std::string_view HostName(const char* name) { return BoundedString(name, kMaxNamedVariableNameLength); }

}  // namespace panelhost
