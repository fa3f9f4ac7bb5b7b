// A stand-in network-player module, built as a shared library named like the
// real one. The tests load it by path; the system then finds it by name.
#include <cstdint>

#include "fake_netplayer_control.h"

#define FAKE_NETPLAYER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

FakeNetPlayerControl control = {0, nullptr, 0};

}  // namespace

FAKE_NETPLAYER_EXPORT FakeNetPlayerControl* fake_netplayer_control() { return &control; }

FAKE_NETPLAYER_EXPORT std::int32_t get_main_data_pointer(void** table) {
    ++control.calls;
    if (table != nullptr) *table = control.table;
    return control.status;
}
