// One GDI+ Graphics per device context a gauge object has painted, with the
// host time at which it was last drawn.
#pragma once

#include <cstddef>
#include <memory>

#include "display/gdiplus_wrappers.h"
#include "platform/host_abi.h"

namespace gauge {

constexpr std::size_t kSurfaceCacheCapacity = 1000;

struct SurfaceEntry {
    host::DeviceContext device_context = nullptr;
    double last_drawn_time = 0.0;
    std::unique_ptr<display::GraphicsWrapper> graphics;
};

class SurfaceCache {
public:
    // The entry of this device context; a new one (last drawn time 0, a new
    // Graphics scaled by (scale_x, scale_y)) when it is not cached yet.
    // When the cache is full, the least recently used entry is reused.
    SurfaceEntry& Find(host::DeviceContext device_context, float scale_x, float scale_y);

    std::size_t count() const { return count_; }
    const SurfaceEntry& entry(std::size_t index) const { return entries_[index]; }

private:
    SurfaceEntry entries_[kSurfaceCacheCapacity];
    unsigned long long last_used_[kSurfaceCacheCapacity] = {};
    unsigned long long use_clock_ = 0;
    std::size_t count_ = 0;
};

}  // namespace gauge
