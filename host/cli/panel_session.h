// A run of the panel host as the command line describes it.
#pragma once

#include <ostream>
#include <string>

#include "cli/cli_options.h"
#include "panel/named_variable_store.h"

namespace panelhost {

// Runs the session; returns the exit status (0 done, 1 the module or a
// gauge could not be used, 2 the scenario file is bad).
int RunPanelSession(const CliOptions& options, std::ostream& out, std::ostream& err);

// "frame 3 t=1.200 | Radar Mode=2 | Radar Range=40 | ..."
std::string FrameLine(int frame, double time_s, const NamedVariableStore& variables);

// "circular_green_f0003.png", "circular_green_p2_f0003.png" for placement 2 of several.
std::string FrameFileName(const std::string& gauge_name, int placement, int placements, int frame);

}  // namespace panelhost
