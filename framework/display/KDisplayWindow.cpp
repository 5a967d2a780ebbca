#include "framework/display/KDisplayWindow.h"

#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/display/file_bytes.h"
#include "framework/display/frame_pacing.h"
#include "framework/display/frame_statistics.h"
#include "framework/display/recorded_frame.h"
#include "framework/display/tga_image.h"
#include "framework/input/KInputState.h"
#include "framework/platform/platform_renderer.h"
#include "framework/platform/platform_system.h"
#include "framework/platform/platform_window.h"

#include <cmath>

namespace {

struct DisplayState {
    bool closed = false;
    bool hasSwapControl = false;
    bool hasTextureRectangle = false;
    double frameInterval = 14; // milliseconds between two flips, at least
    // Pacing reads the real clock, not KSystemTools' replaceable one, so a
    // test clock that stands still cannot freeze a flip.
    double lastFlip = 0;
} DISPLAY;

// The icon beside the executable; a missing or broken file means no icon.
DecodedImage ReadIcon() {
    DecodedImage icon;
    std::vector<uint8_t> bytes;
    const char* path = KSystemTools::MakePath("gfx\\icon.tga");
    if (ReadWholeFile(path, 1u << 20, bytes) == FileReadResult::Ok)
        DecodeTga(bytes.data(), bytes.size(), icon);
    return icon;
}

bool ReportContextFailure(platform::OpenResult result) {
    switch (result) {
    case platform::OpenResult::Ok:
        return true;
    case platform::OpenResult::WindowRefused:
        return false;
    case platform::OpenResult::NoPixelFormat:
        KSystemTools::ShowMessage("Could not initialize openGL",
                                  "Please install your video drivers");
        KSystemTools::ShowMessage("Could not select fixel format",
                                  "OpenGl error : video drivers probably missing.");
        return false;
    case platform::OpenResult::ContextFailed:
        KSystemTools::ShowMessage("Could not create openGL Context", "OpenGl error");
        return false;
    case platform::OpenResult::MakeCurrentFailed:
        KSystemTools::ShowMessage("Could not make  openGL Context", "OpenGl error");
        return false;
    }
    return false;
}

} // namespace

KDisplayWindow::KDisplayWindow() {
    DISPLAY = DisplayState{};
    KSystemTools::SetMessagePump(&KDisplayWindow::ProcessOneMessage);
}

KDisplayWindow::~KDisplayWindow() {
    platform::CloseWindow(); // also restores the desktop's mode
    KSystemTools::SetMessagePump(nullptr);
    DISPLAY.closed = true;
}

bool KDisplayWindow::CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                                      const char* title) {
    // The sizes are recorded now; their GL settings follow once a context
    // exists.
    KGraphic::screenWidth = width;
    KGraphic::screenHeight = height;
    KGraphic::screenDepth = depth;

    DecodedImage icon = ReadIcon();
    platform::WindowRequest request;
    request.width = width;
    request.height = height;
    request.colourBits = depth;
    request.fullscreen = !windowed;
    request.title = title ? title : "";
    if (!icon.rgba.empty()) {
        request.iconRgba = icon.rgba.data();
        request.iconWidth = icon.width;
        request.iconHeight = icon.height;
    }
    platform::OpenResult opened = platform::OpenWindow(request);
    if (opened == platform::OpenResult::WindowRefused) return false;
    // The input layer measures the pointer in this window and watches its
    // keys, whether or not the context came up.
    KInputState::Init();
    const bool ready = ReportContextFailure(opened);
    if (!platform::HasContext()) return false;

    DISPLAY.hasSwapControl = platform::HasSwapControl();
    DISPLAY.hasTextureRectangle = platform::HasTextureRectangles();
    KGraphic::SetScreenSize(width, height, depth);
    KSystemTools::InitModuleDirectory();

    // Show black at once, before anything else is loaded.
    KGraphic::SetClearColor(0, 0, 0, 1);
    KGraphic::SetWorldView(0, 0, 0, 1, true);
    Flip(true);
    return ready;
}

void KDisplayWindow::Flip(bool pauseWhenInactive) {
    const double t0 = platform::MonotonicMilliseconds();
    if (DISPLAY.frameInterval > 0 && DISPLAY.hasSwapControl) platform::SetSwapInterval(1);
    const bool shown = recorded_frame::Present();
    frame_statistics::Count(shown);
    ProcessOneMessage();
    if (DISPLAY.frameInterval > 0 && t0 - DISPLAY.lastFlip <= DISPLAY.frameInterval)
        WaitUntil(DISPLAY.lastFlip + DISPLAY.frameInterval);

    // Out of focus the game stands still; a close request (close box,
    // SIGTERM) ends the pause, so the process never ignores it.
    while (pauseWhenInactive && platform::WindowExists() && !platform::IsWindowFocused() &&
           !IsClosed()) {
        platform::WaitOneEvent(100);
    }
    // Read last, so that the caller never sees two returns closer than the
    // interval.
    DISPLAY.lastFlip = platform::MonotonicMilliseconds();
}

bool KDisplayWindow::IsClosed() {
    return DISPLAY.closed || (platform::WindowExists() && platform::CloseRequested());
}

void KDisplayWindow::RequestQuit() {
    DISPLAY.closed = true;
    platform::PostQuit();
}

void KDisplayWindow::ProcessOneMessage() {
    platform::PumpOneEvent();
}

void KDisplayWindow::SetTitle(const char* title) {
    platform::SetWindowTitle(title);
}

bool KDisplayWindow::HasTextureRectangle() {
    return DISPLAY.hasTextureRectangle;
}

bool KDisplayWindow::HasSwapControl() {
    return DISPLAY.hasSwapControl;
}

void KDisplayWindow::RestoreDisplayMode() {
    platform::RestoreDesktopMode();
}

int32_t KDisplayWindow::LastFlipMilliseconds() {
    if (DISPLAY.lastFlip == 0) return KSystemTools::GetMilliseconds();
    // Truncated and wrapped as GetMilliseconds reads the same clock.
    const auto wide = static_cast<int64_t>(std::trunc(DISPLAY.lastFlip));
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(wide)));
}

void KDisplayWindow::SetFrameInterval(uint32_t milliseconds) {
    DISPLAY.frameInterval = milliseconds;
}

void KDisplayWindow::SetTextureRectangleAvailable(bool available) {
    DISPLAY.hasTextureRectangle = available;
}
