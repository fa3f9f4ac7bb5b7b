// A gauge module file loaded by path, as the simulator loads it: found
// through its two exported tables only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host_abi.h"

namespace panelhost {

// A module file opened by path, its exports found by name, closed when the
// object goes: how the panel loads the gauge module and the sky's
// network-player module alike.
class LoadedLibrary {
public:
    // Null with `error` filled (the system's reason where it gives one)
    // when the file cannot be loaded; `error` may be null.
    static std::unique_ptr<LoadedLibrary> Open(const std::string& path, std::string* error);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // The export of this name, or null.
    void* Find(const char* name) const;
    // The system's handle of the loaded file (on Windows its HINSTANCE).
    void* handle() const { return handle_; }

private:
    explicit LoadedLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// Longest gauge name read from a header; a name without terminator is cut.
constexpr std::size_t kMaxGaugeNameLength = 255;
// Entries of ImportTable looked at before its terminator must have come.
constexpr std::size_t kMaxImportEntries = 64;

class ModuleFile {
public:
    // Loads the module; null with `error` filled when it cannot be loaded,
    // lacks ImportTable or Linkage, or a gauge's mouse list does not reach
    // its end-of-list record within the module's data.
    static std::unique_ptr<ModuleFile> Load(const std::string& path, std::string* error);
    ~ModuleFile();  // unloads the module
    ModuleFile(const ModuleFile&) = delete;
    ModuleFile& operator=(const ModuleFile&) = delete;

    // Writes the table pointer into the ImportTable entry with identifier
    // 0x0F. False when the module has no such entry.
    bool InstallPanels(const sim::HostPanels* table);

    const sim::LinkageFormat& linkage() const { return *linkage_; }
    // The gauge headers of Linkage, up to its null.
    std::vector<sim::GaugeHeader*> Gauges() const;
    // The header with this name, or null.
    sim::GaugeHeader* FindGauge(std::string_view name) const;

    // The module's resource handle, passed to the install routines.
    sim::ResourceHandle resource_handle() const { return library_->handle(); }

    // True when these bytes lie wholly within the module's loaded image.
    bool HoldsData(const void* data, std::size_t bytes) const;

private:
    using ByteRange = std::pair<std::uintptr_t, std::uintptr_t>;  // [first, end)

    ModuleFile(std::unique_ptr<LoadedLibrary> library, sim::ImportEntry* import_table, sim::LinkageFormat* linkage,
               std::vector<ByteRange> image)
        : library_(std::move(library)), import_table_(import_table), linkage_(linkage), image_(std::move(image)) {}

    // Empty when every gauge's mouse list ends within the image, else why not.
    std::string MouseListFault() const;

    std::unique_ptr<LoadedLibrary> library_;
    sim::ImportEntry* import_table_;
    sim::LinkageFormat* linkage_;
    std::vector<ByteRange> image_;
};

// The list of a gauge's mouse rectangles, walked as the host walks it: up to
// the end-of-list record, taking only records within the module's image and
// at most kMaxMouseRects of them. Null when the list does not end so.
const sim::MouseRect* MouseListEnd(const ModuleFile& module, const sim::MouseRect* rects);

// A gauge header's name, empty for none.
std::string_view GaugeName(const sim::GaugeHeader* header);

}  // namespace panelhost
