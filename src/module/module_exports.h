// The module's two exported data symbols, through which the host finds
// everything: it writes its panel-services table into ImportTable and reads
// the gauge list from Linkage.
#pragma once

#include "platform/host_abi.h"

// On Windows the export list (radar_gauge.def) exports them undecorated;
// elsewhere the system is compiled with hidden visibility.
#if defined(_WIN32)
#define RADAR_EXPORT
#else
#define RADAR_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
RADAR_EXPORT extern sim::ImportTableFormat ImportTable;
RADAR_EXPORT extern sim::LinkageFormat Linkage;
}

namespace module {

// ImportTable as the module file carries it: no panel-services table yet.
sim::ImportTableFormat ImportTableAtLoad();

}  // namespace module
