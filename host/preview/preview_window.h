// The preview's window: the gauges' pictures side by side, a row of buttons
// above them and the readout and the run's notes below, a menu bar and keys. It runs the
// panel's frames at a steady rate (the simulator's 18 a second unless told
// otherwise), paused or not, hands clicks on a gauge to that gauge at the
// pixel clicked, and gives the gauges a new size when the window changes
// its own.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "frame_pacing.h"
#include "preview_layout.h"
#include "preview_notes.h"
#include "preview_options.h"
#include "preview_panel.h"
#include "preview_report.h"

namespace preview {

class PreviewWindow {
public:
    PreviewWindow(PreviewPanel& panel, const PreviewOptions& options, PreviewReport& report);
    ~PreviewWindow();
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    // Makes and shows the window with the first picture.
    bool Create(HINSTANCE instance, std::string* error);
    // Runs until the window is closed; returns the program's exit status.
    int Run();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

    void CreateButtons(HINSTANCE instance);
    void OnCommand(WORD command);
    void OnCycle();
    void OnClick(int x, int y);
    void OnDestroy();

    // Lays the client area out again; a new gauge size is drawn at once.
    void ApplyLayout();
    // Writes the layout to the report; false when it had not changed.
    bool ReportLayout();
    // Sends the panel its frame and puts what changed on the screen.
    void DrawAndShow();
    void Paint(HDC dc);
    // The readout's lines, then the notes' lines.
    void PaintReadout(HDC dc);
    void OnPainted();

    void Step();
    void TogglePause();
    void ShowGauges(const std::string& gauge_name);
    void UseSky(const std::string& scenario_path);
    void SaveGauge(int gauge);
    void UpdateMenu();
    // The notes of the sky and the fonts now, written to the report.
    void UpdateNotes();
    // The readout with every path in full and each note's whole text.
    void ShowStatus();
    void ShowError(const std::string& text);

    double Now() const;

    PreviewPanel& panel_;
    PreviewOptions options_;
    PreviewReport& report_;
    HWND window_ = nullptr;
    std::vector<HWND> buttons_;
    HACCEL keys_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH background_ = nullptr;
    HDC back_dc_ = nullptr;
    HBITMAP back_bitmap_ = nullptr;
    HGDIOBJ back_previous_ = nullptr;
    ClientSize back_size_;
    PreviewLayout layout_;
    std::string layout_text_;
    std::vector<std::string> readout_;
    std::vector<Note> notes_;
    bool paused_ = false;
    bool picture_changed_ = false;
    bool shown_once_ = false;
    int clicked_gauge_ = 0;
    int exit_status_ = 0;
    FramePacing pacing_;
    FrameStatistics statistics_;
    LARGE_INTEGER counter_frequency_{};
};

}  // namespace preview
