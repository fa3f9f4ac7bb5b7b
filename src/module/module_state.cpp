#include "module/module_state.h"

namespace module {

void ResetModuleState() {
    for (const ModuleStatePiece& piece : kModuleState) piece.reset();
}

}  // namespace module
