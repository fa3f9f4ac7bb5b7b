#include "sky/net_player_module.h"

#include <filesystem>

#include "net_player_control.h"
#include "sky/net_player_slots.h"
#include "platform/host_abi.h"
#include "panel/program_folder.h"

namespace panelhost {

std::unique_ptr<NetPlayerModule> NetPlayerModule::Load(const std::string& path, std::string* error) {
    std::unique_ptr<LoadedLibrary> library = LoadedLibrary::Open(path, error);
    if (!library) return nullptr;
    auto control_export = reinterpret_cast<netplayer::NetPlayerControlFn>(library->Find(netplayer::kNetPlayerControlName));
    netplayer::NetPlayerControl* control = control_export ? control_export() : nullptr;
    if (library->Find(sim::kNetPlayerEntryName) == nullptr || control == nullptr || control->table == nullptr) {
        if (error)
            *error = path + " is not the panel host's network-player module (exports " + sim::kNetPlayerEntryName +
                     " and " + netplayer::kNetPlayerControlName + ")";
        return nullptr;
    }
    return std::unique_ptr<NetPlayerModule>(new NetPlayerModule(std::move(library), control));
}

NetPlayerModule::~NetPlayerModule() = default;

void NetPlayerModule::SetStatus(std::int32_t status) { control_->status = status; }

void NetPlayerModule::WritePlayers(const std::vector<Flight>& players) {
    WriteNetPlayerTable(players, control_->table);
}

std::uint32_t NetPlayerModule::entry_calls() const { return control_->calls; }

const unsigned char* NetPlayerModule::table() const { return control_->table; }

std::vector<std::string> NetPlayerModuleCandidates() {
    std::vector<std::string> candidates;
    std::filesystem::path folder = ProgramFolder();
    if (!folder.empty()) candidates.push_back((folder / sim::kNetPlayerModuleName).string());
#if defined(PANEL_HOST_NETPLAYER_PATH)
    candidates.emplace_back(PANEL_HOST_NETPLAYER_PATH);
#endif
    return candidates;
}

}  // namespace panelhost
