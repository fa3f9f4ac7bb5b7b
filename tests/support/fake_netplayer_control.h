// What the unit tests control in the stand-in network-player module: the
// status its entry routine answers, the table it hands out, and how often
// it was called.
#pragma once

#include <cstdint>

struct FakeNetPlayerControl {
    std::int32_t status;   // answered by get_main_data_pointer
    unsigned char* table;  // written through its argument
    std::int32_t calls;
};

using FakeNetPlayerControlFn = FakeNetPlayerControl* (*)();

constexpr const char* kFakeNetPlayerControlName = "fake_netplayer_control";
