// A gauge module file loaded by path, as the simulator loads it: found
// through its two exported tables only.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_abi.h"

namespace panelhost {

// Longest gauge name read from a header; a name without terminator is cut.
constexpr std::size_t kMaxGaugeNameLength = 255;
// Entries of ImportTable looked at before its terminator must have come.
constexpr std::size_t kMaxImportEntries = 64;

class ModuleFile {
public:
    // Loads the module; null with `error` filled when it cannot be loaded or
    // lacks ImportTable or Linkage.
    static std::unique_ptr<ModuleFile> Load(const std::string& path, std::string* error);
    ~ModuleFile();  // unloads the module
    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    // Writes the table pointer into the ImportTable entry with identifier
    // 0x0F. False when the module has no such entry.
    bool InstallPanels(const host::HostPanels* table);

    const host::LinkageFormat& linkage() const { return *linkage_; }
    // The gauge headers of Linkage, up to its null.
    std::vector<host::GaugeHeader*> Gauges() const;
    // The header with this name, or null.
    host::GaugeHeader* FindGauge(std::string_view name) const;

    // The module's resource handle, passed to the install routines.
    host::ResourceHandle resource_handle() const { return handle_; }

private:
    ModuleFile(void* handle, host::ImportEntry* import_table, host::LinkageFormat* linkage)
        : handle_(handle), import_table_(import_table), linkage_(linkage) {}

    void* handle_;
    host::ImportEntry* import_table_;
    host::LinkageFormat* linkage_;
};

// A gauge header's name, empty for none.
std::string_view GaugeName(const host::GaugeHeader* header);

}  // namespace panelhost
