#include "preview_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>

#include "file_dialogs.h"
#include "cli/panel_session.h"
#include "preview_commands.h"
#include "preview_messages.h"
#include "radar_controls.h"
#include "readout.h"

namespace preview {
namespace {

constexpr const char* kWindowClass = "RadarPreviewWindow";
constexpr UINT_PTR kCycleTimer = 1;
constexpr UINT_PTR kResizeTimer = 2;
constexpr UINT kCycleTimer_ms = 5;
// A window being dragged to another size settles before the gauges follow.
constexpr UINT kResizeSettle_ms = 120;
constexpr COLORREF kBackground = RGB(32, 34, 36);
constexpr COLORREF kReadoutText = RGB(210, 214, 218);
constexpr COLORREF kNoteText = RGB(250, 190, 90);
constexpr UINT kLineFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// Seconds from the start of this process (as the system recorded it) to now.
double SecondsSinceProcessStart() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1.0;
    GetSystemTimeAsFileTime(&now);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 1.0e7;  // 100 ns ticks
}

std::string ModuleFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Lines of text from the top of the box down, as many as it holds, each
// cut with "..." where the box ends; paths shortened to their file names.
void PaintLines(HDC dc, const Box& box, const std::vector<std::string>& lines, COLORREF colour) {
    SetTextColor(dc, colour);
    const std::size_t room = static_cast<std::size_t>(box.height / kReadoutLineHeight_px);
    for (std::size_t i = 0; i < lines.size() && i < room; ++i) {
        RECT line{box.x, box.y + static_cast<int>(i) * kReadoutLineHeight_px, box.x + box.width,
                  box.y + static_cast<int>(i + 1) * kReadoutLineHeight_px};
        const std::string text = ShortPaths(lines[i]);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &line, kLineFormat);
    }
}

}  // namespace

PreviewWindow::PreviewWindow(PreviewPanel& panel, const PreviewOptions& options, PreviewReport& report)
    : panel_(panel), options_(options), report_(report), paused_(options.paused), pacing_(options.frames_per_second) {
    QueryPerformanceFrequency(&counter_frequency_);
    background_ = CreateSolidBrush(kBackground);
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

PreviewWindow::~PreviewWindow() {
    if (back_dc_) {
        SelectObject(back_dc_, back_previous_);
        DeleteDC(back_dc_);
    }
    if (back_bitmap_) DeleteObject(back_bitmap_);
    if (background_) DeleteObject(background_);
    if (keys_) DestroyAcceleratorTable(keys_);
}

double PreviewWindow::Now() const {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(counter_frequency_.QuadPart);
}

bool PreviewWindow::Create(HINSTANCE instance, std::string* error) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &PreviewWindow::Procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = kWindowClass;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    RegisterClassA(&window_class);

    const ClientSize client = ClientSizeFor(options_.gauge_side_px, static_cast<int>(panel_.gauges().size()));
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, kWindowStyle, TRUE, 0);
    const std::string title = std::string(kPreviewTitle) + " - " + ModuleFileName(panel_.module_path());
    window_ = CreateWindowExA(0, kWindowClass, title.c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        if (error) *error = "cannot make the window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    keys_ = CreatePreviewKeys();
    CreateButtons(instance);
    UpdateMenu();
    report_.Line("module " + panel_.module_path() + ": " + std::to_string(panel_.GaugeNames().size()) + " gauges");
    report_.Line("sky: " + panel_.SkyDescription());
    UpdateNotes();
    ShowWindow(window_, SW_SHOWNORMAL);
    ApplyLayout();
    SetTimer(window_, kCycleTimer, kCycleTimer_ms, nullptr);
    return true;
}

void PreviewWindow::CreateButtons(HINSTANCE instance) {
    for (const Button& button : kButtons) {
        HWND handle = CreateWindowExA(0, "BUTTON", button.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0,
                                      kButtonWidth_px, kButtonHeight_px, window_,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.command)), instance, nullptr);
        SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        buttons_.push_back(handle);
    }
    if (paused_) SetWindowTextA(buttons_[kPauseButton], "Run");
}

