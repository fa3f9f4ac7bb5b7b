#include "platform/float_environment.h"

namespace platform {

// Out of line, so that none of the caller's or the module's arithmetic can
// be moved across the switch.
ModuleFloatEnvironment::ModuleFloatEnvironment() {
#if RADAR_HAS_X87
    // fnstenv also masks every x87 exception: nothing pending can trap
    // before the module's control word is in.
    asm volatile("fnstenv %0" : "=m"(caller_x87_) : : "memory");
    WriteX87ControlWord(kModuleX87ControlWord);
#endif
#if RADAR_HAS_SSE
    caller_mxcsr_ = ReadMxcsr();
    WriteMxcsr(kModuleMxcsr);
#endif
}

ModuleFloatEnvironment::~ModuleFloatEnvironment() {
#if RADAR_HAS_SSE
    WriteMxcsr(caller_mxcsr_);
#endif
#if RADAR_HAS_X87
    asm volatile("fldenv %0" : : "m"(caller_x87_) : "memory");
#endif
}

}  // namespace platform
