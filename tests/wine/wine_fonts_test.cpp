// The gauges' fonts under Wine: the labels drawn with the fonts of a
// Windows panel, with GDI+'s generic sans-serif family where "Tahoma" is
// missing (Wine's GDI+ answers the lookup with status 14), and a prefix as
// Wine makes it, where not even the generic family can be found and no
// label appears; and what the panel host says about each on standard
// error.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/gdiplus_startup.h"
#include "wine_runs.h"

namespace winetest {
namespace {

using panelhost::Image;

// One gauge in the plan display, three frames.
HostOptions PlanRun() { return {"--gauge", "Circular Green", "--size", "300", "--frames", "3"}; }
constexpr int kPlanRunFrame = 3;
constexpr int kPlanRunSize_px = 300;

// The plan display's four range labels hang centred below the top of
// their rings, 118.75 units apart above the centre (500, 500) of the
// 1000-unit screen.
struct Box {
    int left, top, right, bottom;  // pixels, right and bottom excluded
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

std::vector<Box> RangeLabelBoxes() {
    constexpr float kScale = kPlanRunSize_px / 1000.0f;
    std::vector<Box> boxes;
    for (int ring = 1; ring <= 4; ++ring) {
        const float top_of_ring = 500.0f - 118.75f * static_cast<float>(ring);
        boxes.push_back(Box{static_cast<int>(440 * kScale), static_cast<int>((top_of_ring - 10.0f) * kScale),
                            static_cast<int>(560 * kScale), static_cast<int>((top_of_ring + 50.0f) * kScale)});
    }
    return boxes;
}

// Where two frames differ: counted per label box, and outside all of them.
struct Differences {
    std::vector<long> in_box;
    long elsewhere = 0;
};

Differences DifferencesByLabel(const Image& a, const Image& b) {
    const std::vector<Box> boxes = RangeLabelBoxes();
    Differences differences;
    differences.in_box.assign(boxes.size(), 0);
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            bool boxed = false;
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                if (boxes[i].Holds(x, y)) {
                    ++differences.in_box[i];
                    boxed = true;
                }
            }
            if (!boxed) ++differences.elsewhere;
        }
    }
    return differences;
}

// Glyphs of "10" to "40" at 30 points on a 300-pixel gauge cover some
// 60 pixels each; a label counts as drawn with a third of that.
constexpr long kLabelPixels = 20;

// The two frames differ in every range label's place and nowhere else.
void ExpectOnlyTheLabelsDiffer(const Image& a, const Image& b) {
    const Differences differences = DifferencesByLabel(a, b);
    for (std::size_t ring = 0; ring < differences.in_box.size(); ++ring) {
        EXPECT_GE(differences.in_box[ring], kLabelPixels) << "label of ring " << ring + 1;
    }
    EXPECT_EQ(differences.elsewhere, 0);
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// Wine's trace of the module's GDI+ calls, one entry per call or answer
// line: "GdipCreateFontFamilyFromName L"Tahoma", ..." and "... <-- handle".
// The module makes its brushes, then its pens and fonts; the panel host's
// own look-up of the families, before the first frame, is left out.
std::vector<std::string> ModuleGdiplusTrace(const std::string& output) {
    std::vector<std::string> calls;
    const std::string channel = ":trace:gdiplus:";
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(start, end - start);
        const std::size_t at = line.find(channel);
        if (at != std::string::npos) calls.push_back(line.substr(at + channel.size()));
        start = end + 1;
    }
    const auto first_brush = std::find_if(calls.begin(), calls.end(),
                                          [](const std::string& call) { return StartsWith(call, "GdipCreateSolidFill"); });
    return std::vector<std::string>(first_brush, calls.end());
}

// What the panel host says on standard error about the gauges' fonts: the
// first line of it, or empty.
std::string FontsNotice(const HostRun& run) {
    const std::string start = "panel-host: fonts missing: ";
    const std::size_t at = run.output.find(start);
    return at == std::string::npos ? std::string() : run.output.substr(at, run.output.find('\n', at) - at);
}

// Whether the call at `index` got an answer: Wine traces one, before the
// function's next call, only on success; calls it makes inside come between.
bool Answered(const std::vector<std::string>& trace, std::size_t index, const std::string& function) {
    for (std::size_t i = index + 1; i < trace.size(); ++i) {
        if (StartsWith(trace[i], function + " <-- ")) return true;
        if (StartsWith(trace[i], function + " ")) return false;
    }
    return false;
}

// Index of the first trace entry that starts with `start`, or trace.size().
std::size_t Find(const std::vector<std::string>& trace, const std::string& start) {
    for (std::size_t i = 0; i < trace.size(); ++i) {
        if (StartsWith(trace[i], start)) return i;
    }
    return trace.size();
}

struct FontRuns {
    HostRun panel;
    HostRun without_tahoma;
    HostRun without_fonts;
    Image panel_frame;
    Image without_tahoma_frame;
    Image without_fonts_frame;
};

void RunAllThree(const std::string& name, FontRuns* runs) {
    ASSERT_TRUE(panelhost::StartGdiplus());
    const std::string folder = TestFolder(name);
    runs->panel = RunUnderWine(Fonts::kPanel, PlanRun(), folder + "/panel", "+gdiplus");
    runs->without_tahoma = RunUnderWine(Fonts::kWithoutTahoma, PlanRun(), folder + "/without_tahoma", "+gdiplus");
    runs->without_fonts = RunUnderWine(Fonts::kNone, PlanRun(), folder + "/without_fonts", "+gdiplus");
    ASSERT_EQ(runs->panel.exit_status, 0) << runs->panel.Describe();
    ASSERT_EQ(runs->without_tahoma.exit_status, 0) << runs->without_tahoma.Describe();
    ASSERT_EQ(runs->without_fonts.exit_status, 0) << runs->without_fonts.Describe();
    const char* gauge = "circular_green";
    ASSERT_TRUE(LoadFrame(runs->panel.folder, gauge, kPlanRunFrame, &runs->panel_frame));
    ASSERT_TRUE(LoadFrame(runs->without_tahoma.folder, gauge, kPlanRunFrame, &runs->without_tahoma_frame));
    ASSERT_TRUE(LoadFrame(runs->without_fonts.folder, gauge, kPlanRunFrame, &runs->without_fonts_frame));
}