int PreviewWindow::Run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window_, keys_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return exit_status_;
}

LRESULT CALLBACK PreviewWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<PreviewWindow*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->Handle(message, wparam, lparam) : DefWindowProcA(window, message, wparam, lparam);
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wparam));
            SetFocus(window_);  // keys go on reaching the window after a button
            return 0;
        case WM_TIMER:
            if (wparam == kResizeTimer) {
                KillTimer(window_, kResizeTimer);
                ApplyLayout();
            } else if (wparam == kCycleTimer) {
                OnCycle();
            }
            return 0;
        case WM_SIZE:
            if (wparam != SIZE_MINIMIZED) SetTimer(window_, kResizeTimer, kResizeSettle_ms, nullptr);
            return 0;
        case WM_EXITSIZEMOVE:
            KillTimer(window_, kResizeTimer);
            ApplyLayout();
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(window_);
            OnClick(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc);
            EndPaint(window_, &paint);
            OnPainted();
            return 0;
        }
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            return DefWindowProcA(window_, message, wparam, lparam);
    }
}

void PreviewWindow::OnCommand(WORD command) {
    switch (command) {
        case kCommandOpenScenario: {
            const std::string path = ChooseScenarioFile(window_);
            if (!path.empty()) UseSky(path);
            break;
        }
        case kCommandDefaultSky: UseSky(std::string()); break;
        case kCommandSaveClicked: SaveGauge(clicked_gauge_); break;
        case kCommandExit: DestroyWindow(window_); break;
        case kCommandPause: TogglePause(); break;
        case kCommandStep: Step(); break;
        case kCommandPlan: panel_.SetMode(kPlanMode); break;
        case kCommandSector: panel_.SetMode(kSectorMode); break;
        case kCommandAltitude: panel_.SetMode(kAltitudeMode); break;
        case kCommandHalveRange: panel_.HalveRange(); break;
        case kCommandDoubleRange: panel_.DoubleRange(); break;
        case kCommandTurnLeft: panel_.Turn(-kTurnStep_deg); break;
        case kCommandTurnRight: panel_.Turn(kTurnStep_deg); break;
        case kCommandShowAll: ShowGauges(std::string()); break;
        case kCommandShowStatus: ShowStatus(); break;
        default:
            if (command >= kCommandSaveGauge && command < kCommandSaveGauge + kMaxListedGauges) {
                SaveGauge(command - kCommandSaveGauge);
            } else if (command >= kCommandShowGauge && command < kCommandShowGauge + kMaxListedGauges) {
                const std::vector<std::string> names = panel_.GaugeNames();
                const std::size_t index = command - kCommandShowGauge;
                if (index < names.size()) ShowGauges(names[index]);
            }
            break;
    }
}

void PreviewWindow::OnCycle() {
    if (!pacing_.Due(Now())) return;
    if (!paused_) panel_.AdvanceClock(pacing_.elapsed_s());
    DrawAndShow();
}

void PreviewWindow::Step() {
    if (!paused_) TogglePause();
    panel_.AdvanceClock(options_.step_s);
    DrawAndShow();
}

void PreviewWindow::TogglePause() {
    paused_ = !paused_;
    SetWindowTextA(buttons_[kPauseButton], paused_ ? "Run" : "Pause");
    report_.Line(paused_ ? "paused" : "running");
}

void PreviewWindow::OnClick(int x, int y) {
    if (layout_.notes.Contains(x, y) && !notes_.empty()) {
        ShowStatus();
        return;
    }
    const int gauge = GaugeAt(layout_, x, y);
    if (gauge < 0 || gauge >= static_cast<int>(panel_.gauges().size())) return;
    const Box& box = layout_.gauges[gauge];
    clicked_gauge_ = gauge;
    panel_.Click(static_cast<std::size_t>(gauge), x - box.x, y - box.y);
    report_.Line("click " + std::to_string(gauge + 1) + " \"" + panel_.gauges()[gauge].name + "\" at " +
                 std::to_string(x - box.x) + "," + std::to_string(y - box.y));
}

