// The module's state: everything that lives as long as the module file is
// loaded and is not the host's. One owner holds it all: the state the gauge
// objects share (gauge/shared_state.h) and the gauge objects themselves.
// The exported tables (ImportTable, Linkage and the gauge headers) stay
// where the host finds them.
#pragma once

#include "gauge/shared_state.h"
#include "module/gauge_objects.h"

namespace module {

struct ModuleState {
    gauge::SharedState shared;
    // Declared last, so destroyed first: the gauge objects end their GDI+
    // use while the shared state they draw with is still there.
    GaugeObjects gauges;
};

// The module's one state, made at the first call that needs it and gone
// with the module file. The host disconnects every gauge before it unloads
// the module; a gauge object it left connected is abandoned then, for
// nothing may call GDI+ while the module is being unloaded.
ModuleState& TheModule();

// The module as freshly loaded, for programs that run many cases in one
// process: the state is destroyed (its gauge objects first) and made anew
// at the next call, and the exported tables get back what the module file
// carries. The module itself never calls it.
void RenewModule();

}  // namespace module
