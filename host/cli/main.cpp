// panel-host: the command-line panel host (see --help).
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/panel_session.h"
#include "sky/scenario.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    panelhost::CliParseResult parsed = panelhost::ParseCommandLine(arguments);
    if (!parsed.ok) {
        std::cerr << "panel-host: " << parsed.error << "\n(panel-host --help describes the command line)\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << panelhost::HelpText();
        return 0;
    }
    if (parsed.options.print_scenario) {
        std::cout << panelhost::DefaultScenarioText();
        return 0;
    }
    try {
        return panelhost::RunPanelSession(parsed.options, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "panel-host: " << e.what() << "\n";
        return 1;
    }
}
