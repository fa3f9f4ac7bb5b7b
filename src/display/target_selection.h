// The pilot's selection and selecting a target by clicking on its symbol.
#pragma once

#include <cstdint>

#include "traffic/radar_target.h"
#include "traffic/traffic_list.h"

namespace display {

constexpr float kHitHalfSize = 20.0f;  // strictly within 20 units on both axes
constexpr int kSelectedIdentifierChars = 52;

struct ScreenPosition {
    float x;
    float y;
};

struct DisplayOrigin {
    float x;
    float y;
};

// One gauge's selection: which aircraft the pilot chose (by its identifier)
// and where it stands in the list, what the last drawn frame showed and
// measured of it, and what that frame put on the screen: which aircraft's
// symbol it drew where, in which display's geometry. A click is tested
// against that record alone, so that a rebuild, a range or mode change or
// a new traffic order between the frame and the click (the host paused, say)
// changes nothing of what it selects. Its operations are the only writers of
// its fields.
class Selection {
public:
    // Which aircraft.
    bool empty() const { return identifier_[0] == '\0'; }
    const char* identifier() const { return identifier_; }
    // The target carries the selected identifier; never while none is selected.
    bool Is(const traffic::RadarTarget& target) const;
    // The slot the aircraft was last found in.
    std::int32_t index() const { return index_; }

    // What the last drawn frame showed and measured of it.
    bool visible() const { return visible_; }
    float distance_nm() const { return distance_nm_; }
    float bearing_deg() const { return bearing_deg_; }
    // The distance held was measured of the aircraft selected now, not of
    // one selected before it.
    bool distance_captured() const { return distance_captured_; }

    // What the last drawn frame put on the screen: the origin of the display
    // it drew (false when it drew none, or before the first frame), and the
    // symbol it drew for the target then in this slot (false when none).
    bool DrawnDisplayOrigin(DisplayOrigin& origin) const;
    bool DrawnSymbolAt(std::uint32_t index, ScreenPosition& centre) const;

    // A drawn frame starts, at this scale (image pixels per virtual unit):
    // nothing is on the screen yet.
    void StartFrame(float scale_x, float scale_y);
    // A display draws this frame about this origin; the selected aircraft is
    // not yet seen in it.
    void StartDisplay(DisplayOrigin origin);
    // The display drew this target's symbol here; it was in this slot.
    void RecordSymbol(const traffic::RadarTarget& target, std::uint32_t index, ScreenPosition centre);
    // The frame found the selected aircraft in this slot and measured it.
    void Capture(std::uint32_t index, float distance_nm, float bearing_deg);

    // A click at (x_px, y_px) of the drawn image, on the display whose origin
    // is given: selects the aircraft whose symbol the last drawn frame drew
    // strictly within 20 units on both axes (the first drawn, in list order,
    // where symbols overlap), else nothing. Nothing at all happens before a
    // frame gave the screen a scale.
    void ClickAt(std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin);
    // Selects the aircraft with this identifier, found in this slot. Another
    // aircraft than the one selected before has no distance captured yet.
    void Pick(const char* identifier, std::uint32_t index);
    // Nothing selected.
    void Clear();

    // The exchange after a rebuild: the shown record that carries the
    // identifier, at the slot last found or else searched in list order, the
    // index following it there as the next drawn frame would. Null when no
    // shown record carries it (or nothing is selected).
    const traffic::RadarTarget* Follow(const traffic::TrafficList& list);

private:
    struct DrawnSymbol {
        char identifier[traffic::kIdentifierChars];
        std::uint32_t index;
        ScreenPosition centre;
    };

    char identifier_[kSelectedIdentifierChars] = {};
    std::int32_t index_ = 0;
    bool visible_ = false;
    float distance_nm_ = 0.0f;
    float bearing_deg_ = 0.0f;
    bool distance_captured_ = false;

    float drawn_scale_x_ = 0.0f;
    float drawn_scale_y_ = 0.0f;
    bool display_drawn_ = false;
    DisplayOrigin drawn_origin_ = {0.0f, 0.0f};
    DrawnSymbol drawn_[traffic::kMaxTargets] = {};
    std::uint32_t drawn_count_ = 0;
};

// A click at (vx, vy), display-origin relative, hits the symbol at `symbol`.
bool HitsSymbol(float vx, float vy, ScreenPosition symbol);

}  // namespace display
