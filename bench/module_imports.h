// Redirects functions a loaded module imports: the module's own entries in
// its global offset table (the slots its calls to other libraries jump
// through) are pointed at stand-ins, and pointed back on Restore or
// destruction. Nothing else in the process sees the stand-ins: the same
// functions called from anywhere else still reach the library. ELF on
// x86-64 Linux only; elsewhere nothing is redirected and error() says so.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bench {

#if defined(__x86_64__)
constexpr bool kImportRedirection = true;
#else
constexpr bool kImportRedirection = false;
#endif

struct ImportStandIn {
    const char* symbol;
    void* function;
};

class ImportRedirection {
public:
    // The loaded module whose file is at `module_path`; every stand-in whose
    // symbol the module imports is put in. error() says what failed.
    ImportRedirection(const std::string& module_path, const std::vector<ImportStandIn>& stand_ins);
    ~ImportRedirection() { Restore(); }
    ImportRedirection(const ImportRedirection&) = delete;
    ImportRedirection& operator=(const ImportRedirection&) = delete;

    const std::string& error() const { return error_; }
    // Symbols redirected.
    std::size_t redirected() const { return saved_.size(); }
    void Restore();

private:
    void Write(void** slot, void* value);

    std::vector<std::pair<void**, void*>> saved_;  // slot and the address it held
    std::string error_;
};

}  // namespace bench
