#include "panel/named_variable_store.h"

#include "panel/bounded_string.h"

namespace panelhost {

NamedVariableId NamedVariableStore::Find(std::string_view name) const {
    if (name.empty()) return 0;
    for (std::size_t i = 0; i < variables_.size(); ++i) {
        if (variables_[i].name == name) return static_cast<NamedVariableId>(i + 1);
    }
    return 0;
}

NamedVariableId NamedVariableStore::Register(std::string_view name) {
    if (name.empty()) return 0;
    if (NamedVariableId id = Find(name)) return id;
    variables_.push_back(NamedVariable{std::string(name), 0.0});
    return static_cast<NamedVariableId>(variables_.size());
}

double NamedVariableStore::Get(NamedVariableId id) const {
    if (id < 1 || static_cast<std::size_t>(id) > variables_.size()) return 0.0;
    return variables_[static_cast<std::size_t>(id) - 1].value;
}

bool NamedVariableStore::Set(NamedVariableId id, double value) {
    if (id < 1 || static_cast<std::size_t>(id) > variables_.size()) return false;
    variables_[static_cast<std::size_t>(id) - 1].value = value;
    return true;
}

void NamedVariableStore::SetByName(std::string_view name, double value) {
    Set(Register(name), value);
}

double NamedVariableStore::ValueOr(std::string_view name, double fallback) const {
    NamedVariableId id = Find(name);
    return id != 0 ? Get(id) : fallback;
}

std::string_view HostName(const char* name) { return BoundedString(name, kMaxNamedVariableNameLength); }

}  // namespace panelhost