void PreviewWindow::DrawAndShow() {
    const double start_s = Now();
    const bool new_frame = panel_.DrawFrame();
    if (new_frame) {
        report_.Line(panel_.FrameLine());
        picture_changed_ = true;
    }
    PreviewStatus status{panel_.time_s(), paused_, panel_.heading_deg(), panel_.SkyDescription()};
    std::vector<std::string> readout = ReadoutLines(panel_.variables(), status);
    if (picture_changed_) {
        InvalidateRect(window_, nullptr, FALSE);
    } else if (readout != readout_) {
        const Box& box = layout_.readout;
        RECT area{box.x, box.y, box.x + box.width, box.y + box.height};
        InvalidateRect(window_, &area, FALSE);
    }
    readout_ = std::move(readout);
    UpdateWindow(window_);
    if (new_frame && !paused_) statistics_.Record(start_s, Now());
}

void PreviewWindow::ApplyLayout() {
    RECT client{};
    GetClientRect(window_, &client);
    const int count = static_cast<int>(panel_.gauges().size());
    PreviewLayout layout = LayoutFor(ClientSize{client.right, client.bottom}, count, kMaxGaugeSide_px);
    for (std::size_t i = 0; i < buttons_.size() && i < layout.buttons.size(); ++i) {
        const Box& box = layout.buttons[i];
        MoveWindow(buttons_[i], box.x, box.y, box.width, box.height, TRUE);
    }
    const bool resized = count > 0 && panel_.gauges()[0].placement->width() != layout.gauge_side_px;
    if (resized && !panel_.ResizeGauges(layout.gauge_side_px)) {
        report_.Line("error: the gauges cannot be drawn at " + std::to_string(layout.gauge_side_px) + " pixels");
    }
    layout_ = std::move(layout);
    if (!ReportLayout() && !resized) return;
    picture_changed_ = true;
    DrawAndShow();
}

bool PreviewWindow::ReportLayout() {
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    RECT client{};
    GetClientRect(window_, &client);
    char line[160];
    std::snprintf(line, sizeof line, "layout client=%ld,%ld %ldx%ld gauge=%d", origin.x, origin.y, client.right,
                  client.bottom, layout_.gauge_side_px);
    std::string text = line;
    for (std::size_t i = 0; i < layout_.gauges.size() && i < panel_.gauges().size(); ++i) {
        const Box& box = layout_.gauges[i];
        std::snprintf(line, sizeof line, "\ngauge %zu \"%s\" at %d,%d %dx%d", i + 1, panel_.gauges()[i].name.c_str(),
                      box.x, box.y, box.width, box.height);
        text += line;
    }
    const Box& notes = layout_.notes;
    std::snprintf(line, sizeof line, "\nnotes at %d,%d %dx%d", notes.x, notes.y, notes.width, notes.height);
    text += line;
    if (text == layout_text_) return false;
    layout_text_ = text;
    report_.Line(text);
    return true;
}

void PreviewWindow::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    if (back_dc_ == nullptr || back_size_.width != client.right || back_size_.height != client.bottom) {
        if (back_dc_ == nullptr) back_dc_ = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
        HGDIOBJ previous = SelectObject(back_dc_, bitmap);
        if (back_bitmap_) {
            DeleteObject(back_bitmap_);
        } else {
            back_previous_ = previous;
        }
        back_bitmap_ = bitmap;
        back_size_ = ClientSize{client.right, client.bottom};
    }
    FillRect(back_dc_, &client, background_);
    GdiFlush();
    const std::vector<ShownGauge>& gauges = panel_.gauges();
    for (std::size_t i = 0; i < gauges.size() && i < layout_.gauges.size(); ++i) {
        const Box& box = layout_.gauges[i];
        panelhost::GaugePlacement& placement = *gauges[i].placement;
        BitBlt(back_dc_, box.x, box.y, std::min(box.width, placement.width()), std::min(box.height, placement.height()),
               static_cast<HDC>(placement.device_context()), 0, 0, SRCCOPY);
    }
    PaintReadout(back_dc_);
    BitBlt(dc, 0, 0, client.right, client.bottom, back_dc_, 0, 0, SRCCOPY);
}

