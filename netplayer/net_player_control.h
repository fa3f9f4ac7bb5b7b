// The control the panel host has over its network-player module: the player
// table the module hands out, the status its entry routine answers, and how
// often the radar asked for the table. Shared by the module and the host.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"

namespace netplayer {

struct NetPlayerControl {
    std::int32_t status;   // answered by get_main_data_pointer; 1 = the table is valid
    std::uint32_t calls;   // calls of get_main_data_pointer so far
    unsigned char* table;  // sim::kNetPlayerTableBytes, owned by the module
};

// The module's second export: its control record.
using NetPlayerControlFn = NetPlayerControl*(HOST_CDECL*)();
constexpr const char* kNetPlayerControlName = "net_player_control";

}  // namespace netplayer
