#include "display/target_selection.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

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

// The first target in list order whose drawn symbol the click hits.
void SelectDrawnSymbolAt(RadarScreen& screen, const traffic::TrafficList& list, float vx, float vy) {
    for (std::uint32_t i = FirstPassIndex(list); InPass(list, i); ++i) {
        if (!screen.symbol_drawn[i] || !HitsSymbol(vx, vy, screen.screen_positions[i])) continue;
        screen.selected_index = static_cast<std::int32_t>(i);
        CopyIdentifier(screen.selected_identifier, list.Target(i)->identifier);
        return;
    }
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

void ForgetDrawnSymbols(RadarScreen& screen) {
    std::fill(std::begin(screen.symbol_drawn), std::end(screen.symbol_drawn), false);
}

void SelectTargetAt(RadarScreen& screen, std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin) {
    if (screen.scale_x == 0.0f || screen.scale_y == 0.0f) return;
    const float vx = static_cast<float>(x_px) / screen.scale_x - origin.x;
    const float vy = static_cast<float>(y_px) / screen.scale_y - origin.y;

    char previous[kSelectedIdentifierChars];
    std::memcpy(previous, screen.selected_identifier, sizeof previous);
    screen.selected_identifier[0] = '\0';
    if (screen.traffic != nullptr) SelectDrawnSymbolAt(screen, *screen.traffic, vx, vy);
    if (std::strncmp(previous, screen.selected_identifier, sizeof previous) != 0)
        screen.selected_distance_captured = false;
}

}  // namespace display