void PreviewWindow::PaintReadout(HDC dc) {
    std::vector<std::string> notes;
    for (const Note& note : notes_) notes.push_back(note.line);
    HGDIOBJ previous = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    PaintLines(dc, layout_.readout, readout_, kReadoutText);
    PaintLines(dc, layout_.notes, notes, kNoteText);
    SelectObject(dc, previous);
}

void PreviewWindow::OnPainted() {
    if (!picture_changed_) return;
    picture_changed_ = false;
    GdiFlush();
    report_.Line("shown " + std::to_string(panel_.frame()));
    if (!shown_once_) {
        shown_once_ = true;
        char line[80];
        std::snprintf(line, sizeof line, "first picture %.3f s after the program started", SecondsSinceProcessStart());
        report_.Line(line);
    }
}

void PreviewWindow::ShowGauges(const std::string& gauge_name) {
    std::string error;
    if (!panel_.ShowGauges(gauge_name, layout_.gauge_side_px, &error)) {
        ShowError(error);
        return;
    }
    clicked_gauge_ = 0;
    UpdateMenu();
    layout_text_.clear();
    ApplyLayout();
}

void PreviewWindow::UseSky(const std::string& scenario_path) {
    std::string error;
    if (!panel_.LoadSky(scenario_path, &error)) {
        ShowError(error);
        return;
    }
    report_.Line("sky: " + panel_.SkyDescription());
    UpdateNotes();
    picture_changed_ = true;
    DrawAndShow();
}

void PreviewWindow::SaveGauge(int gauge) {
    const std::vector<ShownGauge>& gauges = panel_.gauges();
    if (gauge < 0 || gauge >= static_cast<int>(gauges.size())) return;
    const std::string suggested = panelhost::FrameFileName(gauges[gauge].name, 1, 1, panel_.frame());
    const std::string path = ChoosePictureFile(window_, suggested);
    if (path.empty()) return;
    std::string error;
    if (!gauges[gauge].placement->SaveImage(path, &error)) {
        ShowError(error);
        return;
    }
    report_.Line("picture saved " + path);
}

void PreviewWindow::UpdateMenu() {
    std::vector<std::string> shown;
    for (const ShownGauge& gauge : panel_.gauges()) shown.push_back(gauge.name);
    HMENU previous = GetMenu(window_);
    SetMenu(window_, CreatePreviewMenu(panel_.GaugeNames(), shown, panel_.shown_gauge_name()));
    if (previous) DestroyMenu(previous);
}

void PreviewWindow::UpdateNotes() {
    notes_ = RunNotes(panel_.sky_note(), panel_.gauge_fonts());
    for (const Note& note : notes_) report_.Line("note: " + note.whole);
}

void PreviewWindow::ShowStatus() {
    const std::string text = WholeStatus(readout_, notes_);
    report_.Line("status in full\n" + text);
    const std::string title = std::string(kPreviewTitle) + " - status in full";
    MessageBoxA(window_, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

void PreviewWindow::ShowError(const std::string& text) { ShowPreviewError(window_, text, report_); }

void PreviewWindow::OnDestroy() {
    KillTimer(window_, kCycleTimer);
    KillTimer(window_, kResizeTimer);
    report_.Line(statistics_.Summary());
    const std::string fault = panel_.FloatingPointFault();
    if (!fault.empty()) {
        report_.Line("error: " + fault);
        exit_status_ = 1;
    }
    PostQuitMessage(exit_status_);
}

}  // namespace preview