TEST(WineFonts, ThePanelFontsDrawEveryRangeLabelInTahoma) {
    FontRuns runs;
    ASSERT_NO_FATAL_FAILURE(RunAllThree("panel_fonts", &runs));

    const std::vector<std::string> trace = ModuleGdiplusTrace(runs.panel.output);
    const std::size_t tahoma = Find(trace, "GdipCreateFontFamilyFromName L\"Tahoma\"");
    ASSERT_LT(tahoma, trace.size());
    EXPECT_TRUE(Answered(trace, tahoma, "GdipCreateFontFamilyFromName"));
    EXPECT_LT(Find(trace, "GdipCreateFont 0"), trace.size());
    EXPECT_NE(runs.panel.output.find("(L\"Tahoma\"), 30.000000, 1, 3"), std::string::npos) << "small font: Tahoma 30 bold";
    EXPECT_NE(runs.panel.output.find("(L\"Liberation Sans\"), 40.000000, 0, 3"), std::string::npos)
        << "large font: Arial, that is Liberation Sans, 40";
    EXPECT_EQ(Find(trace, "GdipGetGenericFontFamilySansSerif"), trace.size()) << "no fallback needed";
    EXPECT_EQ(FontsNotice(runs.panel), "");

    // Against the same frame without fonts: text in each label's place, and
    // nothing else changed.
    ExpectOnlyTheLabelsDiffer(runs.panel_frame, runs.without_fonts_frame);
}

TEST(WineFonts, WithoutTahomaTheGenericSansSerifFamilyDrawsTheLabels) {
    FontRuns runs;
    ASSERT_NO_FATAL_FAILURE(RunAllThree("without_tahoma", &runs));

    // The lookup of "Tahoma" fails, the module takes the generic family
    // and makes the small font from it, 30 points bold.
    const std::vector<std::string> trace = ModuleGdiplusTrace(runs.without_tahoma.output);
    const std::size_t tahoma = Find(trace, "GdipCreateFontFamilyFromName L\"Tahoma\"");
    ASSERT_LT(tahoma, trace.size());
    EXPECT_FALSE(Answered(trace, tahoma, "GdipCreateFontFamilyFromName"));
    const std::size_t generic = Find(trace, "GdipGetGenericFontFamilySansSerif");
    ASSERT_LT(generic, trace.size());
    EXPECT_GT(generic, tahoma);
    const std::size_t small_font = Find(trace, "GdipCreateFont 0");
    ASSERT_LT(small_font, trace.size());
    EXPECT_GT(small_font, generic);
    EXPECT_NE(trace[small_font].find("30.000000, 1, 3"), std::string::npos) << trace[small_font];
    EXPECT_TRUE(Answered(trace, small_font, "GdipCreateFont"));
    EXPECT_EQ(FontsNotice(runs.without_tahoma),
              "panel-host: fonts missing: Tahoma: the gauges' range labels come out in GDI+'s generic sans-serif "
              "family instead.");

    ExpectOnlyTheLabelsDiffer(runs.without_tahoma_frame, runs.without_fonts_frame);
    // Another family than Tahoma: the glyphs differ, in the labels only.
    ExpectOnlyTheLabelsDiffer(runs.without_tahoma_frame, runs.panel_frame);
}

TEST(WineFonts, WithoutAnyFontNoLabelIsDrawnAndTheRestIs) {
    FontRuns runs;
    ASSERT_NO_FATAL_FAILURE(RunAllThree("without_fonts", &runs));

    // Neither "Tahoma" nor the generic family (Wine's GDI+ looks for
    // "Microsoft Sans Serif", then "Tahoma") nor "Arial" is found, so no
    // font is made, and every label is drawn with none: GDI+ draws nothing.
    const std::vector<std::string> trace = ModuleGdiplusTrace(runs.without_fonts.output);
    for (const char* family : {"Tahoma", "Microsoft Sans Serif", "Arial"}) {
        const std::size_t lookup = Find(trace, std::string("GdipCreateFontFamilyFromName L\"") + family + "\"");
        ASSERT_LT(lookup, trace.size()) << family;
        EXPECT_FALSE(Answered(trace, lookup, "GdipCreateFontFamilyFromName")) << family;
    }
    EXPECT_LT(Find(trace, "GdipGetGenericFontFamilySansSerif"), trace.size());
    EXPECT_EQ(Find(trace, "GdipCreateFont 0"), trace.size());
    EXPECT_LT(Find(trace, "GdipDrawString"), trace.size());
    // The panel host says so, and how to install them.
    EXPECT_EQ(FontsNotice(runs.without_fonts),
              "panel-host: fonts missing: Tahoma, Arial and GDI+'s generic sans-serif family: the gauges' range "
              "labels and target readouts will be missing.");
    EXPECT_NE(runs.without_fonts.output.find("FontSubstitutes\" /v Arial"), std::string::npos);

    // Everything but the labels is as on a panel with its fonts.
    const Differences differences = DifferencesByLabel(runs.without_fonts_frame, runs.panel_frame);
    EXPECT_EQ(differences.elsewhere, 0);
}

}  // namespace
}  // namespace winetest
