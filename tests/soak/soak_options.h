// The soak's command line.
#pragma once

#include <string>

namespace soak {

struct SoakOptions {
    std::string module_path;
    long cycles = 10000;          // each: kFramesPerCycle frames of the four gauges
    long contexts = 1010;         // placements of one gauge, each with its device context
    long reconnect_every = 500;   // cycles between disconnecting and connecting all four
    long rss_growth_limit_kb = 0; // 0: the growth is reported, not judged
    long x87_precision_bits = 0;  // module calls under this x87 precision; 0: the thread's own
    std::string result_path;      // key=value lines for the reliability summary
};

// False, with `error` set, for a command line it does not understand.
bool ParseSoakOptions(int argc, char** argv, SoakOptions& options, std::string& error);

constexpr const char* kSoakUsage =
    "usage: radar_soak MODULE [--cycles N] [--contexts N] [--reconnect-every N] [--rss-growth-limit-kb N]\n"
    "                  [--x87-precision 24|53|64] [--result FILE]";

}  // namespace soak
