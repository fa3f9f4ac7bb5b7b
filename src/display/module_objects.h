// The GDI+ objects every gauge object shares: the plan and sector sweeps'
// matrices, the range labels' and the overlays' string formats, and the
// generic sans-serif family of the font fallbacks. One set for the module,
// each object made on first use. GDI+ must still be running when they are
// deleted: the last GDI+ user releases them all before it shuts GDI+ down,
// and the next user makes them again inside its own GDI+.
#pragma once

#include <optional>

#include "display/gdiplus_wrappers.h"

namespace display {

// One object of a wrapper type, made when it is first asked for.
template <typename Wrapper>
class MadeOnFirstUse {
public:
    Wrapper& Get() {
        if (!object_) object_.emplace();
        return *object_;
    }
    bool exists() const { return object_.has_value(); }
    void Release() { object_.reset(); }

private:
    std::optional<Wrapper> object_;
};

struct ModuleObjects {
    MadeOnFirstUse<MatrixWrapper> plan_sweep_matrix;
    MadeOnFirstUse<StringFormatWrapper> plan_label_format;
    MadeOnFirstUse<MatrixWrapper> sector_sweep_matrix;
    MadeOnFirstUse<StringFormatWrapper> sector_label_format;
    MadeOnFirstUse<StringFormatWrapper> circular_overlay_format;
    MadeOnFirstUse<StringFormatWrapper> rectangular_overlay_format;
    GenericFontFamily generic_family;

    // Deletes every object made, in the reverse of the order above, and
    // forgets the family; the next use makes each again.
    void Release();
};

}  // namespace display
