#include "fuzz_session.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gdiplus_recorder.h"
#include "module/module_state.h"

namespace fuzzsupport {
namespace {

HostileTraffic& Traffic() {
    static HostileTraffic traffic;
    return traffic;
}

HostileRegistered& Registered() {
    static HostileRegistered registered;
    return registered;
}

NetPlayerSource& NetPlayers() {
    static NetPlayerSource net_players;
    return net_players;
}

// Host time only grows from one input to the next, so that the module-wide
// clock of the traffic rebuild does not hold a later input back; within an
// input the harness may step it any way.
double g_epoch_s = 10.0;
constexpr double kEpochStep_s = 1000.0;
constexpr double kLargestEpoch_s = 1e15;

void AdvanceEpoch(double reached_s) {
    g_epoch_s += kEpochStep_s;
    if (reached_s > g_epoch_s && reached_s < kLargestEpoch_s) g_epoch_s = reached_s + kEpochStep_s;
}

// Windows GDI+ must never be given NaN or an infinity: the first call that
// is stops the run where it is made.
void StopAtNonFiniteCall(const std::string& described) {
    std::fprintf(stderr, "fuzz check failed: GDI+ given NaN or an infinity: %s\n", described.c_str());
    std::abort();
}

// No readout shows a distance or bearing that is not a number ("nanNM",
// "BRGinf°"); the other readouts are whole numbers or dashes.
bool IsNotANumber(const std::string& text, std::size_t at) {
    if (at < text.size() && text[at] == '-') ++at;
    return text.compare(at, 3, "nan") == 0 || text.compare(at, 3, "inf") == 0;
}

bool ShowsOnlyNumbers() {
    for (const recorder::Call& call : recorder::CallsNamed("GdipDrawString")) {
        std::string text;
        for (const char16_t c : call.text) text.push_back(c < 128 ? static_cast<char>(c) : '?');
        const bool distance = text.size() >= 2 && text.compare(text.size() - 2, 2, "NM") == 0;
        const bool bearing = text.compare(0, 3, "BRG") == 0;
        if ((distance && IsNotANumber(text, 0)) || (bearing && IsNotANumber(text, 3))) return false;
    }
    return true;
}

}  // namespace

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

FuzzSession::FuzzSession(const std::uint8_t* data, std::size_t size, std::size_t script_bytes)
    : script(data, std::min(size, script_bytes)),
      answers(data + std::min(size, script_bytes), size - std::min(size, script_bytes)),
      host(Host()),
      traffic(Traffic()),
      registered(Registered()),
      net_players(NetPlayers()) {
    host.Reset();
    host.input = &answers;
    host.variables.time_s = g_epoch_s;
    traffic.Reset();
    registered.traffic = nullptr;
    net_players.Answer(0, false);
}

void FuzzSession::OfferTraffic() {
    traffic.input = &answers;
    traffic.own_latitude_deg = OwnLatitudeDeg(host.variables);
    traffic.own_longitude_deg = OwnLongitudeDeg(host.variables);
    registered.traffic = &traffic;
    host.registered = &registered;
}

FuzzSession::~FuzzSession() {
    // Tear-down answers sanely: the input is spent or no longer asked.
    host.hostile_lookups = false;
    host.hostile_named_values = false;
    recorder::StopFailing();
    driver.DisconnectAll();
    Require(ShowsOnlyNumbers(), "a readout shows a number that is not one");
    Require(module::TheModule().shared.gdiplus.users() == 0, "a GDI+ user outlives every gauge");
    Require(recorder::LiveObjects() == 0, "GDI+ objects outlive every gauge");
    recorder::Clear();
    AdvanceEpoch(host.variables.time_s);
    net_players.Answer(0, false);
    traffic.Reset();
    host.Reset();
}

void WarmUp() {
    recorder::OnNonFiniteCall(&StopAtNonFiniteCall);
    // Found loaded, the module is looked up among the loaded libraries alone,
    // not searched for on disk at every frame.
    Require(NetPlayers().Load(), "the stand-in network-player module loads");
    NetPlayers().Answer(0, false);
    FuzzHost& host = Host();
    host.Reset();
    host.stray_named_ids = true;
    GaugeDriver driver;
    driver.Connect(0);
    driver.PreDraw(0);
    driver.DisconnectAll();
    host.stray_named_ids = false;
    recorder::Clear();
}

}  // namespace fuzzsupport
