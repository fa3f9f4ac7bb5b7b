// The split pass's clock: the time a drawn frame spends inside the calls it
// makes out of the module, summed by kind (GDI+, the host's services). Each
// call is timed with the processor's time-stamp counter, a few nanoseconds
// a reading, so that timing a thousand calls a frame moves the frame little;
// what one reading pair costs is measured and taken off every call.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace bench {

enum CallKind : std::size_t { kGdiplusCall, kHostServiceCall, kCallKindCount };

struct CallTotals {
    std::uint64_t ticks[kCallKindCount] = {};
    std::uint64_t calls[kCallKindCount] = {};
};

// The totals every timed call adds to (one panel thread, no locks).
CallTotals& TheCallTotals();

inline std::uint64_t Ticks() {
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

// Times its own lifetime into the totals of its kind.
template <CallKind kind>
class TimedCall {
public:
    TimedCall() : start_(Ticks()) {}
    ~TimedCall() {
        CallTotals& totals = TheCallTotals();
        totals.ticks[kind] += Ticks() - start_;
        ++totals.calls[kind];
    }
    TimedCall(const TimedCall&) = delete;
    TimedCall& operator=(const TimedCall&) = delete;

private:
    std::uint64_t start_;
};

// Ticks an empty TimedCall adds to its total: the least of a few batches.
double TimingTicksPerCall();

// Ticks per second: the counter against the steady clock over 50 ms, once.
double TicksPerSecond();

}  // namespace bench
