#include "framework/display/frame_statistics.h"

#include "framework/platform/platform_system.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace frame_statistics {
namespace {

struct Statistics {
    const char* path = std::getenv("ORBOLO_FRAME_STATS");
    uint64_t shown = 0, skipped = 0;
    double lastWrite = 0;
} STATS;

} // namespace

void Count(bool shown) {
    (shown ? STATS.shown : STATS.skipped)++;
    if (!STATS.path) return;
    const double now = platform::MonotonicMilliseconds();
    if (now - STATS.lastWrite < 1000) return;
    STATS.lastWrite = now;
    // Written aside and renamed, so a reader never sees half a line.
    const std::string fresh = std::string(STATS.path) + ".new";
    if (std::FILE* f = std::fopen(fresh.c_str(), "w")) {
        std::fprintf(f, "%.1f %llu %llu %.1f\n", now, static_cast<unsigned long long>(STATS.shown),
                     static_cast<unsigned long long>(STATS.skipped),
                     platform::ProcessCpuMilliseconds());
        std::fclose(f);
        std::rename(fresh.c_str(), STATS.path);
    }
}

} // namespace frame_statistics
