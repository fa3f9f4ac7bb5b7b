#include "preview_notes.h"

#include <cctype>

namespace preview {
namespace {

constexpr const char* kFontsHint = " (Help > Status in full, F1: how to install them)";

// Where a path's file name ends at the latest: the text after a path.
constexpr const char* kPathEnds = ":;,()\"\n";

bool IsPathStart(const std::string& text, std::size_t at) {
    const auto letter = [&](std::size_t i) { return std::isalpha(static_cast<unsigned char>(text[i])) != 0; };
    const bool word_start = at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
    return word_start && at + 2 < text.size() && letter(at) && text[at + 1] == ':' && text[at + 2] == '\\';
}

}  // namespace

std::vector<Note> RunNotes(const std::string& sky_note, const panelhost::GaugeFonts& fonts) {
    std::vector<Note> notes;
    if (!sky_note.empty()) notes.push_back(Note{ShortPaths(sky_note), sky_note});
    const std::string fonts_note = panelhost::GaugeFontsNote(fonts);
    if (!fonts_note.empty()) notes.push_back(Note{fonts_note + kFontsHint, panelhost::GaugeFontsAdvice(fonts)});
    return notes;
}

std::string ShortPaths(const std::string& text) {
    std::string shortened;
    std::size_t from = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsPathStart(text, at)) continue;
        const std::size_t end = text.find_first_of(kPathEnds, at + 3);
        const std::size_t separator = text.rfind('\\', end == std::string::npos ? std::string::npos : end - 1);
        if (separator > at + 2) {  // folders to leave out
            shortened += text.substr(from, at - from) + "...";
            from = separator;
        }
        at = separator;
    }
    return shortened + text.substr(from);
}

std::string WholeStatus(const std::vector<std::string>& readout, const std::vector<Note>& notes) {
    std::string text;
    for (const std::string& line : readout) text += line + "\n";
    for (const Note& note : notes) {
        text += "\n" + note.whole;
        if (note.whole.empty() || note.whole.back() != '\n') text += "\n";
    }
    return text;
}

}  // namespace preview
