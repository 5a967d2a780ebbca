// The window itself under Xvfb: geometry, title, icon, pausing, pacing,
// closing, and running without a display.
#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/platform/platform_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern "C" char** environ;

namespace {

std::string Shell(const std::string& command) {
    return CommandOutput(command + " 2>&1");
}

int Field(const std::string& text, const std::string& label) {
    size_t at = text.find(label);
    return at == std::string::npos ? -99999 : std::atoi(text.c_str() + at + label.size());
}

std::unique_ptr<KDisplayWindow> OpenWindow(const char* title) {
    DrawOffscreenWithoutDisplay();
    auto window = std::make_unique<KDisplayWindow>();
    EXPECT_TRUE(window->CreateGameWindow(640, 480, 16, true, title));
    return window;
}

// Flips without pausing until the window has seen its focus go or come.
bool FlipUntilFocus(KDisplayWindow& window, bool focused) {
    return PollUntil([&] {
        window.Flip(false);
        return platform::IsWindowFocused() == focused;
    });
}

#define NEEDS_X_SERVER()                                                                           \
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X server"

// Runs first, while no window has set the screen size yet.
TEST(WindowStart, ImageBeforeTheWindowWarns) {
    CaptureMessages();
    ClearMessages();
    KGraphic early;
    EXPECT_EQ(Messages(), (std::vector<CapturedMessage>{
                              {"KGraphic::SetScreenSize Not Called!",
                               "Screen Dimensions not specified, you will not see anything"}}));
}

TEST(Window, CentredResizableWithItsTitleAndTheIconBesideTheExecutable) {
    NEEDS_X_SERVER();
    namespace fs = std::filesystem;
    KSystemTools::InitModuleDirectory();
    fs::path gfx = fs::path(KSystemTools::GetModuleDirectory()) / "gfx";
    fs::create_directories(gfx);
    fs::copy_file(
        WriteTempFile("icon.tga", MakeTga(16, 16, 32,
                                          [](int x, int y) {
                                              return Rgba{uint8_t(x * 16), uint8_t(y * 16), 0, 255};
                                          })),
        gfx / "icon.tga", fs::copy_options::overwrite_existing);
    auto window = OpenWindow("ORBOLO geometry");
    window->Flip(true);
    fs::remove_all(gfx);
    std::string info = Shell("xwininfo -name 'ORBOLO geometry'");
    std::string root = Shell("xwininfo -root");
    EXPECT_EQ(Field(info, "Width: "), 640) << info;
    EXPECT_EQ(Field(info, "Height: "), 480);
    EXPECT_EQ(Field(info, "Absolute upper-left X: "), (Field(root, "Width: ") - 640) / 2);
    EXPECT_EQ(Field(info, "Absolute upper-left Y: "), (Field(root, "Height: ") - 480) / 2);
    // Resizable down to half the game's size, with no maximum.
    std::string hints = Shell("xprop -name 'ORBOLO geometry' WM_NORMAL_HINTS 2>&1");
    EXPECT_NE(hints.find("minimum size: 320 by 240"), std::string::npos) << hints;
    EXPECT_EQ(hints.find("maximum size"), std::string::npos) << hints;
    std::string icon = Shell("xprop -name 'ORBOLO geometry' _NET_WM_ICON");
    EXPECT_NE(icon.find("Icon (16 x 16)"), std::string::npos) << icon;

    KDisplayWindow::SetTitle("ORBOLO renamed");
    window->Flip(true);
    EXPECT_EQ(Field(Shell("xwininfo -name 'ORBOLO renamed'"), "Width: "), 640);
}

TEST(Window, PausesWhileAnotherWindowIsInFront) {
    NEEDS_X_SERVER();
    std::vector<const char*> argv = {"xmessage", "-title", "ORBOLO other", "-geometry",
                                     "+0+0",     "other",  nullptr};
    pid_t other = 0;
    if (posix_spawnp(&other, argv[0], nullptr, nullptr, const_cast<char**>(argv.data()), environ))
        GTEST_SKIP() << "xmessage missing";
    auto window = OpenWindow("ORBOLO pause");
    ASSERT_TRUE(FlipUntilFocus(*window, true));
    Shell("xdotool search --sync --name '^ORBOLO other$' windowfocus --sync");
    ASSERT_TRUE(FlipUntilFocus(*window, false));

    // The flip stands still until the game window is in front again: it
    // returns only after the refocus was sent.
    std::atomic<bool> refocusSent{false};
    std::thread refocus([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        refocusSent = true;
        Shell("xdotool search --name '^ORBOLO pause$' windowfocus");
    });
    window->Flip(true);
    EXPECT_TRUE(refocusSent);
    refocus.join();
    EXPECT_TRUE(platform::IsWindowFocused());

    // A termination signal ends the pause instead of being ignored.
    Shell("xdotool search --name '^ORBOLO other$' windowfocus --sync");
    ASSERT_TRUE(FlipUntilFocus(*window, false));
    std::thread terminate([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        std::raise(SIGTERM);
    });
    window->Flip(true);
    terminate.join();
    EXPECT_TRUE(KDisplayWindow::IsClosed());
    kill(other, SIGTERM);
    waitpid(other, nullptr, 0);
}

TEST(Window, FlipsAreAtLeastFourteenMillisecondsApart) {
    auto window = OpenWindow("ORBOLO pacing");
    using Clock = std::chrono::steady_clock;
    window->Flip(true);
    auto last = Clock::now();
    for (int i = 0; i < 25; ++i) {
        window->Flip(true);
        auto now = Clock::now();
        // The flip reads the same clock just before it returns; the 10 us
        // allow for our own reading after the return.
        using Ms = std::chrono::duration<double, std::milli>;
        EXPECT_GE(Ms(now - last).count(), 13.99) << i;
        last = now;
    }
}

TEST(Window, CloseBoxSignalsAndQuitCloseWithoutDestroying) {
    auto closeBox = [] {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&close);
    };
    for (auto close :
         {+closeBox, +[] { std::raise(SIGTERM); }, +[] { KDisplayWindow::RequestQuit(); }}) {
        auto window = OpenWindow("ORBOLO close");
        EXPECT_FALSE(KDisplayWindow::IsClosed());
        close();
        // One message a flip: the close waits behind those already queued.
        EXPECT_TRUE(PollUntil([&] {
            window->Flip(true);
            return KDisplayWindow::IsClosed();
        }));
        window->Flip(true); // still a window to flip
    }
    EXPECT_TRUE(KDisplayWindow::IsClosed()); // deleting the window closes it
}

// Run in a child without any display; returns what it wrote to stderr.
template <typename Body> std::string StandardErrorWithoutDisplay(Body body) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "pipe failed";
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        body();
        _exit(0);
    }
    close(pipeFds[1]);
    std::string err;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, n);
    close(pipeFds[0]);
    waitpid(child, nullptr, 0);
    return err;
}

TEST(WithoutADisplay, NoWindowOpensAndMessagesGoToStandardError) {
    std::string err = StandardErrorWithoutDisplay([] {
        KDisplayWindow window;
        if (window.CreateGameWindow(640, 480, 16, true, "ORBOLO unseen"))
            std::fputs("OPENED", stderr);
    });
    EXPECT_EQ(err.find("OPENED"), std::string::npos) << err;
    EXPECT_NE(err.find("no display"), std::string::npos) << err;
    err = StandardErrorWithoutDisplay([] {
        KSystemTools::SetMessageSink(nullptr);
        KSystemTools::ShowMessage("Could not open file", "/no/such.tga");
    });
    EXPECT_NE(err.find("Could not open file: /no/such.tga"), std::string::npos) << err;
}

} // namespace
