// What panel-montage does with its command line.
#pragma once

#include <ostream>

#include "montage_options.h"

namespace demotools {

// Makes the sheet or the animation; returns the exit status (0 done, 1 a
// picture could not be read or the result written).
int RunMontage(const MontageOptions& options, std::ostream& out, std::ostream& err);

}  // namespace demotools
