#include "platform/gdiplus_session.h"

#include <cstddef>

namespace platform {
namespace {

constexpr std::size_t kMaxReleaseActions = 32;

struct GdiplusSession {
    int users = 0;
    ReleaseAction releases[kMaxReleaseActions] = {};
    std::size_t release_count = 0;
};

GdiplusSession& Session() {
    static GdiplusSession session;
    return session;
}

// The start-up input record: version 1, no debug callback, background
// thread and external codecs not suppressed.
const gdip::StartupInput& StartupRecord() {
    static const gdip::StartupInput input{1, nullptr, 0, 0};
    return input;
}

#if defined(_WIN32)
constexpr bool kShutdownIsCounted = true;
#else
constexpr bool kShutdownIsCounted = false;
#endif

}  // namespace

gdip::GdiplusToken AcquireGdiplus() {
    gdip::GdiplusToken token = 0;
    gdip::GdiplusStartup(&token, &StartupRecord(), nullptr);
    ++Session().users;
    return token;
}

void ReleaseGdiplus(gdip::GdiplusToken token) {
    GdiplusSession& session = Session();
    if (session.users > 0) --session.users;
    if (session.users == 0) RunGdiplusReleases();
    if (kShutdownIsCounted) gdip::GdiplusShutdown(token);
}

bool AtGdiplusRelease(ReleaseAction action) {
    GdiplusSession& session = Session();
    if (action == nullptr || session.release_count == kMaxReleaseActions) return false;
    session.releases[session.release_count++] = action;
    return true;
}

void RunGdiplusReleases() {
    GdiplusSession& session = Session();
    while (session.release_count > 0) {
        ReleaseAction action = session.releases[--session.release_count];
        session.releases[session.release_count] = nullptr;
        action();
    }
}

int GdiplusUserCount() { return Session().users; }

void ResetGdiplusSession() {
    RunGdiplusReleases();
    Session() = GdiplusSession{};
}

}  // namespace platform
