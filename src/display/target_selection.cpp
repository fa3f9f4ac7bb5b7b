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

bool Selection::Is(const traffic::RadarTarget& target) const {
    if (empty()) return false;
    return std::strncmp(identifier_, target.identifier, traffic::kIdentifierChars) == 0;
}

bool Selection::DrawnSymbolAt(std::uint32_t index, ScreenPosition& centre) const {
    if (index >= traffic::kMaxTargets || !symbol_drawn_[index]) return false;
    centre = symbol_positions_[index];
    return true;
}

void Selection::StartFrame() { std::fill(std::begin(symbol_drawn_), std::end(symbol_drawn_), false); }

void Selection::StartTargetPass() { visible_ = false; }

void Selection::RecordSymbol(std::uint32_t index, ScreenPosition centre) {
    if (index >= traffic::kMaxTargets) return;
    symbol_positions_[index] = centre;
    symbol_drawn_[index] = true;
}

void Selection::Capture(std::uint32_t index, float distance_nm, float bearing_deg) {
    distance_nm_ = distance_nm;
    distance_captured_ = true;
    bearing_deg_ = bearing_deg;
    visible_ = true;
    index_ = static_cast<std::int32_t>(index);
}

void Selection::PickAt(const traffic::TrafficList& list, float vx, float vy) {
    for (std::uint32_t i = FirstPassIndex(list); InPass(list, i); ++i) {
        ScreenPosition centre{};
        if (DrawnSymbolAt(i, centre) && HitsSymbol(vx, vy, centre)) {
            Pick(list.Target(i)->identifier, i);
            return;
        }
    }
    Clear();
}

void Selection::Pick(const char* identifier, std::uint32_t index) {
    char picked[kSelectedIdentifierChars] = {};
    std::size_t length = 0;
    while (length < traffic::kIdentifierChars && length + 1 < kSelectedIdentifierChars &&
           identifier[length] != '\0') {
        picked[length] = identifier[length];
        ++length;
    }
    if (std::strncmp(picked, identifier_, sizeof picked) != 0) distance_captured_ = false;
    std::memcpy(identifier_, picked, sizeof picked);
    index_ = static_cast<std::int32_t>(index);
}

void Selection::Clear() {
    if (!empty()) distance_captured_ = false;
    identifier_[0] = '\0';
}

// A rebuild may have moved the selected aircraft to another slot, or put
// another aircraft in its old one.
const traffic::RadarTarget* Selection::Follow(const traffic::TrafficList& list) {
    const auto shown_selected = [&](std::int64_t index) -> const traffic::RadarTarget* {
        if (index < list.FirstShownIndex() || !InPass(list, static_cast<std::uint32_t>(index))) return nullptr;
        const traffic::RadarTarget* target = list.Target(static_cast<std::uint32_t>(index));
        return target != nullptr && Is(*target) ? target : nullptr;
    };
    if (const traffic::RadarTarget* target = shown_selected(index_)) return target;
    for (std::uint32_t index = list.FirstShownIndex(); InPass(list, index); ++index) {
        if (const traffic::RadarTarget* target = shown_selected(index)) {
            index_ = static_cast<std::int32_t>(index);
            return target;
        }
    }
    return nullptr;
}

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

void SelectTargetAt(Selection& selection, const traffic::TrafficList& list, float scale_x, float scale_y,
                    std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin) {
    if (scale_x == 0.0f || scale_y == 0.0f) return;
    const float vx = static_cast<float>(x_px) / scale_x - origin.x;
    const float vy = static_cast<float>(y_px) / scale_y - origin.y;
    selection.PickAt(list, vx, vy);
}

}  // namespace display
