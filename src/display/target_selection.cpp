#include "display/target_selection.h"

#include <cmath>
#include <cstring>

#include "display/target_pass.h"

namespace display {

bool Selection::Is(const traffic::RadarTarget& target) const {
    if (empty()) return false;
    return std::strncmp(identifier_, target.identifier, traffic::kIdentifierChars) == 0;
}

bool Selection::DrawnDisplayOrigin(DisplayOrigin& origin) const {
    if (!display_drawn_) return false;
    origin = drawn_origin_;
    return true;
}

bool Selection::DrawnSymbolAt(std::uint32_t index, ScreenPosition& centre) const {
    for (std::uint32_t k = 0; k < drawn_count_; ++k) {
        if (drawn_[k].index != index) continue;
        centre = drawn_[k].centre;
        return true;
    }
    return false;
}

void Selection::StartFrame(float scale_x, float scale_y) {
    drawn_scale_x_ = scale_x;
    drawn_scale_y_ = scale_y;
    display_drawn_ = false;
    drawn_count_ = 0;
}

void Selection::StartDisplay(DisplayOrigin origin) {
    drawn_origin_ = origin;
    display_drawn_ = true;
    visible_ = false;
}

void Selection::RecordSymbol(const traffic::RadarTarget& target, std::uint32_t index, ScreenPosition centre) {
    if (drawn_count_ == traffic::kMaxTargets) return;
    DrawnSymbol& symbol = drawn_[drawn_count_++];
    // The record's identifier always ends within its field.
    std::memcpy(symbol.identifier, target.identifier, sizeof symbol.identifier);
    symbol.index = index;
    symbol.centre = centre;
}

void Selection::Capture(std::uint32_t index, float distance_nm, float bearing_deg) {
    distance_nm_ = distance_nm;
    distance_captured_ = true;
    bearing_deg_ = bearing_deg;
    visible_ = true;
    index_ = static_cast<std::int32_t>(index);
}

void Selection::ClickAt(std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin) {
    if (drawn_scale_x_ == 0.0f || drawn_scale_y_ == 0.0f) return;
    const float vx = static_cast<float>(x_px) / drawn_scale_x_ - origin.x;
    const float vy = static_cast<float>(y_px) / drawn_scale_y_ - origin.y;
    for (std::uint32_t k = 0; k < drawn_count_; ++k) {
        if (!HitsSymbol(vx, vy, drawn_[k].centre)) continue;
        Pick(drawn_[k].identifier, drawn_[k].index);
        return;
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

bool HitsSymbol(float vx, float vy, ScreenPosition symbol) {
    return std::fabs(vx - symbol.x) < kHitHalfSize && std::fabs(vy - symbol.y) < kHitHalfSize;
}

}  // namespace display
