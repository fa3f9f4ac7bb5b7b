// A recording stand-in for the GDI+ flat functions the system calls.
// Every call is recorded with its arguments and, for drawing calls, the
// world transform in force (containers included). Matrices are computed for
// real, so points a display transforms come back transformed. Any function
// can be made to fail, and live objects are counted to catch leaks. A call
// given a number that is not one is remembered apart (NonFiniteCalls).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdiplus_flat.h"

namespace recorder {

struct Transform {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
    gdip::PointF Apply(gdip::PointF p) const { return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy}; }
};

struct Call {
    std::string name;
    std::vector<const void*> handles;  // handle arguments, in order
    std::vector<double> args;          // numeric arguments, in order
    std::u16string text;               // string argument (text, family name)
    std::vector<gdip::PointF> points;  // point arguments (polygons; points before a transform)
    Transform world;                   // effective world transform, for calls on a Graphics
    gdip::Status result = gdip::kOk;
    bool graphics_valid = true;        // false for a call on a dead or unknown Graphics
    const void* created = nullptr;     // the handle a creating call handed out (null otherwise)
};

const std::vector<Call>& Calls();
void Clear();  // forgets the calls (not the objects)

// Calls with this name, in order.
std::vector<Call> CallsNamed(const std::string& name);
// Names of all calls, in order, optionally only from `first` on.
std::vector<std::string> CallNames(std::size_t first = 0);
// "GdipDrawLine(#3 #7 | 0 0 10 10)" style text of one call.
std::string Describe(const Call& call);

// The next `count` calls of `name` fail with `status` (count < 0: all).
void FailCalls(const std::string& name, gdip::Status status, int count = -1);
void StopFailing();

// Families GdipCreateFontFamilyFromName does not find (status 14).
void SetMissingFontFamily(const std::u16string& family);

// Objects made and not yet deleted, of every kind.
int LiveObjects();
int StartupCount();
int ShutdownCount();

// Resets everything: calls, failures, missing families, counters, objects.
// Not the calls given a number that is not one: only TakeNonFiniteCalls
// forgets those.
void Reset();

// The calls that were given NaN or an infinity: among their numeric or
// point arguments (points as handed in, before a transform), or in the
// world transform a call on a Graphics works in. Windows GDI+ must never
// see one. They are kept however often Clear and Reset empty the log.
struct NonFiniteCalls {
    std::size_t count = 0;            // every such call
    std::vector<std::string> first;   // the first ones, described
    bool empty() const { return count == 0; }
};
// The calls since the last take, which then starts a new record.
NonFiniteCalls TakeNonFiniteCalls();
// Called at once with each such call, as well (null: nobody), e.g. to stop
// a fuzzer at the call.
using NonFiniteCallHandler = void (*)(const std::string& described);
void OnNonFiniteCall(NonFiniteCallHandler handler);

// True while the stand-in itself runs (recording a call, making or deleting
// its objects), so that an allocation counter can leave the stand-in's own
// allocations out of the system's.
bool InBookkeeping();

}  // namespace recorder
