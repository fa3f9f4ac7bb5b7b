#include "gauge/surface_cache.h"

#include <new>
#include <utility>

namespace gauge {
namespace {

std::unique_ptr<display::GraphicsWrapper> NewScaledGraphics(sim::DeviceContext device_context, float scale_x,
                                                            float scale_y) {
    std::unique_ptr<display::GraphicsWrapper> graphics(new (std::nothrow) display::GraphicsWrapper(device_context));
    if (graphics) ScaleSurface(*graphics, scale_x, scale_y);
    return graphics;
}

}  // namespace

SurfaceEntry* SurfaceCache::Find(sim::DeviceContext device_context, float scale_x, float scale_y) {
    SurfaceEntry* entry = Lookup(device_context);
    if (entry == nullptr) {
        entry = count_ < kSurfaceCacheCapacity ? &entries_[count_++] : LeastRecentlyDrawn();
        // A reused entry's Graphics goes before one is made on the new device context.
        entry->graphics.reset();
        entry->device_context = device_context;
        entry->last_drawn_time = 0.0;
        entry->drawn_order = ++draw_clock_;
    }
    // Also retried for an entry whose wrapper could not be allocated before.
    if (!entry->graphics) {
        entry->graphics = NewScaledGraphics(device_context, scale_x, scale_y);
        entry->scale_x = scale_x;
        entry->scale_y = scale_y;
    }
    return entry->graphics ? entry : nullptr;
}

SurfaceEntry* SurfaceCache::Lookup(sim::DeviceContext device_context) {
    for (std::size_t i = 0; i < count_; ++i)
        if (entries_[i].device_context == device_context) return &entries_[i];
    return nullptr;
}

void SurfaceCache::MarkDrawn(SurfaceEntry& entry, double host_time) {
    entry.last_drawn_time = host_time;
    entry.drawn_order = ++draw_clock_;
}

const display::GraphicsWrapper* SurfaceCache::GraphicsOf(sim::DeviceContext device_context) {
    const SurfaceEntry* entry = Lookup(device_context);
    return entry ? entry->graphics.get() : nullptr;
}

void SurfaceCache::Forget(sim::DeviceContext device_context) {
    SurfaceEntry* entry = Lookup(device_context);
    if (entry == nullptr) return;
    SurfaceEntry& last = entries_[count_ - 1];
    *entry = SurfaceEntry{};  // its Graphics goes first
    if (entry != &last) {
        *entry = std::move(last);
        last = SurfaceEntry{};
    }
    --count_;
}

void SurfaceCache::Clear() {
    for (std::size_t i = 0; i < count_; ++i) entries_[i] = SurfaceEntry{};
    count_ = 0;
}

SurfaceEntry* SurfaceCache::LeastRecentlyDrawn() {
    SurfaceEntry* oldest = &entries_[0];
    for (std::size_t i = 1; i < count_; ++i)
        if (entries_[i].drawn_order < oldest->drawn_order) oldest = &entries_[i];
    return oldest;
}

void ScaleSurface(display::GraphicsWrapper& graphics, float scale_x, float scale_y) {
    graphics.ScaleWorldTransform(scale_x, scale_y);
}

void FitSurfaceToImage(SurfaceEntry& entry, float scale_x, float scale_y) {
    if (!entry.graphics || (entry.scale_x == scale_x && entry.scale_y == scale_y)) return;
    entry.graphics->ResetWorldTransform();
    ScaleSurface(*entry.graphics, scale_x, scale_y);
    entry.scale_x = scale_x;
    entry.scale_y = scale_y;
}

}  // namespace gauge
