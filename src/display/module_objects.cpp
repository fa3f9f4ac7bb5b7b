#include "display/module_objects.h"

#include <cstddef>

#include "platform/gdiplus_session.h"

namespace display {
namespace {

// Six string formats and matrices and the generic font family, with room
// to spare.
constexpr std::size_t kMaxModuleObjects = 16;

struct Enrolment {
    void* object;
    ReleaseThunk release;
};

struct ModuleObjectRegistry {
    Enrolment enrolled[kMaxModuleObjects] = {};
    std::size_t count = 0;
    bool release_scheduled = false;  // with the GDI+ session's release list
};

ModuleObjectRegistry& Registry() {
    static ModuleObjectRegistry registry;
    return registry;
}

}  // namespace

bool EnrolModuleObject(void* object, ReleaseThunk release) {
    ModuleObjectRegistry& registry = Registry();
    if (object == nullptr || release == nullptr || registry.count == kMaxModuleObjects) return false;
    if (!registry.release_scheduled) {
        if (!platform::AtGdiplusRelease(&ReleaseModuleObjects)) return false;
        registry.release_scheduled = true;
    }
    registry.enrolled[registry.count++] = Enrolment{object, release};
    return true;
}

void ReleaseModuleObjects() {
    ModuleObjectRegistry& registry = Registry();
    registry.release_scheduled = false;
    while (registry.count > 0) {
        const Enrolment enrolment = registry.enrolled[--registry.count];
        registry.enrolled[registry.count] = Enrolment{};
        enrolment.release(enrolment.object);
    }
}

}  // namespace display
