// One input's run through the module. The input is split in two: its first
// bytes are the harness's script (what the host does, in order), the rest
// answers the module's calls into the host and the traffic interface, so
// that a long answer cannot cut the script short. Before the run: the host
// back to sane answers. After it: every gauge disconnected, GDI+
// failures stopped, the recording GDI+ stand-in's call log cleared, so that
// memory stays flat from one input to the next, and a check that nothing
// made through GDI+ outlives the gauges.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_host.h"
#include "gauge_driver.h"
#include "hostile_traffic.h"
#include "net_player_source.h"

namespace fuzzsupport {

class FuzzSession {
public:
    FuzzSession(const std::uint8_t* data, std::size_t size, std::size_t script_bytes);
    ~FuzzSession();
    FuzzSession(const FuzzSession&) = delete;
    FuzzSession& operator=(const FuzzSession&) = delete;

    // Registers the traffic interface with the host, answering from `answers`.
    void OfferTraffic();

    FuzzedDataProvider script;
    FuzzedDataProvider answers;
    FuzzHost& host;
    GaugeDriver driver;
    HostileTraffic& traffic;
    HostileRegistered& registered;
    // Loaded for the whole process; answers "no table" unless the harness
    // prepares one.
    NetPlayerSource& net_players;
};

// Makes any GDI+ call given NaN or an infinity stop the process with a
// message naming the call. Loads the stand-in network-player module, and
// runs the module's first named-variable exchange with the panel's "Radar
// Mode" and "Radar Range" present: the module keeps the identifiers of its
// first exchange for the rest of the process, so every input can change
// the mode and the range.
void WarmUp();

// Stops the process with a message when `condition` is false.
void Require(bool condition, const char* what);

}  // namespace fuzzsupport
