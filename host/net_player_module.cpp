#include "net_player_module.h"

#include <filesystem>

#include "net_player_control.h"
#include "net_player_slots.h"
#include "platform/host_abi.h"
#include "program_folder.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace panelhost {
namespace {

#if defined(_WIN32)

void* OpenModule(const std::string& path, std::string* error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
}

void* FindExport(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void CloseModule(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }

#else

void* OpenModule(const std::string& path, std::string* error) {
    // A bare file name would be searched for on the library path.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        *error = reason ? reason : "cannot load " + path;
    }
    return module;
}

void* FindExport(void* module, const char* name) { return dlsym(module, name); }

void CloseModule(void* module) { dlclose(module); }

#endif

}  // namespace

std::unique_ptr<NetPlayerModule> NetPlayerModule::Load(const std::string& path, std::string* error) {
    std::string ignored;
    if (error == nullptr) error = &ignored;
    void* handle = OpenModule(path, error);
    if (handle == nullptr) return nullptr;
    auto control_export =
        reinterpret_cast<netplayer::NetPlayerControlFn>(FindExport(handle, netplayer::kNetPlayerControlName));
    netplayer::NetPlayerControl* control = control_export ? control_export() : nullptr;
    if (FindExport(handle, host::kNetPlayerEntryName) == nullptr || control == nullptr || control->table == nullptr) {
        *error = path + " is not the panel host's network-player module (exports " + host::kNetPlayerEntryName +
                 " and " + netplayer::kNetPlayerControlName + ")";
        CloseModule(handle);
        return nullptr;
    }
    return std::unique_ptr<NetPlayerModule>(new NetPlayerModule(handle, control));
}

NetPlayerModule::~NetPlayerModule() { CloseModule(handle_); }

void NetPlayerModule::SetStatus(std::int32_t status) { control_->status = status; }

void NetPlayerModule::WritePlayers(const std::vector<Flight>& players) {
    WriteNetPlayerTable(players, control_->table);
}

std::uint32_t NetPlayerModule::entry_calls() const { return control_->calls; }

const unsigned char* NetPlayerModule::table() const { return control_->table; }

std::vector<std::string> NetPlayerModuleCandidates() {
    std::vector<std::string> candidates;
    std::filesystem::path folder = ProgramFolder();
    if (!folder.empty()) candidates.push_back((folder / host::kNetPlayerModuleName).string());
#if defined(PANEL_HOST_NETPLAYER_PATH)
    candidates.emplace_back(PANEL_HOST_NETPLAYER_PATH);
#endif
    return candidates;
}

}  // namespace panelhost
