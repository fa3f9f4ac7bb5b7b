// The network-player module file ("IBNetPlayer.gau", built from netplayer/),
// loaded by path and controlled through its control export: the host fills
// its player table and chooses the status its entry routine answers. Once
// loaded, the radar finds it by its file name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "panel/module_file.h"
#include "sky/scenario.h"

namespace netplayer {
struct NetPlayerControl;
}

namespace panelhost {

class NetPlayerModule {
public:
    // Null with `error` filled when the file cannot be loaded or lacks the
    // entry routine or the control export.
    static std::unique_ptr<NetPlayerModule> Load(const std::string& path, std::string* error);
    ~NetPlayerModule();  // unloads the module
    NetPlayerModule(const NetPlayerModule&) = delete;
    NetPlayerModule& operator=(const NetPlayerModule&) = delete;

    void SetStatus(std::int32_t status);
    // Rewrites the whole table: these players from slot 0, the rest inactive.
    void WritePlayers(const std::vector<Flight>& players);

    // Calls of the entry routine so far (the radar's and anyone else's).
    std::uint32_t entry_calls() const;
    const unsigned char* table() const;

private:
    NetPlayerModule(std::unique_ptr<LoadedLibrary> library, netplayer::NetPlayerControl* control)
        : library_(std::move(library)), control_(control) {}

    std::unique_ptr<LoadedLibrary> library_;
    netplayer::NetPlayerControl* control_;
};

// Where the panel host looks for the module when it is not told: next to its
// own program file, then where the build put it.
std::vector<std::string> NetPlayerModuleCandidates();

}  // namespace panelhost
