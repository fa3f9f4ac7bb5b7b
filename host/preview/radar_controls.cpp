#include "radar_controls.h"

#include <algorithm>

namespace preview {

double HalvedRange(double range_nm) { return std::max(range_nm / 2.0, kMinControlRange_nm); }

double DoubledRange(double range_nm) {
    return std::min(std::max(range_nm, kMinControlRange_nm) * 2.0, kMaxControlRange_nm);
}

}  // namespace preview
