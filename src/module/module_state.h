// The module's shared state: every record that lives as long as the module
// file is loaded and serves every gauge object alike. Each one stays defined
// next to its one user; this table names them all, in the order a reset
// takes them, each with the function that puts it back as it was at load.
//
// The module itself never resets anything: the state is module-wide because
// the gauges share it (one sweep per display, one set of named-variable
// identifiers, one own ship). The reset is for test programs that run many
// cases in one process and want each to start as in a freshly loaded module.
#pragma once

#include <cstddef>

#include "display/altitude_display.h"
#include "display/circular_overlay.h"
#include "display/gdiplus_wrappers.h"
#include "display/module_objects.h"
#include "display/plan_display.h"
#include "display/rectangular_overlay.h"
#include "display/sector_display.h"
#include "display/target_pass.h"
#include "gauge/radar_gauge.h"
#include "module/gauge_callbacks.h"
#include "module/gauge_table.h"
#include "module/module_exports.h"
#include "platform/gdiplus_session.h"
#include "platform/loaded_module.h"
#include "traffic/own_ship.h"
#include "traffic/traffic_list.h"

namespace module {

struct ModuleStatePiece {
    const char* name;  // what the record holds
    const char* file;  // where it is defined, under src/
    void (*reset)();
};

// The gauge objects go first: their destruction ends their GDI+ use and, with
// the last one, releases the module-wide GDI+ objects. The records that hold
// such objects are renewed only after every one of them has been released.
inline constexpr ModuleStatePiece kModuleState[] = {
    {"the gauge objects, one per gauge name", "module/gauge_callbacks.cpp", &ResetGaugeObjects},
    {"the GDI+ session: its users and the release list", "platform/gdiplus_session.cpp",
     &platform::ResetGdiplusSession},
    {"the registry of module-wide GDI+ objects", "display/module_objects.cpp", &display::ReleaseModuleObjects},
    {"the plan sweep: angle, last sweep time, matrix, label format and text", "display/plan_display.cpp",
     &display::ResetPlanSweep},
    {"the sector sweep: swing, last sweep time, matrix, label format and text", "display/sector_display.cpp",
     &display::ResetSectorSweep},
    {"the altitude sweep: scan, last sweep time and scales", "display/altitude_display.cpp",
     &display::ResetAltitudeSweep},
    {"the circular overlay's string format and text buffer", "display/circular_overlay.cpp",
     &display::ResetCircularOverlay},
    {"the rectangular overlay's string format and text buffers", "display/rectangular_overlay.cpp",
     &display::ResetRectangularOverlay},
    {"the generic sans-serif font family of the font fallbacks", "display/font_creation.cpp",
     &display::ForgetGenericFontFamily},
    {"the own latitude's sine and cosine", "display/target_pass.cpp", &display::ForgetOwnLatitudeTrig},
    {"the own-ship record and its two host variables", "traffic/own_ship.cpp", &traffic::ResetOwnShip},
    {"the periodic rebuild's host time record", "traffic/traffic_refresh.cpp", &traffic::ResetRefreshClock},
    {"the named-variable identifiers and the outputs' holder", "gauge/named_variables.cpp",
     &gauge::ResetNamedVariables},
    {"the last loaded-module search of this thread", "platform/loaded_module.cpp",
     &platform::ForgetLastModuleSearch},
    {"the gauge headers, elements and mouse rectangles the host writes into", "module/gauge_table.cpp",
     &ResetGaugeTable},
    {"the host's panel-services table in ImportTable", "module/module_exports.cpp", &ResetImportTable},
};

inline constexpr std::size_t kModuleStatePieces = sizeof(kModuleState) / sizeof(kModuleState[0]);

// Every piece above, in its order: the module as freshly loaded.
void ResetModuleState();

}  // namespace module
