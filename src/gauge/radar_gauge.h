// The gauge object: one per gauge name, serving every placement of it.
#pragma once

#include <cstdint>
#include <memory>

#include "display/radar_screen.h"
#include "gauge/shared_state.h"
#include "gauge/surface_cache.h"
#include "platform/gdiplus_flat.h"
#include "platform/host_abi.h"
#include "platform/host_services.h"
#include "traffic/traffic_list.h"

namespace gauge {

constexpr float kDefaultRange_nm = 40.0f;
constexpr float kVirtualScreenScale = 0.001f;  // image pixels per virtual unit, per pixel of size

// One GDI+ user for as long as it lives. The gauge holds it as its first
// member, so GDI+ is released after everything else the gauge owns, and
// also when a construction fails half-way. The last user releases the
// module-wide GDI+ objects first.
class GdiplusUse {
public:
    GdiplusUse(platform::GdiplusSession& session, display::ModuleObjects& module_objects);
    ~GdiplusUse();
    GdiplusUse(const GdiplusUse&) = delete;
    GdiplusUse& operator=(const GdiplusUse&) = delete;
    gdip::GdiplusToken token() const { return token_; }

private:
    platform::GdiplusSession& session_;
    display::ModuleObjects& module_objects_;
    gdip::GdiplusToken token_ = 0;
};

// Rectangular overlay, green scheme; the other gauges derive from it.
class RadarGauge {
public:
    // Draws with the module's shared state, which outlives the object.
    explicit RadarGauge(SharedState& shared);
    // Not copyable: the object owns GDI+ objects and its traffic list.
    RadarGauge(const RadarGauge&) = delete;
    RadarGauge& operator=(const RadarGauge&) = delete;

    // The nine operations, in this slot order.
    virtual void Draw(sim::GaugeHeader* header);
    virtual void OnMouseClick(const sim::ClickPoint& point);
    virtual void CreateDrawResources();
    virtual void DrawPlan();
    virtual void DrawSector();
    virtual void DrawAltitude();
    virtual void DrawOverlay();
    virtual void SelectTargetAt(const sim::ClickPoint& point, float origin_x, float origin_y);
    virtual void UpdateNamedVariables();

    // Virtual so that the callback may delete any class through this base;
    // it comes after the nine and so leaves their slots alone.
    virtual ~RadarGauge();

    // The device context in the header's drawing element is about to be
    // released (its window closes or its image is made anew): the Graphics
    // made on it goes now, and that placement's next drawn frame makes a
    // new one. The gauge's other places keep theirs.
    void ForgetPlacement(const sim::GaugeHeader& header);

    sim::Element* drawing_element() const { return drawing_element_; }
    sim::DeviceContext device_context() const { return device_context_; }
    std::int32_t image_width() const { return image_width_; }
    std::int32_t image_height() const { return image_height_; }
    const SurfaceCache& surface_cache() const { return surface_cache_; }
    bool resources_created() const { return resources_created_ != 0; }
    const display::RadarScreen& screen() const { return screen_; }
    std::int32_t mode() const { return screen_.mode; }
    float range_nm() const { return screen_.range_nm; }
    const display::Selection& selection() const { return screen_.selection; }
    display::Selection& selection() { return screen_.selection; }
    traffic::TrafficList& traffic_list() { return *traffic_list_; }

protected:
    RadarGauge(SharedState& shared, std::int32_t initial_mode);
    display::OverlayCall Overlay();

    SharedState& shared() { return shared_; }
    display::DrawResources& resources() { return screen_.resources; }

private:
    // Takes the drawing element, its device context and image size from the
    // header; without an image record the size stays as it was.
    void TakeDrawingElement(const sim::GaugeHeader& header);
    // Prepares this device context's surface and draws the frame; false
    // when the surface was already drawn at this host time.
    bool DrawFrame(double host_time);
    void DrawCurrentMode();
    // The seven target outputs are published by one gauge object at a time:
    // the one clicked last, else the first to exchange while nobody holds them.
    void ClaimNamedVariableOutputs();
    void ReleaseNamedVariableOutputs();

    // Members go in the reverse order: the Graphics of the surfaces first,
    // then the pens, brushes and fonts, the traffic list, GDI+ last.
    SharedState& shared_;
    GdiplusUse gdiplus_;
    std::unique_ptr<traffic::TrafficList> traffic_list_;
    display::RadarScreen screen_;
    SurfaceCache surface_cache_;
    sim::Element* drawing_element_ = nullptr;
    sim::DeviceContext device_context_ = nullptr;
    std::int32_t image_width_ = 0;
    std::int32_t image_height_ = 0;
    std::int32_t resources_created_ = 0;
    platform::TokenVariable time_variable_;
};

// Circular overlay, default mode 2.
class CircularRadarGauge : public RadarGauge {
public:
    explicit CircularRadarGauge(SharedState& shared);
    void DrawOverlay() override;
};

class AmberRadarGauge : public RadarGauge {
public:
    using RadarGauge::RadarGauge;
    void CreateDrawResources() override;
};

class AmberCircularRadarGauge : public CircularRadarGauge {
public:
    using CircularRadarGauge::CircularRadarGauge;
    void CreateDrawResources() override;
};

}  // namespace gauge
