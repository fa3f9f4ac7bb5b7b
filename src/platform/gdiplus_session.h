// GDI+ start-up and shut-down shared by every gauge object of the module.
//
// On Windows GDI+ counts its start-ups itself. libgdiplus does not: its first
// GdiplusShutdown tears GDI+ down for the whole process (the host included)
// and, once text has been drawn, aborts inside fontconfig. So on Linux the
// module starts GDI+ for each user but never shuts it down.
//
// Module-wide GDI+ objects register their release here when they are made;
// the releases run, newest first, before the last user shuts GDI+ down, so
// that nothing is deleted through a GDI+ that is gone. Later users make them
// again on first use.
#pragma once

#include "platform/gdiplus_flat.h"

namespace platform {

using ReleaseAction = void (*)();

// Starts GDI+ for one user (a gauge object); the token is for ReleaseGdiplus.
gdip::GdiplusToken AcquireGdiplus();

// Ends one user's GDI+; the last user runs the release list first.
void ReleaseGdiplus(gdip::GdiplusToken token);

// Registers the release of a module-wide GDI+ object. Returns false (and
// registers nothing) when the list is full.
bool AtGdiplusRelease(ReleaseAction action);

// Runs and clears the release list, newest first.
void RunGdiplusReleases();

int GdiplusUserCount();

// The session as at load: runs the release list and forgets every user.
// For a reset of the module's shared state (module/module_state.h).
void ResetGdiplusSession();

}  // namespace platform
