// One GDI+ Graphics per device context a gauge object has painted, with the
// host time at which it was last drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "display/gdiplus_wrappers.h"
#include "platform/host_abi.h"

namespace gauge {

constexpr std::size_t kSurfaceCacheCapacity = 1000;

struct SurfaceEntry {
    sim::DeviceContext device_context = nullptr;
    double last_drawn_time = 0.0;
    std::unique_ptr<display::GraphicsWrapper> graphics;
    float scale_x = 0.0f;  // the scale the Graphics' world transform was given
    float scale_y = 0.0f;
    std::uint64_t drawn_order = 0;  // when the entry was last drawn or made, for reuse
};

class SurfaceCache {
public:
    SurfaceCache() = default;
    SurfaceCache(const SurfaceCache&) = delete;
    SurfaceCache& operator=(const SurfaceCache&) = delete;

    // The entry of this device context, searched from the first. A device
    // context met for the first time gets an entry with last drawn time 0
    // and a new Graphics on it scaled by (scale_x, scale_y). When all
    // entries are taken, the least recently drawn one is given to the new
    // device context with a new Graphics. Null only when no Graphics wrapper
    // could be allocated.
    SurfaceEntry* Find(sim::DeviceContext device_context, float scale_x, float scale_y);

    // Records that the entry is drawn at this host time.
    void MarkDrawn(SurfaceEntry& entry, double host_time);

    // The Graphics of this device context, or null when it has no entry.
    const display::GraphicsWrapper* GraphicsOf(sim::DeviceContext device_context);

    // Deletes the Graphics of this device context and forgets its entry (a
    // window of the gauge has closed); the last entry takes its place.
    void Forget(sim::DeviceContext device_context);

    // Deletes every Graphics and forgets every entry.
    void Clear();

    std::size_t count() const { return count_; }
    const SurfaceEntry& entry(std::size_t index) const { return entries_[index]; }

private:
    SurfaceEntry* Lookup(sim::DeviceContext device_context);
    SurfaceEntry* LeastRecentlyDrawn();

    SurfaceEntry entries_[kSurfaceCacheCapacity];
    std::size_t count_ = 0;
    std::uint64_t draw_clock_ = 0;
};

// A new Graphics' world transform: scaled by (scale_x, scale_y), prepended.
void ScaleSurface(display::GraphicsWrapper& graphics, float scale_x, float scale_y);

// When the image size gives the entry another scale than the one its
// Graphics has: reset the world transform, then scale it again.
void FitSurfaceToImage(SurfaceEntry& entry, float scale_x, float scale_y);

}  // namespace gauge
