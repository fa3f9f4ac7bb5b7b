// radar_soak: the built module file driven by the panel host with real
// libgdiplus for many cycles, then more than 1000 device contexts on one
// gauge object. Fails when anything fails or when the resident memory grew
// by more than the limit between the end of the warm-up and the last cycle.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "soak_options.h"
#include "soak_run.h"

namespace {

// Both after the cycles and after the device contexts, measured from the
// end of the warm-up.
bool MemoryWithinLimit(const soak::SoakOptions& options, const soak::SoakReport& report) {
    if (options.rss_growth_limit_kb == 0) return true;
    if (report.rss_start_kb < 0 || report.rss_end_kb < 0 || report.rss_after_contexts_kb < 0) return false;
    return report.rss_end_kb - report.rss_start_kb <= options.rss_growth_limit_kb &&
           report.rss_after_contexts_kb - report.rss_start_kb <= options.rss_growth_limit_kb;
}

void WriteResult(const std::string& path, const soak::SoakOptions& options, const soak::SoakReport& report,
                 bool passed) {
    std::filesystem::path file(path);
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file);
    out << "cycles=" << report.cycles << "\n"
        << "frames_per_cycle=" << soak::kFramesPerCycle << "\n"
        << "frames=" << report.frames << "\n"
        << "reconnects=" << report.reconnects << "\n"
        << "clicks=" << report.clicks << "\n"
        << "cycles_with_selection=" << report.cycles_with_selection << "\n"
        << "contexts=" << report.contexts << "\n"
        << "warm_up_cycles=" << report.warm_up_cycles << "\n"
        << "rss_start_kb=" << report.rss_start_kb << "\n"
        << "rss_end_kb=" << report.rss_end_kb << "\n"
        << "rss_growth_kb=" << report.rss_end_kb - report.rss_start_kb << "\n"
        << "rss_growth_after_contexts_kb=" << report.rss_after_contexts_kb - report.rss_start_kb << "\n"
        << "rss_growth_limit_kb=" << options.rss_growth_limit_kb << "\n"
        << "rss_after_contexts_kb=" << report.rss_after_contexts_kb << "\n"
        << "seconds=" << static_cast<long>(report.seconds + 0.5) << "\n"
        << "result=" << (passed ? "pass" : "FAIL") << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    soak::SoakOptions options;
    std::string error;
    if (!soak::ParseSoakOptions(argc, argv, options, error)) {
        std::cerr << "radar_soak: " << error << "\n" << soak::kSoakUsage << "\n";
        return 2;
    }

    soak::SoakReport report;
    soak::RunSoak(options, report, std::cout);

    const bool memory_ok = MemoryWithinLimit(options, report);
    std::cout << "soak: RSS growth " << report.rss_end_kb - report.rss_start_kb << " KiB over the cycles, "
              << report.rss_after_contexts_kb - report.rss_start_kb << " KiB to the end of the device contexts";
    if (options.rss_growth_limit_kb == 0) {
        std::cout << " (reported, not judged in this build)\n";
    } else {
        std::cout << ", limit " << options.rss_growth_limit_kb << " KiB: " << (memory_ok ? "within" : "EXCEEDED") << "\n";
    }
    const bool passed = report.failures.empty() && memory_ok && report.cycles == options.cycles;
    if (!options.result_path.empty()) WriteResult(options.result_path, options, report, passed);
    std::cout << "soak: " << (passed ? "passed" : "FAILED") << " in " << static_cast<long>(report.seconds + 0.5)
              << " s\n";
    return passed ? 0 : 1;
}
