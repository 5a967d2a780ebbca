// Pacing benchmark: flips a light frame for a few seconds at the normal
// 14 ms minimum interval and prints the distribution of the intervals and
// the share of one core the process used meanwhile.
#include "bench_clock.h"
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    KDisplayWindow window;
    if (!window.CreateGameWindow(640, 480, 16, true, "ORBOLO pacing benchmark")) return 1;
    std::printf("swap control: %s\n", KDisplayWindow::HasSwapControl() ? "yes" : "no");
    window.Flip(true);

    std::vector<double> intervals;
    const double wall0 = WallMs(), cpu0 = CpuMs();
    double last = wall0;
    while (last - wall0 < seconds * 1000 && !KDisplayWindow::IsClosed()) {
        KGraphic::SetWorldView(0, 0, 0, 1, true);
        KGraphic::FillRect(0, 0, 64, 64, 1, 1, 1, 1);
        window.Flip(true);
        double now = WallMs();
        intervals.push_back(now - last);
        last = now;
    }
    const double wall = WallMs() - wall0, cpu = CpuMs() - cpu0;
    std::sort(intervals.begin(), intervals.end());
    auto at = [&](double q) { return intervals[static_cast<size_t>(q * (intervals.size() - 1))]; };
    std::printf("%zu flips in %.2f s: min %.3f  p1 %.3f  median %.3f  p99 %.3f  max %.3f ms\n",
                intervals.size(), wall / 1000, intervals.front(), at(0.01), at(0.5), at(0.99),
                intervals.back());
    const double edges[] = {14.0, 14.1, 14.5, 15.0, 16.0, 20.0, 1e9};
    double low = 0;
    for (double high : edges) {
        auto n = std::count_if(intervals.begin(), intervals.end(),
                               [&](double v) { return v >= low && v < high; });
        if (n) std::printf("  [%6.1f, %6.1f) ms: %ld\n", low, high, static_cast<long>(n));
        low = high;
    }
    std::printf("process CPU: %.1f%% of one core\n", 100 * cpu / wall);
    return 0;
}
