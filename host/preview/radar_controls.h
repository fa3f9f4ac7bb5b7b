// What the panel's own control gauge writes into the radar's two inputs,
// as the guide's "Radar Controls" gauge does: a mode button writes 2, 3 or
// 4 into "Radar Mode"; the range buttons halve and double "Radar Range"
// within 5 and 160 nautical miles.
#pragma once

namespace preview {

constexpr double kPlanMode = 2.0;
constexpr double kSectorMode = 3.0;
constexpr double kAltitudeMode = 4.0;

constexpr double kMinControlRange_nm = 5.0;
constexpr double kMaxControlRange_nm = 160.0;

// (L:Radar Range) 2 / 5 max
double HalvedRange(double range_nm);
// (L:Radar Range) 5 max 2 * 160 min
double DoubledRange(double range_nm);

// How far one turn key turns the own aircraft.
constexpr double kTurnStep_deg = 5.0;

}  // namespace preview
