// The window itself under Xvfb: geometry, title, pacing, closing, and the
// messages shown before any window exists.
#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/platform/platform_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Shell(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        pclose(pipe);
    }
    return out;
}

int Field(const std::string& text, const std::string& label) {
    size_t at = text.find(label);
    return at == std::string::npos ? -99999 : std::atoi(text.c_str() + at + label.size());
}

extern "C" char** environ;

pid_t Spawn(std::vector<const char*> argv) {
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv.data()), environ))
        return 0;
    return pid;
}

// Flips without pausing until the window has seen its focus go or come.
void FlipUntilFocus(KDisplayWindow& window, bool focused) {
    for (int i = 0; i < 200 && platform::IsWindowFocused() != focused; ++i)
        window.Flip(false);
}

bool HasXServer() {
    return std::getenv("DISPLAY") != nullptr;
}

std::unique_ptr<KDisplayWindow> OpenWindow(const char* title) {
    DrawOffscreenWithoutDisplay();
    auto window = std::make_unique<KDisplayWindow>();
    EXPECT_TRUE(window->CreateGameWindow(640, 480, 16, true, title));
    return window;
}

// Runs first, while no window has set the screen size yet.
TEST(WindowStart, ImageBeforeTheWindowWarns) {
    CaptureMessages();
    ClearMessages();
    KGraphic early;
    EXPECT_EQ(Messages(), (std::vector<CapturedMessage>{
                              {"KGraphic::SetScreenSize Not Called!",
                               "Screen Dimensions not specified, you will not see anything"}}));
}

TEST(Window, CentredResizableWithItsTitle) {
    if (!HasXServer()) GTEST_SKIP() << "needs an X server";
    auto window = OpenWindow("ORBOLO geometry");
    window->Flip(true);
    std::string info = Shell("xwininfo -name 'ORBOLO geometry' 2>&1");
    std::string root = Shell("xwininfo -root 2>&1");
    EXPECT_EQ(Field(info, "Width: "), 640) << info;
    EXPECT_EQ(Field(info, "Height: "), 480);
    EXPECT_EQ(Field(info, "Absolute upper-left X: "), (Field(root, "Width: ") - 640) / 2);
    EXPECT_EQ(Field(info, "Absolute upper-left Y: "), (Field(root, "Height: ") - 480) / 2);
    // Resizable down to half the game's size, with no maximum.
    std::string hints = Shell("xprop -name 'ORBOLO geometry' WM_NORMAL_HINTS 2>&1");
    EXPECT_NE(hints.find("minimum size: 320 by 240"), std::string::npos) << hints;
    EXPECT_EQ(hints.find("maximum size"), std::string::npos) << hints;

    KDisplayWindow::SetTitle("ORBOLO renamed");
    window->Flip(true);
    EXPECT_EQ(Field(Shell("xwininfo -name 'ORBOLO renamed' 2>&1"), "Width: "), 640);
}

TEST(Window, IconFromBesideTheExecutable) {
    if (!HasXServer()) GTEST_SKIP() << "needs an X server";
    namespace fs = std::filesystem;
    KSystemTools::InitModuleDirectory();
    fs::path gfx = fs::path(KSystemTools::GetModuleDirectory()) / "gfx";
    fs::create_directories(gfx);
    std::string icon = (gfx / "icon.tga").string();
    auto bytes = MakeTga(16, 16, 32, [](int x, int y) {
        return Rgba{static_cast<uint8_t>(x * 16), static_cast<uint8_t>(y * 16), 0, 255};
    });
    std::FILE* f = std::fopen(icon.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    auto window = OpenWindow("ORBOLO icon");
    window->Flip(true);
    std::string property = Shell("xprop -name 'ORBOLO icon' _NET_WM_ICON 2>&1");
    fs::remove_all(gfx);
    EXPECT_NE(property.find("Icon (16 x 16)"), std::string::npos) << property;
}

TEST(Window, PausesWhileAnotherWindowIsInFront) {
    if (!HasXServer()) GTEST_SKIP() << "needs an X server";
    pid_t other = Spawn({"xmessage", "-title", "ORBOLO other", "-geometry", "+0+0", "other"});
    if (!other) GTEST_SKIP() << "xmessage missing";
    auto window = OpenWindow("ORBOLO pause");
    FlipUntilFocus(*window, true);
    ASSERT_TRUE(platform::IsWindowFocused());
    Shell("xdotool search --sync --name '^ORBOLO other$' windowfocus --sync");
    FlipUntilFocus(*window, false);
    ASSERT_FALSE(platform::IsWindowFocused());

    // The flip stands still until the game window is in front again.
    std::thread refocus([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        Shell("xdotool search --name '^ORBOLO pause$' windowfocus");
    });
    auto start = std::chrono::steady_clock::now();
    window->Flip(true);
    auto waited = std::chrono::steady_clock::now() - start;
    refocus.join();
    EXPECT_GE(waited, std::chrono::milliseconds(350));
    EXPECT_TRUE(platform::IsWindowFocused());

    // A termination signal ends the pause instead of being ignored.
    Shell("xdotool search --name '^ORBOLO other$' windowfocus --sync");
    FlipUntilFocus(*window, false);
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
        double ms = std::chrono::duration<double, std::milli>(now - last).count();
        // The flip reads the same clock just before it returns; the 10 us
        // allow for our own reading after the return.
        EXPECT_GE(ms, 13.99) << "flip " << i;
        last = now;
    }
}

TEST(Window, CloseBoxAndSignalsCloseWithoutDestroying) {
    {
        auto window = OpenWindow("ORBOLO close box");
        EXPECT_FALSE(KDisplayWindow::IsClosed());
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&close);
        // One message a flip: the close waits behind those already queued.
        for (int i = 0; i < 50 && !KDisplayWindow::IsClosed(); ++i)
            window->Flip(true);
        EXPECT_TRUE(KDisplayWindow::IsClosed());
        window->Flip(true); // still a window to flip
    }
    {
        auto window = OpenWindow("ORBOLO signal");
        EXPECT_FALSE(KDisplayWindow::IsClosed());
        std::raise(SIGTERM);
        for (int i = 0; i < 50 && !KDisplayWindow::IsClosed(); ++i)
            window->Flip(true);
        EXPECT_TRUE(KDisplayWindow::IsClosed());
    }
    {
        auto window = OpenWindow("ORBOLO quit");
        KDisplayWindow::RequestQuit();
        EXPECT_TRUE(KDisplayWindow::IsClosed());
        window->Flip(true);
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
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        err.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return err;
}

TEST(GameWindow, WithoutADisplayIsRefusedInsteadOfDrawnWhereNobodySeesIt) {
    const std::string err = StandardErrorWithoutDisplay([] {
        KDisplayWindow window;
        if (window.CreateGameWindow(640, 480, 16, true, "ORBOLO unseen"))
            std::fputs("OPENED", stderr);
    });
    EXPECT_EQ(err.find("OPENED"), std::string::npos) << err;
    EXPECT_NE(err.find("no display"), std::string::npos) << err;
}

TEST(MessageBox, FallsBackToStandardErrorWithoutADisplay) {
    const std::string err = StandardErrorWithoutDisplay([] {
        KSystemTools::SetMessageSink(nullptr);
        KSystemTools::ShowMessage("Could not open file", "/no/such.tga");
    });
    EXPECT_NE(err.find("Could not open file: /no/such.tga"), std::string::npos) << err;
}

} // namespace
