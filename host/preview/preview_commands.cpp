#include "preview_commands.h"

#include <algorithm>
#include <iterator>

#include "preview_layout.h"

namespace preview {

static_assert(std::size(kButtons) == kButtonCount, "the layout has a place for every button");

namespace {

void Add(HMENU menu, UINT id, const std::string& text) { AppendMenuA(menu, MF_STRING, id, text.c_str()); }

void AddSeparator(HMENU menu) { AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

HMENU FileMenu(const std::vector<std::string>& shown_gauges) {
    HMENU menu = CreatePopupMenu();
    Add(menu, kCommandOpenScenario, "&Open scenario...\tCtrl+O");
    Add(menu, kCommandDefaultSky, "&Default sky");
    AddSeparator(menu);
    Add(menu, kCommandSaveClicked, "&Save picture of the gauge clicked last...\tCtrl+S");
    const int count = std::min(static_cast<int>(shown_gauges.size()), kMaxListedGauges);
    for (int i = 0; i < count; ++i) Add(menu, kCommandSaveGauge + i, "Save picture of " + shown_gauges[i] + "...");
    AddSeparator(menu);
    Add(menu, kCommandExit, "E&xit\tCtrl+Q");
    return menu;
}

HMENU ViewMenu(const std::vector<std::string>& module_gauges, const std::string& shown_alone) {
    HMENU menu = CreatePopupMenu();
    Add(menu, kCommandShowAll, "&All gauges");
    UINT checked = 0;  // by position: all gauges first, then each gauge
    const int count = std::min(static_cast<int>(module_gauges.size()), kMaxListedGauges);
    for (int i = 0; i < count; ++i) {
        Add(menu, kCommandShowGauge + i, module_gauges[i]);
        if (module_gauges[i] == shown_alone) checked = static_cast<UINT>(i + 1);
    }
    CheckMenuRadioItem(menu, 0, static_cast<UINT>(count), checked, MF_BYPOSITION);
    return menu;
}

HMENU SimulationMenu() {
    HMENU menu = CreatePopupMenu();
    Add(menu, kCommandPause, "&Pause / run\tSpace");
    Add(menu, kCommandStep, "Single &step\tS");
    AddSeparator(menu);
    Add(menu, kCommandPlan, "Radar Mode 2: p&lan display\t2");
    Add(menu, kCommandSector, "Radar Mode 3: s&ector display\t3");
    Add(menu, kCommandAltitude, "Radar Mode 4: &altitude display\t4");
    Add(menu, kCommandHalveRange, "Radar Range: &halve\t-");
    Add(menu, kCommandDoubleRange, "Radar Range: &double\t+");
    AddSeparator(menu);
    Add(menu, kCommandTurnLeft, "Turn &left\tLeft");
    Add(menu, kCommandTurnRight, "Turn &right\tRight");
    return menu;
}

HMENU HelpMenu() {
    HMENU menu = CreatePopupMenu();
    Add(menu, kCommandShowStatus, "&Status in full...\tF1");
    return menu;
}

}  // namespace

HMENU CreatePreviewMenu(const std::vector<std::string>& module_gauges, const std::vector<std::string>& shown_gauges,
                        const std::string& shown_alone) {
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(FileMenu(shown_gauges)), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(ViewMenu(module_gauges, shown_alone)), "&View");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(SimulationMenu()), "&Simulation");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(HelpMenu()), "&Help");
    return bar;
}

HACCEL CreatePreviewKeys() {
    ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'O', kCommandOpenScenario},
        {FVIRTKEY | FCONTROL, 'S', kCommandSaveClicked},
        {FVIRTKEY | FCONTROL, 'Q', kCommandExit},
        {FVIRTKEY, VK_SPACE, kCommandPause},
        {FVIRTKEY, 'S', kCommandStep},
        {FVIRTKEY, '2', kCommandPlan},
        {FVIRTKEY, VK_NUMPAD2, kCommandPlan},
        {FVIRTKEY, '3', kCommandSector},
        {FVIRTKEY, VK_NUMPAD3, kCommandSector},
        {FVIRTKEY, '4', kCommandAltitude},
        {FVIRTKEY, VK_NUMPAD4, kCommandAltitude},
        {FVIRTKEY, VK_OEM_MINUS, kCommandHalveRange},
        {FVIRTKEY, VK_SUBTRACT, kCommandHalveRange},
        {FVIRTKEY, VK_OEM_PLUS, kCommandDoubleRange},
        {FVIRTKEY | FSHIFT, VK_OEM_PLUS, kCommandDoubleRange},
        {FVIRTKEY, VK_ADD, kCommandDoubleRange},
        {FVIRTKEY, VK_LEFT, kCommandTurnLeft},
        {FVIRTKEY, VK_RIGHT, kCommandTurnRight},
        {FVIRTKEY, VK_F1, kCommandShowStatus},
    };
    return CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys)));
}

}  // namespace preview
