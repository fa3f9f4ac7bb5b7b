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
// measured of it, and where that frame drew which symbol. Its operations
// are the only writers of its fields.
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

    // Where the last drawn frame drew the symbol of this slot; false when it
    // drew none there.
    bool DrawnSymbolAt(std::uint32_t index, ScreenPosition& centre) const;

    // A drawn frame starts: no symbol is on the screen yet.
    void StartFrame();
    // A display's target pass starts: the aircraft is not yet seen in it.
    void StartTargetPass();
    // The frame drew the symbol of this slot here.
    void RecordSymbol(std::uint32_t index, ScreenPosition centre);
    // The frame found the selected aircraft in this slot and measured it.
    void Capture(std::uint32_t index, float distance_nm, float bearing_deg);

    // A click at (vx, vy), relative to the display's origin: selects the
    // first target (in list order) whose symbol the last drawn frame drew
    // within 20 units, else nothing.
    void PickAt(const traffic::TrafficList& list, float vx, float vy);
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
    char identifier_[kSelectedIdentifierChars] = {};
    std::int32_t index_ = 0;
    bool visible_ = false;
    float distance_nm_ = 0.0f;
    float bearing_deg_ = 0.0f;
    bool distance_captured_ = false;
    ScreenPosition symbol_positions_[traffic::kMaxTargets] = {};
    bool symbol_drawn_[traffic::kMaxTargets] = {};
};

// The origin of the display of a mode (plan and altitude: the centre;
// sector: the apex at the bottom). False for a mode that draws nothing.
bool DisplayOriginOf(std::int32_t mode, DisplayOrigin& origin);

// A click at (vx, vy), display-origin relative, hits the symbol at `symbol`.
bool HitsSymbol(float vx, float vy, ScreenPosition symbol);

// A click at (x_px, y_px) of an image drawn at this scale (pixels per
// virtual unit), on the display whose origin is given: picks the symbol
// there, or clears the selection. Nothing happens before a frame gave the
// screen a scale.
void SelectTargetAt(Selection& selection, const traffic::TrafficList& list, float scale_x, float scale_y,
                    std::int32_t x_px, std::int32_t y_px, DisplayOrigin origin);

}  // namespace display
