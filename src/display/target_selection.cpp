#include "display/target_selection.h"

#include <cmath>

#include "display/altitude_display.h"
#include "display/plan_display.h"
#include "display/sector_display.h"
#include "display/target_pass.h"

namespace display {
namespace {

void CopyIdentifier(char (&selected)[kSelectedIdentifierChars], const char* identifier) {
    std::size_t length = 0;
    while (length < traffic::kIdentifierChars && length + 1 < kSelectedIdentifierChars &&
           identifier[length] != '\0') {
        selected[length] = identifier[length];
        ++length;
    }
    selected[length] = '\0';
}

}  // namespace

bool DisplayOriginOf(std::int32_t mode, DisplayOrigin& origin) {
    switch (mode) {
        case kModePlan:
            origin = DisplayOrigin{kPlanOriginX, kPlanOriginY};
            return true;
        case kModeAltitude:
            origin = DisplayOrigin{kAltitudeOriginX, kAltitudeOriginY};
            return true;
        case kModeSector:
            origin = DisplayOrigin{kSectorApexX, kSectorApexY};
            return true;
        default:
            return false;
    }
}

bool HitsSymbol(float vx, float vy, ScreenPosition symbol) {
    return std::fabs(vx - symbol.x) < kHitHalfSize && std::fabs(vy - symbol.y) < kHitHalfSize;
}

void SelectTargetAt(RadarScreen& screen, std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin) {
    if (screen.scale_x == 0.0f || screen.scale_y == 0.0f) return;
    const float vx = static_cast<float>(x_px) / screen.scale_x - origin.x;
    const float vy = static_cast<float>(y_px) / screen.scale_y - origin.y;

    screen.selected_identifier[0] = '\0';
    if (screen.traffic == nullptr) return;
    const traffic::TrafficList& list = *screen.traffic;
    for (std::uint32_t i = FirstPassIndex(list); InPass(list, i); ++i) {
        if (!HitsSymbol(vx, vy, screen.screen_positions[i])) continue;
        screen.selected_index = static_cast<std::int32_t>(i);
        CopyIdentifier(screen.selected_identifier, list.Target(i)->identifier);
        return;
    }
}

}  // namespace display
