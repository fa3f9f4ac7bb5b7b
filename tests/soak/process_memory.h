// The process's resident memory, as the kernel reports it.
#pragma once

namespace soak {

// VmRSS from /proc/self/status in KiB, after the allocator has given its
// free memory back to the system (so that what stays is what is held);
// -1 where it cannot be read.
long ResidentKb();

}  // namespace soak
