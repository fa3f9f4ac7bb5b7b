#include "call_timing.h"

#include <algorithm>
#include <limits>

namespace bench {

CallTotals& TheCallTotals() {
    static CallTotals totals;
    return totals;
}

bool& TimingCalls() {
    static bool timing = true;
    return timing;
}

int& HostServiceRepeats() {
    static int repeats = 0;
    return repeats;
}

double TimingTicksPerCall() {
    constexpr int kBatches = 20;
    constexpr int kCallsPerBatch = 10000;
    CallTotals& totals = TheCallTotals();
    const CallTotals kept = totals;
    double least = std::numeric_limits<double>::infinity();
    for (int batch = 0; batch < kBatches; ++batch) {
        totals = CallTotals{};
        for (int i = 0; i < kCallsPerBatch; ++i) {
            const TimedCall<kGdiplusCall> call;
            asm volatile("" ::: "memory");
        }
        least = std::min(least, static_cast<double>(totals.ticks[kGdiplusCall]) / kCallsPerBatch);
    }
    totals = kept;
    return least;
}

double TicksPerSecond() {
    static const double rate = [] {
        const std::uint64_t ticks = Ticks();
        const auto start = std::chrono::steady_clock::now();
        std::chrono::duration<double> elapsed{};
        while (elapsed.count() < 0.05) elapsed = std::chrono::steady_clock::now() - start;
        return static_cast<double>(Ticks() - ticks) / elapsed.count();
    }();
    return rate;
}

}  // namespace bench
