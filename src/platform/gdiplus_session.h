// GDI+ start-up and shut-down shared by every gauge object of the module.
//
// On Windows GDI+ counts its start-ups itself. libgdiplus does not: its first
// GdiplusShutdown tears GDI+ down for the whole process (the host included)
// and, once text has been drawn, aborts inside fontconfig. So on Linux the
// module starts GDI+ for each user but never shuts it down.
#pragma once

#include "platform/gdiplus_flat.h"

namespace platform {

// The module's GDI+ users. Whatever the module keeps made through GDI+ for
// all its users must be deleted while the last user is still there.
class GdiplusSession {
public:
    // Starts GDI+ for one more user (a gauge object); the token is for Stop.
    gdip::GdiplusToken Start();

    // Ends one user's GDI+.
    void Stop(gdip::GdiplusToken token);

    int users() const { return users_; }
    // Stop would end the last user's GDI+ (or there is no user).
    bool last_user() const { return users_ <= 1; }

private:
    int users_ = 0;
};

}  // namespace platform
