#include "module/module_state.h"

#include <optional>

#include "module/gauge_table.h"
#include "module/module_exports.h"

namespace module {
namespace {

class ModuleHolder {
public:
    ModuleHolder() = default;
    ModuleHolder(const ModuleHolder&) = delete;
    ModuleHolder& operator=(const ModuleHolder&) = delete;
    ~ModuleHolder() {
        if (state_) state_->gauges.Abandon();
    }

    ModuleState& Get() {
        if (!state_) state_.emplace();
        return *state_;
    }
    void Renew() { state_.reset(); }

private:
    std::optional<ModuleState> state_;
};

// Made at the first call, so that nothing runs when the host loads the
// module.
ModuleHolder& Holder() {
    static ModuleHolder holder;
    return holder;
}

}  // namespace

ModuleState& TheModule() { return Holder().Get(); }

void RenewModule() {
    Holder().Renew();
    gauge_table = GaugeTableAtLoad();
    ImportTable = ImportTableAtLoad();
}

}  // namespace module
