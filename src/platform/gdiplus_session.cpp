#include "platform/gdiplus_session.h"

namespace platform {
namespace {

// The start-up input record: version 1, no debug callback, background
// thread and external codecs not suppressed.
constexpr gdip::StartupInput kStartupRecord{1, nullptr, 0, 0};

#if defined(_WIN32)
constexpr bool kShutdownIsCounted = true;
#else
constexpr bool kShutdownIsCounted = false;
#endif

}  // namespace

gdip::GdiplusToken GdiplusSession::Start() {
    gdip::GdiplusToken token = 0;
    gdip::GdiplusStartup(&token, &kStartupRecord, nullptr);
    ++users_;
    return token;
}

void GdiplusSession::Stop(gdip::GdiplusToken token) {
    if (users_ > 0) --users_;
    if (kShutdownIsCounted) gdip::GdiplusShutdown(token);
}

}  // namespace platform
