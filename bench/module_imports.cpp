#include "module_imports.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace bench {

#if defined(__x86_64__)

namespace {

// The loader rewrites most address entries of a loaded object's dynamic
// section to run-time addresses; one it left as an offset is taken from the
// object's base.
template <typename T>
T* AddressOf(const link_map& map, ElfW(Addr) value) {
    return reinterpret_cast<T*>(value < map.l_addr ? map.l_addr + value : value);
}

struct DynamicTables {
    const ElfW(Sym)* symbols = nullptr;
    const char* strings = nullptr;
    const ElfW(Rela)* plt = nullptr;
    std::size_t plt_bytes = 0;
    const ElfW(Rela)* data = nullptr;
    std::size_t data_bytes = 0;
};

DynamicTables ReadDynamic(const link_map& map) {
    DynamicTables tables;
    for (const ElfW(Dyn)* entry = map.l_ld; entry->d_tag != DT_NULL; ++entry) {
        switch (entry->d_tag) {
            case DT_SYMTAB: tables.symbols = AddressOf<const ElfW(Sym)>(map, entry->d_un.d_ptr); break;
            case DT_STRTAB: tables.strings = AddressOf<const char>(map, entry->d_un.d_ptr); break;
            case DT_JMPREL: tables.plt = AddressOf<const ElfW(Rela)>(map, entry->d_un.d_ptr); break;
            case DT_PLTRELSZ: tables.plt_bytes = entry->d_un.d_val; break;
            case DT_RELA: tables.data = AddressOf<const ElfW(Rela)>(map, entry->d_un.d_ptr); break;
            case DT_RELASZ: tables.data_bytes = entry->d_un.d_val; break;
            default: break;
        }
    }
    return tables;
}

bool IsImportSlot(const ElfW(Rela)& relocation) {
    const auto type = ELF64_R_TYPE(relocation.r_info);
    return type == R_X86_64_JUMP_SLOT || type == R_X86_64_GLOB_DAT;
}

const ImportStandIn* StandInFor(const char* symbol, const std::vector<ImportStandIn>& stand_ins) {
    for (const ImportStandIn& stand_in : stand_ins) {
        if (std::strcmp(stand_in.symbol, symbol) == 0) return &stand_in;
    }
    return nullptr;
}

}  // namespace

ImportRedirection::ImportRedirection(const std::string& module_path, const std::vector<ImportStandIn>& stand_ins) {
    void* handle = dlopen(module_path.c_str(), RTLD_NOLOAD | RTLD_NOW);
    if (handle == nullptr) {
        error_ = module_path + " is not loaded";
        return;
    }
    link_map* map = nullptr;
    const bool have_map = dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr;
    dlclose(handle);  // the host's own reference keeps it loaded
    if (!have_map) {
        error_ = "no link map for " + module_path;
        return;
    }
    const DynamicTables tables = ReadDynamic(*map);
    if (tables.symbols == nullptr || tables.strings == nullptr) {
        error_ = module_path + " has no dynamic symbols";
        return;
    }
    const std::pair<const ElfW(Rela)*, std::size_t> sections[] = {{tables.plt, tables.plt_bytes},
                                                                  {tables.data, tables.data_bytes}};
    for (const auto& [relocations, bytes] : sections) {
        if (relocations == nullptr) continue;
        for (std::size_t i = 0; i < bytes / sizeof(ElfW(Rela)); ++i) {
            const ElfW(Rela)& relocation = relocations[i];
            if (!IsImportSlot(relocation)) continue;
            const char* symbol = tables.strings + tables.symbols[ELF64_R_SYM(relocation.r_info)].st_name;
            const ImportStandIn* stand_in = StandInFor(symbol, stand_ins);
            if (stand_in == nullptr) continue;
            void** slot = reinterpret_cast<void**>(map->l_addr + relocation.r_offset);
            saved_.emplace_back(slot, *slot);
            Write(slot, stand_in->function);
        }
    }
}

#else

ImportRedirection::ImportRedirection(const std::string&, const std::vector<ImportStandIn>&)
    : error_("imports are redirected on x86-64 only") {}

#endif

void ImportRedirection::Restore() {
    for (const auto& [slot, original] : saved_) Write(slot, original);
    saved_.clear();
}

// Slots made read-only after relocation (RELRO) are made writable first;
// they stay so, which only a benchmark can afford.
void ImportRedirection::Write(void** slot, void* value) {
    const auto page_bytes = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t page = reinterpret_cast<std::uintptr_t>(slot) & ~(page_bytes - 1);
    mprotect(reinterpret_cast<void*>(page), page_bytes, PROT_READ | PROT_WRITE);
    *slot = value;
}

}  // namespace bench
