// Waiting for the next frame without burning a core.
#pragma once

// Returns once the monotonic clock (platform milliseconds) reaches the
// deadline, asleep the whole time: an absolute timer wakes the thread at
// the deadline itself, so no stretch is left to spinning.
void WaitUntil(double deadlineMs);
