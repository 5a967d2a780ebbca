#include "framework/display/frame_pacing.h"

#include "framework/platform/platform_system.h"

namespace {
constexpr double kSpinMs = 1.0; // the stretch left to spinning
}

void WaitUntil(double deadlineMs) {
    for (;;) {
        double remaining = deadlineMs - platform::MonotonicMilliseconds();
        if (remaining <= 0) return;
        if (remaining > kSpinMs)
            platform::SleepMicroseconds(static_cast<int64_t>((remaining - kSpinMs) * 1000.0));
    }
}
