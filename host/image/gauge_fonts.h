// The font families the gauges write in, as the GDI+ of this process finds
// them. The module asks for "Tahoma" (the range labels) and "Arial" (the
// selected aircraft's readouts), and for a family GDI+ cannot find takes
// GDI+'s generic sans-serif family; where that is missing too, GDI+ draws
// no text at all. Windows has them all; a Wine prefix as Wine makes it has
// none of them.
#pragma once

#include <string>
#include <vector>

namespace panelhost {

struct GaugeFonts {
    std::vector<std::string> missing;  // families the gauges ask for that GDI+ cannot find
    bool generic_missing = false;      // GDI+'s generic sans-serif family cannot stand in for them
    // Every text of the gauges comes out in the family it asks for.
    bool complete() const { return missing.empty(); }
};

// Asks GDI+ for each family the gauges use and, where one is missing, for
// its generic sans-serif family. GDI+ must be running (StartGdiplus).
GaugeFonts FindGaugeFonts();

// One line: the families missing and what becomes of the gauges' texts.
// Empty when every family the gauges ask for is there.
std::string GaugeFontsNote(const GaugeFonts& fonts);

// The note, then how to get the families: on Windows they come with the
// system; under Wine they are installed into the prefix. Several lines,
// the last without a line end; empty as the note is.
std::string GaugeFontsAdvice(const GaugeFonts& fonts);

}  // namespace panelhost
