// The floating-point state the host's thread is in when it calls us, and
// the state the module computes in.
//
// A host may run its panel thread with the x87 unit at 24-bit precision
// (what a Direct3D 9 device does to its thread unless told otherwise), with
// another rounding mode, or with exceptions unmasked. The module's geometry
// is double precision and must not depend on that: every routine the host
// calls that computes holds a ModuleFloatEnvironment for its whole run.
#pragma once

#include <cstdint>

#if defined(__i386__) || defined(__x86_64__)
#define RADAR_HAS_X87 1
#else
#define RADAR_HAS_X87 0
#endif

#if defined(__SSE__)
#define RADAR_HAS_SSE 1
#else
#define RADAR_HAS_SSE 0
#endif

namespace platform {

// x87 control word: precision control in bits 8-9.
constexpr std::uint16_t kX87PrecisionMask = 0x0300;
constexpr std::uint16_t kX87Precision24 = 0x0000;
constexpr std::uint16_t kX87Precision53 = 0x0200;
constexpr std::uint16_t kX87Precision64 = 0x0300;
// Double precision (53-bit significand), round to nearest, every exception
// masked.
constexpr std::uint16_t kModuleX87ControlWord = 0x027F;
// SSE: round to nearest, every exception masked, denormals kept.
constexpr std::uint32_t kModuleMxcsr = 0x1F80;

// The precision-control field as significand bits: 24, 53 or 64 (the
// reserved setting reads as 0).
constexpr int X87PrecisionBits(std::uint16_t control_word) {
    switch (control_word & kX87PrecisionMask) {
        case kX87Precision24: return 24;
        case kX87Precision53: return 53;
        case kX87Precision64: return 64;
        default: return 0;
    }
}

#if RADAR_HAS_X87
inline std::uint16_t ReadX87ControlWord() {
    std::uint16_t control_word;
    asm volatile("fnstcw %0" : "=m"(control_word));
    return control_word;
}
inline void WriteX87ControlWord(std::uint16_t control_word) {
    asm volatile("fldcw %0" : : "m"(control_word) : "memory");
}
#else
inline std::uint16_t ReadX87ControlWord() { return kModuleX87ControlWord; }
inline void WriteX87ControlWord(std::uint16_t) {}
#endif

#if RADAR_HAS_SSE
inline std::uint32_t ReadMxcsr() {
    std::uint32_t mxcsr;
    asm volatile("stmxcsr %0" : "=m"(mxcsr));
    return mxcsr;
}
inline void WriteMxcsr(std::uint32_t mxcsr) { asm volatile("ldmxcsr %0" : : "m"(mxcsr) : "memory"); }
#else
inline std::uint32_t ReadMxcsr() { return kModuleMxcsr; }
inline void WriteMxcsr(std::uint32_t) {}
#endif

// While alive, the x87 unit (and SSE, where the build uses it) computes as
// kModuleX87ControlWord and kModuleMxcsr say. Destruction gives the caller
// back its whole x87 environment (control word, status flags, tags) and its
// MXCSR exactly as they were, so that no flag raised by the module's work
// can trap in the caller under the caller's own exception masks.
class ModuleFloatEnvironment {
public:
    ModuleFloatEnvironment();
    ~ModuleFloatEnvironment();
    ModuleFloatEnvironment(const ModuleFloatEnvironment&) = delete;
    ModuleFloatEnvironment& operator=(const ModuleFloatEnvironment&) = delete;

private:
#if RADAR_HAS_X87
    struct X87Environment {
        std::uint32_t words[7];  // the 28-byte protected-mode layout of fnstenv
    };
    X87Environment caller_x87_;
#endif
#if RADAR_HAS_SSE
    std::uint32_t caller_mxcsr_;
#endif
};

}  // namespace platform
