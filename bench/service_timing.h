// The split pass's taps on everything a drawn frame calls out of the
// module: the GDI+ flat functions and the loader functions of the
// network-player look-up are redirected in the module's imports, the
// module's ImportTable gets a copy of the host's HostPanels table whose
// entries time the host's, and the traffic component is wrapped before the
// gauges bind it. Each tap times its call into TheCallTotals() and forwards
// it unchanged: the module draws, reads and publishes exactly as without.
#pragma once

#include <memory>
#include <string>

#include "module_imports.h"
#include "platform/host_abi.h"

namespace bench {

// The traffic component and interface as the module sees them in the split
// pass: every operation timed as a host service, then the host's own.
class TimedTrafficComponent final : public sim::RegisteredInterface {
public:
    explicit TimedTrafficComponent(sim::RegisteredInterface& component);
    ~TimedTrafficComponent();
    TimedTrafficComponent(const TimedTrafficComponent&) = delete;
    TimedTrafficComponent& operator=(const TimedTrafficComponent&) = delete;
    void* HOST_CALL QueryInterface(const char* name) override;

private:
    class TimedTrafficInfo;
    sim::RegisteredInterface& component_;
    std::unique_ptr<TimedTrafficInfo> traffic_;
};

// Puts the GDI+, loader and host-table taps into the loaded module at
// `module_path` and takes them out again on destruction.
class ServiceTaps {
public:
    explicit ServiceTaps(const std::string& module_path);
    ~ServiceTaps();
    ServiceTaps(const ServiceTaps&) = delete;
    ServiceTaps& operator=(const ServiceTaps&) = delete;

    // Empty when every tap is in.
    const std::string& error() const { return error_; }

private:
    ImportRedirection imports_;
    sim::ImportTableFormat* import_table_ = nullptr;
    void* host_table_ = nullptr;  // what the host had written there
    std::string error_;
};

}  // namespace bench
