// GDI+ for the host's own bitmaps and PNG files, started once per process.
#pragma once

#include <string>

namespace panelhost {

// Starts GDI+ if it is not running yet; true when it runs. On Linux it
// first points fontconfig at the host's font configuration (Tahoma from
// the Wine fonts, Arial as Liberation Sans), since libgdiplus reads the
// font configuration once, when it starts. GDI+ stays up until the process
// ends: libgdiplus's shut-down would tear it down for the module too.
bool StartGdiplus();

// The font configuration file the host uses; empty where there is none.
std::string FontConfigPath();

}  // namespace panelhost
