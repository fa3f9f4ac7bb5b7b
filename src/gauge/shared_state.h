// What the gauge objects of the module share: one of each for the whole
// module, made by the module (module/module_state.h) and handed to every
// gauge object it creates. Each piece is a type of the room that uses it;
// a gauge passes each room the pieces it needs.
#pragma once

#include "display/altitude_display.h"
#include "display/circular_overlay.h"
#include "display/module_objects.h"
#include "display/plan_display.h"
#include "display/rectangular_overlay.h"
#include "display/sector_display.h"
#include "gauge/named_variables.h"
#include "platform/gdiplus_session.h"
#include "platform/loaded_module.h"
#include "traffic/own_ship.h"
#include "traffic/traffic_list.h"

namespace gauge {

struct SharedState {
    // The gauges' GDI+ users, and the GDI+ objects they share, released
    // before the last user goes.
    platform::GdiplusSession gdiplus;
    display::ModuleObjects gdiplus_objects;

    // The own aircraft every target is measured from, the host time record
    // of the lists' periodic rebuilds, the last search for the
    // network-player module.
    traffic::OwnShipRecord own_ship;
    traffic::RefreshClock refresh_clock;
    platform::ModuleSearchMemo net_module_search;

    // One sweep per display, so that every gauge in a mode shows the same,
    // and the overlays' text buffers.
    display::PlanSweep plan_sweep;
    display::SectorSweep sector_sweep;
    display::AltitudeSweep altitude_sweep;
    display::CircularOverlayText circular_overlay;
    display::RectangularOverlayText rectangular_overlay;

    // The named-variable identifiers and the gauge that publishes the outputs.
    NamedVariables named_variables;
};

}  // namespace gauge
