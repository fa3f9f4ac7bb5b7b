// What the preview has to say about a run beyond the readout: why the sky
// flies without its network players, which font families the gauges miss.
// Each note has a line for under the gauges and a whole text; the whole
// status, the readout's lines with every path in full and each note's
// whole text, is there on demand (Help > Status in full), so that nothing
// is lost to a narrow window.
#pragma once

#include <string>
#include <vector>

#include "image/gauge_fonts.h"

namespace preview {

struct Note {
    std::string line;   // for under the gauges
    std::string whole;  // with every path in full and what to do about it
};

// The notes of a run: the sky's (empty: none), then the fonts'.
std::vector<Note> RunNotes(const std::string& sky_note, const panelhost::GaugeFonts& fonts);

// Every Windows path cut to its file name behind "...": "cannot load
// Z:\home\pilot\IBNetPlayer.gau: ..." -> "cannot load ...\IBNetPlayer.gau: ...".
std::string ShortPaths(const std::string& text);

// The readout's lines, then each note's whole text.
std::string WholeStatus(const std::vector<std::string>& readout, const std::vector<Note>& notes);

}  // namespace preview
