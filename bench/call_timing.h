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

// The loader's functions of the network-player look-up are services too,
// but they are never repeated (HostServiceRepeats) and keep a total of
// their own.
enum CallKind : std::size_t { kGdiplusCall, kHostServiceCall, kLoaderCall, kCallKindCount };

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

// While clear, a TimedCall times nothing: the taps then only forward (and
// repeat) their calls.
bool& TimingCalls();

// Times its own lifetime into the totals of its kind.
template <CallKind kind>
class TimedCall {
public:
    TimedCall() : start_(TimingCalls() ? Ticks() : 0) {}
    ~TimedCall() {
        if (!TimingCalls()) return;
        CallTotals& totals = TheCallTotals();
        totals.ticks[kind] += Ticks() - start_;
        ++totals.calls[kind];
    }
    TimedCall(const TimedCall&) = delete;
    TimedCall& operator=(const TimedCall&) = delete;

private:
    std::uint64_t start_;
};

// How many times more than asked every host service that only reads or
// writes values (the module-variable look-ups, the named variables, the
// registered-interface look-up, every operation of the traffic interface,
// the players module's entry) does its work, the extra results left unused:
// what a frame then takes more, divided by the count, is what the services
// take. Timing each call cannot tell that for calls of a few nanoseconds,
// where the processor overlaps the call with the clock readings around it.
int& HostServiceRepeats();

// The count the split pass's repeating frames use: enough for the
// difference to stand well above the frames' own spread.
constexpr int kHostServiceRepeats = 4;

// Does `call` as often as HostServiceRepeats() says.
template <typename Call>
inline void RepeatHostService(Call&& call) {
    for (int i = 0; i < HostServiceRepeats(); ++i) call();
}

// Ticks an empty TimedCall adds to its total: the least of a few batches.
double TimingTicksPerCall();

// Ticks per second: the counter against the steady clock over 50 ms, once.
double TicksPerSecond();

}  // namespace bench
