// panel-montage: contact sheets and animated GIFs from the panel host's
// pictures (see --help).
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "montage_options.h"
#include "montage_run.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    demotools::MontageParseResult parsed = demotools::ParseMontageCommandLine(arguments);
    if (!parsed.ok) {
        std::cerr << "panel-montage: " << parsed.error << "\n(panel-montage --help describes the command line)\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << demotools::MontageHelpText();
        return 0;
    }
    try {
        return demotools::RunMontage(parsed.options, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "panel-montage: " << e.what() << "\n";
        return 1;
    }
}
