#include "gauge/radar_gauge.h"

#include "platform/host_services.h"

namespace gauge {
namespace {

// The drawing element: the first entry of the next-element list of the
// first element of the header's element list; null wherever a link is missing.
sim::Element* DrawingElementOf(const sim::GaugeHeader& header) {
    if (header.elements == nullptr) return nullptr;
    const sim::Element* background = header.elements[0];
    if (background == nullptr || background->next == nullptr) return nullptr;
    return background->next[0];
}

void CallDrawOverlay(void* gauge) { static_cast<RadarGauge*>(gauge)->DrawOverlay(); }

}  // namespace

GdiplusUse::GdiplusUse(platform::GdiplusSession& session, display::ModuleObjects& module_objects)
    : session_(session), module_objects_(module_objects), token_(session.Start()) {}

GdiplusUse::~GdiplusUse() {
    if (session_.last_user()) module_objects_.Release();
    session_.Stop(token_);
}

RadarGauge::RadarGauge(SharedState& shared) : RadarGauge(shared, display::kModeSector) {}

RadarGauge::RadarGauge(SharedState& shared, std::int32_t initial_mode)
    : shared_(shared),
      gdiplus_(shared.gdiplus, shared.gdiplus_objects),
      traffic_list_(std::make_unique<traffic::TrafficList>(shared.refresh_clock, shared.net_module_search)),
      screen_(*traffic_list_, initial_mode, kDefaultRange_nm),
      time_variable_(platform::MakeModuleVariable(sim::kTokenHostTime)) {
    traffic_list_->SetRange(screen_.range_nm);
}

RadarGauge::~RadarGauge() { ReleaseNamedVariableOutputs(); }

CircularRadarGauge::CircularRadarGauge(SharedState& shared) : RadarGauge(shared, display::kModePlan) {}

display::OverlayCall RadarGauge::Overlay() { return display::OverlayCall{&CallDrawOverlay, this}; }

void RadarGauge::Draw(sim::GaugeHeader* header) {
    if (resources_created_ == 0) {
        CreateDrawResources();
        resources_created_ = 1;
    }
    if (header == nullptr) return;
    TakeDrawingElement(*header);
    // The exchange runs on every pre-draw service, also when nothing is drawn.
    UpdateNamedVariables();
    const double host_time = platform::ReadModuleVariable(time_variable_);
    if (drawing_element_ == nullptr) return;
    if (device_context_ != nullptr && !DrawFrame(host_time)) return;
    // The host's mark that the shown picture is current.
    drawing_element_->image_flags &= ~sim::kImageFlagCurrentMark;
}

void RadarGauge::ForgetPlacement(const sim::GaugeHeader& header) {
    const sim::Element* element = DrawingElementOf(header);
    if (element == nullptr || element->device_context == nullptr) return;
    if (screen_.graphics != nullptr && screen_.graphics == surface_cache_.GraphicsOf(element->device_context))
        screen_.graphics = nullptr;
    surface_cache_.Forget(element->device_context);
}

void RadarGauge::TakeDrawingElement(const sim::GaugeHeader& header) {
    drawing_element_ = DrawingElementOf(header);
    device_context_ = drawing_element_ ? drawing_element_->device_context : nullptr;
    if (drawing_element_ == nullptr || drawing_element_->image == nullptr) return;
    image_width_ = drawing_element_->image->width;
    image_height_ = drawing_element_->image->height;
}

bool RadarGauge::DrawFrame(double host_time) {
    // The displays draw in a 1000 x 1000 virtual space.
    const float scale_x = static_cast<float>(image_width_) * kVirtualScreenScale;
    const float scale_y = static_cast<float>(image_height_) * kVirtualScreenScale;
    SurfaceEntry* surface = surface_cache_.Find(device_context_, scale_x, scale_y);
    if (surface == nullptr || surface->last_drawn_time == host_time) return false;
    surface_cache_.MarkDrawn(*surface, host_time);
    screen_.graphics = surface->graphics.get();
    // Also catches a size change first seen in a frame that drew nothing.
    FitSurfaceToImage(*surface, scale_x, scale_y);
    screen_.graphics->Clear(screen_.resources.background);
    traffic_list_->PeriodicRefresh();
    screen_.selection.StartFrame(scale_x, scale_y);
    DrawCurrentMode();
    return true;
}

void RadarGauge::DrawCurrentMode() {
    switch (screen_.mode) {
        case display::kModePlan:
            DrawPlan();
            break;
        case display::kModeSector:
            DrawSector();
            break;
        case display::kModeAltitude:
            DrawAltitude();
            break;
        default:
            break;  // any other mode leaves the cleared surface
    }
}

}  // namespace gauge
