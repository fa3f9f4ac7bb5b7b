#include "panel/module_file.h"

#include "panel/bounded_string.h"
#include "panel/mouse_rects.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#endif

namespace panelhost {
namespace {

#if defined(_WIN32)

// The system's own words for a loader error, on one line.
std::string SystemErrorText(DWORD code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    std::string line(text, length < sizeof text ? length : 0);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    // Some texts name the file as an insert ("%1 is not a valid Win32 application.").
    const std::size_t insert = line.find("%1");
    if (insert != std::string::npos) line.replace(insert, 2, "the file");
    return line;
}

void* OpenLibrary(const std::string& path, std::string* error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr && error) {
        const DWORD code = GetLastError();
        const std::string reason = SystemErrorText(code);
        *error = "cannot load " + path + (reason.empty() ? "" : ": " + reason) + " (error " + std::to_string(code) + ")";
    }
    return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void CloseLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }

// The loaded image, from its own headers.
std::vector<std::pair<std::uintptr_t, std::uintptr_t>> LoadedImage(void* handle) {
    const auto base = reinterpret_cast<std::uintptr_t>(handle);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(handle);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return {{base, base + nt->OptionalHeader.SizeOfImage}};
}

#else

void* OpenLibrary(const std::string& path, std::string* error) {
    // A bare file name would be searched for on the library path.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr && error) {
        const char* reason = dlerror();
        *error = reason ? reason : ("cannot load " + path);
    }
    return handle;
}

void* FindSymbol(void* handle, const char* name) { return dlsym(handle, name); }

void CloseLibrary(void* handle) { dlclose(handle); }

// The loaded segments of the object at this load address.
struct SegmentSearch {
    ElfW(Addr) load_address;
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> segments;
};

int CollectSegments(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<SegmentSearch*>(data);
    if (info->dlpi_addr != search->load_address) return 0;
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const std::uintptr_t first = info->dlpi_addr + segment.p_vaddr;
        search->segments.emplace_back(first, first + segment.p_memsz);
    }
    return search->segments.empty() ? 0 : 1;
}

std::vector<std::pair<std::uintptr_t, std::uintptr_t>> LoadedImage(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return {};
    SegmentSearch search{map->l_addr, {}};
    dl_iterate_phdr(&CollectSegments, &search);
    return search.segments;
}

#endif

}  // namespace

std::unique_ptr<LoadedLibrary> LoadedLibrary::Open(const std::string& path, std::string* error) {
    void* handle = OpenLibrary(path, error);
    if (handle == nullptr) return nullptr;
    return std::unique_ptr<LoadedLibrary>(new LoadedLibrary(handle));
}

bool ModuleFile::HoldsData(const void* data, std::size_t bytes) const {
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    for (const ByteRange& range : image_) {
        if (first >= range.first && first <= range.second && range.second - first >= bytes) return true;
    }
    return false;
}

std::string ModuleFile::MouseListFault() const {
    for (sim::GaugeHeader* header : Gauges()) {
        if (!HoldsData(header, sizeof(sim::GaugeHeader) - sizeof(header->reserve)))
            return "a gauge header of Linkage lies outside the module";
        if (header->mouse_rects != nullptr && MouseListEnd(*this, header->mouse_rects) == nullptr) {
            return "the mouse rectangles of gauge \"" + std::string(GaugeName(header)) +
                   "\" have no end-of-list record (type 0) within the module's data";
        }
    }
    return {};
}

const sim::MouseRect* MouseListEnd(const ModuleFile& module, const sim::MouseRect* rects) {
    for (std::size_t i = 0; i < kMaxMouseRects && module.HoldsData(&rects[i], sizeof rects[i]); ++i) {
        if (rects[i].type == sim::kMouseRectEndOfList) return &rects[i];
    }
    return nullptr;
}

LoadedLibrary::~LoadedLibrary() { CloseLibrary(handle_); }

void* LoadedLibrary::Find(const char* name) const { return FindSymbol(handle_, name); }

std::unique_ptr<ModuleFile> ModuleFile::Load(const std::string& path, std::string* error) {
    std::unique_ptr<LoadedLibrary> library = LoadedLibrary::Open(path, error);
    if (!library) return nullptr;
    auto* import_table = static_cast<sim::ImportEntry*>(library->Find("ImportTable"));
    auto* linkage = static_cast<sim::LinkageFormat*>(library->Find("Linkage"));
    if (import_table == nullptr || linkage == nullptr) {
        if (error) *error = path + " does not export ImportTable and Linkage";
        return nullptr;
    }
    std::vector<ModuleFile::ByteRange> image = LoadedImage(library->handle());
    std::unique_ptr<ModuleFile> module(new ModuleFile(std::move(library), import_table, linkage, std::move(image)));
    const std::string fault = module->MouseListFault();
    if (!fault.empty()) {
        if (error) *error = path + ": " + fault;
        return nullptr;
    }
    return module;
}

ModuleFile::~ModuleFile() = default;

bool ModuleFile::InstallPanels(const sim::HostPanels* table) {
    for (std::size_t i = 0; i < kMaxImportEntries && import_table_[i].id != 0; ++i) {
        if (import_table_[i].id == sim::kImportTablePanelsId) {
            import_table_[i].pointer = const_cast<sim::HostPanels*>(table);
            return true;
        }
    }
    return false;
}

std::vector<sim::GaugeHeader*> ModuleFile::Gauges() const {
    std::vector<sim::GaugeHeader*> gauges;
    for (sim::GaugeHeader* header : linkage_->gauges) {
        if (header == nullptr) break;
        gauges.push_back(header);
    }
    return gauges;
}

sim::GaugeHeader* ModuleFile::FindGauge(std::string_view name) const {
    for (sim::GaugeHeader* header : Gauges()) {
        if (GaugeName(header) == name) return header;
    }
    return nullptr;
}

std::string_view GaugeName(const sim::GaugeHeader* header) {
    return header ? BoundedString(header->name, kMaxGaugeNameLength) : std::string_view();
}

}  // namespace panelhost
