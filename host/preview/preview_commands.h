// The preview's commands, reached from the menu, the buttons and the keys.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace preview {

// Gauges the menus list one by one; a module with more still shows them all.
constexpr int kMaxListedGauges = 16;

enum Command : WORD {
    kCommandOpenScenario = 100,
    kCommandDefaultSky,
    kCommandSaveClicked,
    kCommandExit,
    kCommandPause,
    kCommandStep,
    kCommandPlan,
    kCommandSector,
    kCommandAltitude,
    kCommandHalveRange,
    kCommandDoubleRange,
    kCommandTurnLeft,
    kCommandTurnRight,
    kCommandShowAll,
    kCommandShowStatus,
    kCommandSaveGauge = 200,                            // + the gauge's place among those shown
    kCommandShowGauge = kCommandSaveGauge + kMaxListedGauges,  // + the gauge's place in the module
};

struct Button {
    Command command;
    const char* text;
};

// The row of buttons, left to right (preview_layout.h: kButtonCount).
constexpr Button kButtons[] = {
    {kCommandPlan, "Plan"},           {kCommandSector, "Sector"},      {kCommandAltitude, "Altitude"},
    {kCommandHalveRange, "Range -"},  {kCommandDoubleRange, "Range +"}, {kCommandTurnLeft, "< Turn"},
    {kCommandTurnRight, "Turn >"},    {kCommandPause, "Pause"},       {kCommandStep, "Step"},
};

// The button that reads "Run" while the simulation is paused.
constexpr int kPauseButton = 7;
static_assert(kButtons[kPauseButton].command == kCommandPause, "the pause button's place in the row");

// The menu bar: File (scenario, default sky, a picture of each gauge shown,
// exit), View (all gauges or one, the one shown marked), Simulation
// (every control) and Help (the status in full). `shown_alone` is the
// gauge shown alone, or empty.
HMENU CreatePreviewMenu(const std::vector<std::string>& module_gauges, const std::vector<std::string>& shown_gauges,
                        const std::string& shown_alone);

// The keys of every command (the help text lists them).
HACCEL CreatePreviewKeys();

}  // namespace preview
