// The seven standard routines shared by all four gauge headers. Each passes
// the first element of the gauge that stands first in Linkage to the host's
// element-list service of the same role. They compute nothing, so they run
// in the host's own floating-point state.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"

namespace module {

void HOST_CALL QueryElements();
void HOST_CALL InstallElements(sim::ResourceHandle resource);
void HOST_CALL InitializeElements();
void HOST_CALL UpdateElements();
void HOST_CALL GenerateElements(std::uint32_t phase);
void HOST_CALL DrawElements();
void HOST_CALL KillElements();

}  // namespace module
