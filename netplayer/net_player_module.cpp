// The panel host's network-player module, a module file of its own named
// "IBNetPlayer.gau". It owns the player table; the panel host fills the
// slots and chooses the status through the control export, and the radar
// finds the module by name and reads the table in place.
#include <cstdint>

#include "net_player_control.h"

#if defined(_WIN32)
#define NETPLAYER_EXPORT extern "C"  // exported by name through the .def file
#else
#define NETPLAYER_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

alignas(8) unsigned char player_table[sim::kNetPlayerTableBytes];

netplayer::NetPlayerControl control = {sim::kNetPlayerStatusOk, 0, player_table};

}  // namespace

// The table's address goes out whatever the status: only status 1 says it
// may be read.
NETPLAYER_EXPORT std::int32_t HOST_CDECL get_main_data_pointer(void** table) {
    ++control.calls;
    if (table != nullptr) *table = player_table;
    return control.status;
}

NETPLAYER_EXPORT netplayer::NetPlayerControl* HOST_CDECL net_player_control() { return &control; }
