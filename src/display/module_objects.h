// Module-wide GDI+ objects (string formats, sweep matrices) made lazily by
// their one user and shared by every gauge object.
//
// GDI+ must still be running when they are deleted: each object, when it is
// made, is enrolled for release before the last gauge object shuts GDI+ down
// (platform::AtGdiplusRelease). After that release the next user makes the
// object again, inside the GDI+ of the gauge objects that exist then.
#pragma once

#include <new>
#include <optional>

namespace display {

using ReleaseThunk = void (*)(void* object);

// Enrols one object for the next release of the module-wide objects, which
// deletes the enrolled objects newest first. False when no more objects can
// be enrolled; the caller then makes nothing.
bool EnrolModuleObject(void* object, ReleaseThunk release);

// Releases every enrolled object now, newest first.
void ReleaseModuleObjects();

// One module-wide object of a wrapper type, made on first use.
template <typename Wrapper>
class ModuleObject {
public:
    // The object, made now when it does not exist; null only when it could
    // not be enrolled for release (then there is no object to use).
    Wrapper* Get() {
        if (!object_) {
            if (!EnrolModuleObject(this, &Release)) return nullptr;
            object_.emplace();
        }
        return &*object_;
    }

    bool exists() const { return object_.has_value(); }

private:
    static void Release(void* self) { static_cast<ModuleObject*>(self)->object_.reset(); }

    std::optional<Wrapper> object_;
};

// Makes a module-wide record that holds module objects afresh, as it was at
// load, for a reset of the module's shared state. Its module objects must
// have been released first (ReleaseModuleObjects), so that none of them is
// still enrolled when it is made again in the same place.
template <typename Record>
void RenewModuleRecord(Record& record) {
    record.~Record();
    ::new (static_cast<void*>(&record)) Record();
}

}  // namespace display
