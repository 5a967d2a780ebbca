// First-window benchmark: starts the game again and again and times how
// long it takes, from the moment of starting it, until the middle of the
// screen turns black (each channel below 16: the first frame may be all but
// black), which is the game's first frame over the X server's white root
// window. Run on an X server started with a white root (-wr).
// Prints each run and the median.
// Usage: first_window_bench GAME [runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

bool CentreIsBlack(Display* display) {
    const int screen = DefaultScreen(display);
    const int x = DisplayWidth(display, screen) / 2, y = DisplayHeight(display, screen) / 2;
    XImage* image = XGetImage(display, RootWindow(display, screen), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    const bool black = (pixel & 0xF0F0F0) == 0;
    XDestroyImage(image);
    return black;
}

// Milliseconds until the first frame shows, or a negative number when it
// never did within ten seconds.
double TimeOneStart(Display* display, char* game) {
    char* argv[] = {game, nullptr};
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, game, nullptr, nullptr, argv, environ) != 0) return -1;
    double ms = -1;
    while (Clock::now() - start < std::chrono::seconds(10)) {
        if (CentreIsBlack(display)) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // The next run starts on the white root again.
    while (CentreIsBlack(display)) {
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_window_bench GAME [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    if (CentreIsBlack(display)) {
        std::fprintf(stderr, "the screen is black already: start the X server with -wr\n");
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double ms = TimeOneStart(display, argv[1]);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no first frame within 10 s\n", i + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", i + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("first window: median %.1f ms, min %.1f ms over %d runs\n", times[times.size() / 2],
                times.front(), runs);
    XCloseDisplay(display);
    return 0;
}
