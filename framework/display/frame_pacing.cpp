#include "framework/display/frame_pacing.h"

#include "framework/platform/platform_system.h"

void WaitUntil(double deadlineMs) {
    if (deadlineMs > platform::MonotonicMilliseconds())
        platform::SleepUntilMilliseconds(deadlineMs);
}
